#include "platform/controls/DataGrid.h"

#include <algorithm>

namespace tovu::platform::controls {

namespace {

const QString kName = QStringLiteral("DataGrid");

struct GridWindow {
    std::shared_ptr<DataGridSource> source;
    int top = 0;  // record shown in visible row 0
    int row = 0;
    int col = 0;

    int shownRows() const { return std::max(0, std::min(source->visibleRows(), source->recordCount() - top)); }
    void setRow(int r)
    {
        checkedIndex(r, 0, shownRows() - 1, kName);
        if (r == row && r == source->visibleRows() - 1 && top + r + 1 < source->recordCount())
            ++top;
        row = r;
    }
    void scroll(int rows)
    {
        const int last = std::max(0, source->recordCount() - 1);
        top = std::clamp(top + rows, 0, last);
        row = std::min(row, std::max(0, shownRows() - 1));
    }
};

} // namespace

DispatchRef dataGridDispatch(std::shared_ptr<DataGridSource> grid)
{
    auto w = std::make_shared<GridWindow>();
    w->source = grid;
    auto column = [grid](int c) {
        return automation::makeDispatch(
            {
                {QStringLiteral("Caption"), 1, [grid, c](Args&) { return Variant(grid->columnCaption(c)); }},
            },
            QStringLiteral("Column"));
    };
    auto columns = [grid, column] {
        return automation::makeDispatch(
            {
                {QStringLiteral("Count"), 1, [grid](Args&) { return Variant(std::int32_t{grid->columnCount()}); }},
                {QStringLiteral("Item"), automation::DispIdValue,
                 [grid, column](Args& a) { return Variant(column(checkedIndex(longArgument(a, 0), 0, grid->columnCount() - 1, kName))); }},
            },
            QStringLiteral("Columns"));
    };
    return automation::makeDispatch(
        {
            {QStringLiteral("Columns"), 1, [columns](Args&) { return Variant(columns()); }},
            {QStringLiteral("ApproxCount"), 2, [grid](Args&) { return Variant(std::int32_t{grid->recordCount()}); }},
            {QStringLiteral("VisibleRows"), 3, [w](Args&) { return Variant(std::int32_t{w->shownRows()}); }},
            {QStringLiteral("Row"), 4, [w](Args&) { return Variant(std::int32_t{w->row}); },
             [w](Args& a) { w->setRow(assignedValue(a).toLong()); return Variant(); }},
            {QStringLiteral("Col"), 5, [w](Args&) { return Variant(std::int32_t{w->col}); },
             [w](Args& a) {
                 w->col = checkedIndex(assignedValue(a).toLong(), 0, w->source->columnCount() - 1, kName);
                 return Variant();
             }},
            {QStringLiteral("Text"), automation::DispIdValue,
             [w](Args&) {
                 checkedIndex(w->row, 0, w->shownRows() - 1, kName);
                 return Variant(w->source->cell(w->top + w->row, w->col));
             },
             [w](Args& a) {
                 checkedIndex(w->row, 0, w->shownRows() - 1, kName);
                 w->source->setCell(w->top + w->row, w->col, assignedValue(a).toString());
                 return Variant();
             }},
            {QStringLiteral("Scroll"), 6,
             [w](Args& a) {
                 w->scroll(longArgument(a, 1));
                 return Variant();
             }},
        },
        kName);
}

void DataGridSource::setCell(int, int, const QString&)
{
    raiseReadOnly(kName);
}

MemoryDataGrid::MemoryDataGrid(std::vector<QString> captions, std::vector<std::vector<QString>> records, int visibleRows)
    : captions_(std::move(captions))
    , records_(std::move(records))
    , visibleRows_(visibleRows)
{
}

QString MemoryDataGrid::cell(int record, int column) const
{
    const auto& r = records_.at(static_cast<std::size_t>(record));
    return column < static_cast<int>(r.size()) ? r[static_cast<std::size_t>(column)] : QString();
}

void MemoryDataGrid::setCell(int record, int column, const QString& text)
{
    auto& r = records_.at(static_cast<std::size_t>(record));
    if (static_cast<int>(r.size()) <= column)
        r.resize(static_cast<std::size_t>(column) + 1);
    r[static_cast<std::size_t>(column)] = text;
}

} // namespace tovu::platform::controls
