#include "platform/office/word/Tables.h"

#include "platform/office/word/Shapes.h"

namespace tovu::platform::word {

TableModel& Table::get() const
{
    auto* t = state_->model->objectAs<TableModel>(object_);
    if (!t)
        throw WordError(QStringLiteral("Table"), QStringLiteral("the table no longer exists"));
    return *t;
}

TableCell& Table::cell(int row, int column, const char* operation) const
{
    TableModel& t = get();
    if (row < 1 || row > t.rows || column < 1 || column > t.columns)
        throw WordError(QLatin1String(operation), QStringLiteral("the requested member of the collection does not exist"));
    return t.cell(row - 1, column - 1);
}

int Table::rows() const { state_->enter(QStringLiteral("Table.Rows")); return get().rows; }
int Table::columns() const { state_->enter(QStringLiteral("Table.Columns")); return get().columns; }

QString Table::cellText(int row, int column) const
{
    state_->enter(QStringLiteral("Table.Cell"), QStringLiteral("%1,%2").arg(row).arg(column));
    return cell(row, column, "Table.Cell").text;
}

void Table::setCellText(int row, int column, const QString& text)
{
    state_->enter(QStringLiteral("Table.SetCellText"), QStringLiteral("%1,%2").arg(row).arg(column));
    QString clean = text;
    clean.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(u'\n', u'\r');
    cell(row, column, "Table.SetCellText").text = clean;
    state_->touch();
}

void Table::setCellShading(int row, int column, std::int32_t color)
{
    state_->enter(QStringLiteral("Table.SetCellShading"), QStringLiteral("%1,%2").arg(row).arg(column));
    cell(row, column, "Table.SetCellShading").shading = color;
    state_->touch();
}

bool Table::borders() const { state_->enter(QStringLiteral("Table.Borders")); return get().borders; }

void Table::setBorders(bool enable)
{
    state_->enter(QStringLiteral("Table.SetBorders"), enable ? QStringLiteral("true") : QStringLiteral("false"));
    get().borders = enable;
    state_->touch();
}

void Table::setHeadingRows(int rows)
{
    state_->enter(QStringLiteral("Table.SetHeadingRows"), QString::number(rows));
    TableModel& t = get();
    t.headingRows = std::clamp(rows, 0, t.rows);
    state_->touch();
}

void Table::setAutoFit(bool contents)
{
    state_->enter(QStringLiteral("Table.AutoFit"));
    get().autoFit = contents;
    state_->touch();
}

const TableModel& Table::model() const { return get(); }

int Tables::count() const
{
    state_->enter(QStringLiteral("Tables.Count"));
    return static_cast<int>(objectPositions<TableModel>(*state_).size());
}

Table Tables::item(int index) const
{
    state_->enter(QStringLiteral("Tables.Item"), QString::number(index));
    const auto all = objectPositions<TableModel>(*state_);
    if (index < 1 || index > static_cast<int>(all.size()))
        throw WordError(QStringLiteral("Tables.Item"), QStringLiteral("the requested member of the collection does not exist"));
    return Table(state_, all[static_cast<std::size_t>(index - 1)].second);
}

Table Tables::add(Range range, int rows, int columns)
{
    state_->enter(QStringLiteral("Tables.Add"), QStringLiteral("%1,%2").arg(rows).arg(columns));
    if (rows < 1 || columns < 1 || columns > 63)
        throw WordError(QStringLiteral("Tables.Add"), QStringLiteral("a table needs 1 or more rows and 1 to 63 columns"));
    if (&range.story() != &state_->model->body)
        throw WordError(QStringLiteral("Tables.Add"), QStringLiteral("tables go in the main text only"));
    TableModel table;
    table.resize(rows, columns);
    const int s = range.start();
    range.story().remove(s, range.end());
    const int pos = insertTableObject(*state_, range.story(), s, std::move(table));
    return Table(state_, range.story().at(pos).object);
}

int insertTableObject(DocumentState& state, Story& story, int pos, TableModel table)
{
    const std::uint16_t font = story.at(std::min(pos, story.length() - 1)).font;
    // A table stands as a paragraph of its own: split the paragraph around it as needed.
    if (pos != story.paragraphStart(pos))
        pos += story.insertText(pos, QStringLiteral("\r"), font);
    const int object = state.model->addObject(std::move(table));
    story.insertObject(pos, object, font);
    if (story.at(pos + 1).ch != kParagraphMark)
        story.insertText(pos + 1, QStringLiteral("\r"), font);
    return pos;
}

}  // namespace tovu::platform::word
