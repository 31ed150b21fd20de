#pragma once
// The settings grid on screen: a table view of the grid model without headers of its
// own (row 0 is the grid's header row), column 0 700 twips wide and the item columns
// sharing the rest.

#include "app/display/SettingsGridTableModel.h"

#include <QTableView>

namespace tovu::display {

class SettingsGridView : public QTableView {
    Q_OBJECT
public:
    explicit SettingsGridView(QWidget* parent = nullptr);

    // Lays the columns out for the view's current width.
    void applyColumnWidths();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace tovu::display
