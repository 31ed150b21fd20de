#pragma once
// The settings grid on screen: a table view of the grid model without headers of its
// own (row 0 is the grid's header row), column 0 700 twips wide or as wide as its longest
// label, and the item columns sharing the rest.

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
    // What the first column's longest text needs, margins included (0 when empty).
    int firstColumnTextWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace tovu::display
