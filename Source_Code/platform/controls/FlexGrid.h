#pragma once
// The flex grid as the document control reads and fills it: Rows, Cols, the cell texts
// by row and column (TextMatrix) or by cell number (TextArray, row * Cols + column),
// column widths in twips, the fixed rows and columns, and the current cell (Row, Col,
// Text). Any grid of the program offers these through an implementation of FlexGrid;
// flexGridDispatch() makes it the automation object the control is handed.

#include "platform/controls/ControlMembers.h"

#include <memory>
#include <vector>

namespace tovu::platform::controls {

class FlexGrid {
public:
    virtual ~FlexGrid() = default;
    virtual int rows() const = 0;
    virtual int cols() const = 0;
    // Texts of cells inside the grid; callers check the bounds.
    virtual QString textMatrix(int row, int col) const = 0;
    virtual int colWidth(int col) const = 0;  // twips
    virtual int fixedRows() const { return 1; }
    virtual int fixedCols() const { return 1; }

    // A grid that cannot be written raises Property is read-only from these.
    virtual void setRows(int rows) = 0;
    virtual void setCols(int cols) = 0;
    virtual void setTextMatrix(int row, int col, const QString& text) = 0;
    virtual void setColWidth(int col, int twips) = 0;
};

// The automation object of a grid, typed "MSFlexGrid". Indexes outside the grid raise
// Invalid property array index (381); a negative Rows or Cols does too.
DispatchRef flexGridDispatch(std::shared_ptr<FlexGrid> grid);

// A grid held in memory (2 rows, 2 columns, 1 fixed row and column at the start, as a
// new grid on a form).
class MemoryFlexGrid final : public FlexGrid {
public:
    MemoryFlexGrid(int rows = 2, int cols = 2);

    int rows() const override { return rows_; }
    int cols() const override { return cols_; }
    QString textMatrix(int row, int col) const override;
    int colWidth(int col) const override;
    void setRows(int rows) override;
    void setCols(int cols) override;
    void setTextMatrix(int row, int col, const QString& text) override;
    void setColWidth(int col, int twips) override;

private:
    int rows_;
    int cols_;
    std::vector<std::vector<QString>> cells_;  // [row][col]
    std::vector<int> widths_;
    void reshape();
};

} // namespace tovu::platform::controls
