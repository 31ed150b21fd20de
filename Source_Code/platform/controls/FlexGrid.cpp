#include "platform/controls/FlexGrid.h"

namespace tovu::platform::controls {

namespace {

const QString kName = QStringLiteral("MSFlexGrid");

// The current cell lives with the automation object, as the grid's Row and Col do.
struct FlexGridState {
    std::shared_ptr<FlexGrid> grid;
    int row = 0;
    int col = 0;

    int rowIndex(const Args& a, std::size_t i) const { return checkedIndex(longArgument(a, i), 0, grid->rows() - 1, kName); }
    int colIndex(const Args& a, std::size_t i) const { return checkedIndex(longArgument(a, i), 0, grid->cols() - 1, kName); }
    std::pair<int, int> cellOfNumber(const Args& a) const
    {
        const int cols = grid->cols();
        const std::int32_t n = longArgument(a, 0);
        if (cols <= 0 || n < 0 || n >= grid->rows() * cols)
            raiseInvalidIndex(kName);
        return {n / cols, n % cols};
    }
    int count(const Variant& v) const
    {
        const std::int32_t n = v.toLong();
        if (n < 0)
            raiseInvalidIndex(kName);
        return n;
    }
};

} // namespace

DispatchRef flexGridDispatch(std::shared_ptr<FlexGrid> grid)
{
    auto s = std::make_shared<FlexGridState>();
    s->grid = std::move(grid);
    return automation::makeDispatch(
        {
            {QStringLiteral("Rows"), 1, [s](Args&) { return Variant(std::int32_t{s->grid->rows()}); },
             [s](Args& a) { s->grid->setRows(s->count(assignedValue(a))); return Variant(); }},
            {QStringLiteral("Cols"), 2, [s](Args&) { return Variant(std::int32_t{s->grid->cols()}); },
             [s](Args& a) { s->grid->setCols(s->count(assignedValue(a))); return Variant(); }},
            {QStringLiteral("TextMatrix"), 3,
             [s](Args& a) { return Variant(s->grid->textMatrix(s->rowIndex(a, 0), s->colIndex(a, 1))); },
             [s](Args& a) {
                 s->grid->setTextMatrix(s->rowIndex(a, 0), s->colIndex(a, 1), assignedValue(a).toString());
                 return Variant();
             }},
            {QStringLiteral("TextArray"), 4,
             [s](Args& a) {
                 const auto [r, c] = s->cellOfNumber(a);
                 return Variant(s->grid->textMatrix(r, c));
             },
             [s](Args& a) {
                 const auto [r, c] = s->cellOfNumber(a);
                 s->grid->setTextMatrix(r, c, assignedValue(a).toString());
                 return Variant();
             }},
            {QStringLiteral("ColWidth"), 5,
             [s](Args& a) { return Variant(std::int32_t{s->grid->colWidth(s->colIndex(a, 0))}); },
             [s](Args& a) {
                 s->grid->setColWidth(s->colIndex(a, 0), assignedValue(a).toLong());
                 return Variant();
             }},
            {QStringLiteral("FixedRows"), 6, [s](Args&) { return Variant(std::int32_t{s->grid->fixedRows()}); }},
            {QStringLiteral("FixedCols"), 7, [s](Args&) { return Variant(std::int32_t{s->grid->fixedCols()}); }},
            {QStringLiteral("Row"), 8, [s](Args&) { return Variant(std::int32_t{s->row}); },
             [s](Args& a) {
                 s->row = checkedIndex(assignedValue(a).toLong(), 0, s->grid->rows() - 1, kName);
                 return Variant();
             }},
            {QStringLiteral("Col"), 9, [s](Args&) { return Variant(std::int32_t{s->col}); },
             [s](Args& a) {
                 s->col = checkedIndex(assignedValue(a).toLong(), 0, s->grid->cols() - 1, kName);
                 return Variant();
             }},
            {QStringLiteral("Text"), automation::DispIdValue,
             [s](Args&) {
                 checkedIndex(s->row, 0, s->grid->rows() - 1, kName);
                 checkedIndex(s->col, 0, s->grid->cols() - 1, kName);
                 return Variant(s->grid->textMatrix(s->row, s->col));
             },
             [s](Args& a) {
                 checkedIndex(s->row, 0, s->grid->rows() - 1, kName);
                 checkedIndex(s->col, 0, s->grid->cols() - 1, kName);
                 s->grid->setTextMatrix(s->row, s->col, assignedValue(a).toString());
                 return Variant();
             }},
        },
        kName);
}

MemoryFlexGrid::MemoryFlexGrid(int rows, int cols)
    : rows_(rows)
    , cols_(cols)
{
    reshape();
}

void MemoryFlexGrid::reshape()
{
    cells_.resize(static_cast<std::size_t>(rows_));
    for (auto& row : cells_)
        row.resize(static_cast<std::size_t>(cols_));
    widths_.resize(static_cast<std::size_t>(cols_), 960);  // a new grid column is 960 twips
}

QString MemoryFlexGrid::textMatrix(int row, int col) const
{
    return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
}

int MemoryFlexGrid::colWidth(int col) const
{
    return widths_.at(static_cast<std::size_t>(col));
}

void MemoryFlexGrid::setRows(int rows)
{
    rows_ = rows;
    reshape();
}

void MemoryFlexGrid::setCols(int cols)
{
    cols_ = cols;
    reshape();
}

void MemoryFlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col)) = text;
}

void MemoryFlexGrid::setColWidth(int col, int twips)
{
    widths_.at(static_cast<std::size_t>(col)) = twips;
}

} // namespace tovu::platform::controls
