#pragma once
// The settings grid on screen: a table view of the grid model without headers of its
// own (row 0 is the grid's header row), column 0 700 twips wide or as wide as its longest
// label, and the item columns sharing the rest, none narrower than its longest text; a
// narrow grid sets its texts smaller so that its columns stay in sight.

#include "app/display/SettingsGridTableModel.h"

#include <QTableView>

namespace tovu::display {

class SettingsGridView : public QTableView {
    Q_OBJECT
public:
    explicit SettingsGridView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // Lays the columns out for the view's current width and texts.
    void applyColumnWidths();
    // What a column's longest text needs, margins included (0 when empty).
    int columnTextWidth(int column) const;
    int firstColumnTextWidth() const { return columnTextWidth(0); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr double kLeastTextScale = 0.6;
    static constexpr double kTextStep = 0.25;
    // What all columns need at the view's font.
    int neededWidth() const;
    int roomWidth() const;
    void fitTexts();

    double basePointSize_ = 0;  // the view's own text size, taken at the first layout
    bool fitting_ = false;
};

} // namespace tovu::display
