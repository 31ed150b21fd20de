#pragma once
// The settings grid as the flex grid the document control reads: its rows of five
// cells, the header row fixed, column 0 fixed, the column widths of a grid of the
// given width. The report only reads it, so writing raises Property is read-only.

#include "app/display/SettingsGridModel.h"
#include "platform/controls/FlexGrid.h"

namespace tovu::reports {

class SettingsGridFlexGrid final : public platform::controls::FlexGrid {
public:
    // The model must outlive the adapter.
    explicit SettingsGridFlexGrid(const display::SettingsGridModel& grid, int gridWidthTwips = 5000);

    int rows() const override { return grid_.rowCount(); }
    int cols() const override { return display::SettingsGridModel::kColumns; }
    QString textMatrix(int row, int col) const override { return grid_.text(row, col); }
    int colWidth(int col) const override;
    void setRows(int rows) override;
    void setCols(int cols) override;
    void setTextMatrix(int row, int col, const QString& text) override;
    void setColWidth(int col, int twips) override;

private:
    const display::SettingsGridModel& grid_;
    int widthTwips_;
};

} // namespace tovu::reports
