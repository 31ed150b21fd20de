#pragma once
// The data grid as the document control walks it: Columns (Count, Item(c) with Caption),
// ApproxCount, VisibleRows, the current cell by visible row and column (Row, Col, Text)
// and Scroll(cols, rows). The grid shows a window of VisibleRows records starting at its
// top record; Row counts from that top. Making the last visible row current again while
// it is current scrolls the window down one record, as moving down from the last row
// does, so a caller that keeps asking for the last row reads record after record.

#include "platform/controls/ControlMembers.h"

#include <memory>
#include <vector>

namespace tovu::platform::controls {

class DataGridSource {
public:
    virtual ~DataGridSource() = default;
    virtual int columnCount() const = 0;
    virtual QString columnCaption(int column) const = 0;  // 0-based
    virtual int recordCount() const = 0;
    virtual QString cell(int record, int column) const = 0;
    virtual int visibleRows() const = 0;
    // Writing a cell; a grid that cannot be written raises Property is read-only.
    virtual void setCell(int record, int column, const QString& text);
};

DispatchRef dataGridDispatch(std::shared_ptr<DataGridSource> grid);  // "DataGrid"

class MemoryDataGrid final : public DataGridSource {
public:
    MemoryDataGrid(std::vector<QString> captions, std::vector<std::vector<QString>> records, int visibleRows);

    int columnCount() const override { return static_cast<int>(captions_.size()); }
    QString columnCaption(int column) const override { return captions_.at(static_cast<std::size_t>(column)); }
    int recordCount() const override { return static_cast<int>(records_.size()); }
    QString cell(int record, int column) const override;
    int visibleRows() const override { return visibleRows_; }
    void setCell(int record, int column, const QString& text) override;

private:
    std::vector<QString> captions_;
    std::vector<std::vector<QString>> records_;
    int visibleRows_;
};

} // namespace tovu::platform::controls
