#include "platform/office/word/Range.h"

#include "platform/office/word/Find.h"
#include "platform/office/word/Hyperlinks.h"
#include "platform/office/word/PageLayout.h"
#include "platform/office/word/Paragraphs.h"
#include "platform/office/word/Shapes.h"
#include "platform/office/word/Tables.h"

#include <algorithm>

namespace tovu::platform::word {

Range::Range(StatePtr state, Story* story, std::shared_ptr<Anchor> anchor, bool paragraphRange)
    : state_(std::move(state)), story_(story), anchor_(std::move(anchor)), paragraphRange_(paragraphRange)
{
}

void Range::enter(const char* operation, const QString& arguments) const
{
    state_->enter(QStringLiteral("Range.") + QLatin1String(operation), arguments);
}

int Range::start() const { return std::min(anchor_->start, story_->length()); }
int Range::end() const { return std::min(anchor_->end, story_->length()); }

void Range::setRange(int start, int end)
{
    enter("SetRange", QStringLiteral("%1,%2").arg(start).arg(end));
    anchor_->start = story_->clamp(start);
    anchor_->end = story_->clamp(std::max(start, end));
}

void Range::collapse(bool toStart)
{
    enter("Collapse");
    if (toStart)
        anchor_->end = anchor_->start;
    else
        anchor_->start = anchor_->end;
}

QString Range::text() const
{
    enter("Text");
    return story_->text(start(), end());
}

std::uint16_t Range::fontAt(int pos) const
{
    pos = std::min(pos, story_->length() - 1);
    return story_->at(std::max(pos, 0)).font;
}

void Range::setText(const QString& text)
{
    enter("SetText", text);
    int s = start();
    int e = end();
    // The final mark cannot go; a paragraph's own range keeps its mark as well.
    if (e >= story_->length() || (paragraphRange_ && e > s && story_->at(e - 1).ch == kParagraphMark))
        e = std::max(s, e - 1);
    const std::uint16_t font = fontAt(s);
    story_->remove(s, e);
    const int n = story_->insertText(s, text, font);
    anchor_->start = s;
    anchor_->end = s + n;
}

void Range::insertAfter(const QString& text)
{
    enter("InsertAfter", text);
    const int s = start();
    int e = std::min(end(), story_->length() - 1);
    const int n = story_->insertText(e, text, fontAt(e > s ? e - 1 : e));
    anchor_->start = std::min(s, e);
    anchor_->end = e + n;
}

void Range::insertBefore(const QString& text)
{
    enter("InsertBefore", text);
    const int s = std::min(start(), story_->length() - 1);
    const int e = end();
    const int n = story_->insertText(s, text, fontAt(s));
    anchor_->start = s;
    anchor_->end = std::max(e, s) + n;
}

void Range::insertParagraphAfter()
{
    enter("InsertParagraphAfter");
    const int s = start();
    int e = end();
    int at = std::min(e, story_->length() - 1);
    if (e > s && story_->at(e - 1).ch == kParagraphMark)
        at = e - 1;
    story_->insertText(at, QStringLiteral("\r"), fontAt(at > 0 ? at - 1 : at));
    anchor_->start = s;
    anchor_->end = std::max(e, at) + 1;
}

void Range::insertBreak(BreakType type)
{
    enter("InsertBreak", QString::number(static_cast<int>(type)));
    QString ch;
    switch (type) {
    case BreakType::Page: ch = QChar(kPageBreak); break;
    case BreakType::Line: ch = QChar(kLineBreak); break;
    case BreakType::Column:
        throw WordError(QStringLiteral("Range.InsertBreak"), QStringLiteral("column breaks are not supported"));
    }
    const int s = start();
    int e = std::min(end(), story_->length() - 1);
    story_->remove(s, e);
    story_->insertText(s, ch, fontAt(s));
    anchor_->start = anchor_->end = s + 1;
}

void Range::deleteText()
{
    enter("Delete");
    story_->remove(start(), end());
}

void Range::select()
{
    enter("Select");
    if (story_ != &state_->model->body)
        throw WordError(QStringLiteral("Range.Select"), QStringLiteral("only the main text can be selected"));
    state_->selection->start = start();
    state_->selection->end = end();
}

Font Range::font() const { return Font(*this); }
ParagraphFormat Range::paragraphFormat() const { return ParagraphFormat(*this); }
Paragraphs Range::paragraphs() const { return Paragraphs(*this); }
Find Range::find() const { return Find(*this); }
Hyperlinks Range::hyperlinks() const { return Hyperlinks(state_); }
InlineShapes Range::inlineShapes() const { return InlineShapes(state_); }

Table Range::convertToTable(const QString& separator, int numRows, int numColumns, double initialColumnWidth,
                            const TableFormatOptions& options)
{
    enter("ConvertToTable", separator == QLatin1String("\t") ? QStringLiteral("tab") : separator);
    if (separator.isEmpty())
        throw WordError(QStringLiteral("Range.ConvertToTable"), QStringLiteral("no separator"));
    const int s = start();
    const int e = std::max(s + 1, end());
    const int first = story_->paragraphStart(s);
    const int last = story_->paragraphEnd(e - 1);  // one past the last mark
    TableModel table;
    std::vector<std::vector<TableCell>> rows;
    for (auto [ps, pe] : story_->paragraphs()) {
        if (ps < first || pe > last)
            continue;
        std::vector<TableCell> row;
        TableCell cell;
        bool fresh = true;
        const ParaFormat para = story_->pool().para(story_->at(pe - 1).para);
        for (int i = ps; i < pe; ++i) {
            const StoryChar& c = story_->at(i);
            if (fresh) {
                cell.font = story_->pool().font(c.font);
                cell.para = para;
                fresh = false;
            }
            const bool atSeparator = story_->text(i, i + separator.size()) == separator;
            if (c.ch == kParagraphMark || atSeparator) {
                row.push_back(cell);
                cell = TableCell{};
                fresh = true;
                if (atSeparator)
                    i += static_cast<int>(separator.size()) - 1;
                continue;
            }
            if (c.ch != kObjectChar)
                cell.text += QChar(c.ch == kLineBreak ? u'\r' : c.ch);
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        throw WordError(QStringLiteral("Range.ConvertToTable"), QStringLiteral("nothing to convert"));
    int columns = numColumns > 0 ? numColumns : 0;
    if (columns == 0)
        for (const auto& r : rows)
            columns = std::max(columns, static_cast<int>(r.size()));
    const int rowCount = std::max(numRows, static_cast<int>(rows.size()));
    table.resize(rowCount, columns);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[r].size()) && c < columns; ++c)
            table.cell(r, c) = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    table.columnWidth = initialColumnWidth > 0 ? initialColumnWidth : 0;
    applyTableFormat(table, options);
    // The converted paragraphs give way to the table; the last one's mark stays behind it.
    story_->remove(first, last - 1);
    const int pos = insertTableObject(*state_, *story_, first, std::move(table));
    anchor_->start = pos;
    anchor_->end = pos + 1;
    return Table(state_, story_->at(pos).object);
}

int Range::information(Information what) const
{
    enter("Information", QString::number(static_cast<int>(what)));
    if (story_ != &state_->model->body)
        throw WordError(QStringLiteral("Range.Information"), QStringLiteral("only the main text has pages"));
    if (what == Information::SectionNumber)
        return 1;
    PageLayout layout(*state_->model);
    if (what == Information::NumberOfPages)
        return layout.pageCount();
    return layout.pageOfPosition(std::max(start(), end() - 1));
}

// --- Font ---

CharFormat Font::get() const
{
    range_.state()->enter(QStringLiteral("Font.Get"));
    const Story& story = range_.story();
    return story.pool().font(story.at(std::min(range_.start(), story.length() - 1)).font);
}

template <class T>
void Font::set(const char* operation, T CharFormat::*member, T value)
{
    range_.state()->enter(QStringLiteral("Font.") + QLatin1String(operation), QVariant::fromValue(value).toString());
    range_.story().setFont(range_.start(), range_.end(), [&](CharFormat& f) { f.*member = value; });
}

void Font::setName(const QString& v) { set("Name", &CharFormat::name, v); }
void Font::setSize(double v)
{
    if (v < 1 || v > 1638)
        throw WordError(QStringLiteral("Font.Size"), QStringLiteral("the size must lie between 1 and 1638 points"));
    set("Size", &CharFormat::size, v);
}
void Font::setBold(bool v) { set("Bold", &CharFormat::bold, v); }
void Font::setItalic(bool v) { set("Italic", &CharFormat::italic, v); }
void Font::setUnderline(bool v) { set("Underline", &CharFormat::underline, v); }
void Font::setStrikeThrough(bool v) { set("Strikethrough", &CharFormat::strikeThrough, v); }
void Font::setEmboss(bool v) { set("Emboss", &CharFormat::emboss, v); }
void Font::setEngrave(bool v) { set("Engrave", &CharFormat::engrave, v); }
void Font::setShadow(bool v) { set("Shadow", &CharFormat::shadow, v); }
void Font::setAnimation(int v) { set("Animation", &CharFormat::animation, v < 0 || v > 6 ? 0 : v); }
void Font::setColor(std::int32_t v) { set("Color", &CharFormat::color, v); }

void Font::reset()
{
    range_.state()->enter(QStringLiteral("Font.Reset"));
    range_.story().setFont(range_.start(), range_.end(), [](CharFormat& f) { f = CharFormat{}; });
}

// --- ParagraphFormat ---

ParaFormat ParagraphFormat::get() const
{
    range_.state()->enter(QStringLiteral("ParagraphFormat.Get"));
    const Story& story = range_.story();
    return story.pool().para(story.at(story.paragraphEnd(range_.start()) - 1).para);
}

void ParagraphFormat::setAlignment(Alignment v)
{
    range_.state()->enter(QStringLiteral("ParagraphFormat.Alignment"), QString::number(static_cast<int>(v)));
    const int a = static_cast<int>(v);
    const Alignment checked = a < 0 || a > 3 ? Alignment::Left : v;
    range_.story().setParaFormat(range_.start(), range_.end(), [&](ParaFormat& p) { p.alignment = checked; });
}

void ParagraphFormat::setSpaceAfter(double v)
{
    range_.state()->enter(QStringLiteral("ParagraphFormat.SpaceAfter"), QString::number(v));
    if (v < 0 || v > 1584)
        throw WordError(QStringLiteral("ParagraphFormat.SpaceAfter"), QStringLiteral("value out of range"));
    range_.story().setParaFormat(range_.start(), range_.end(), [&](ParaFormat& p) { p.spaceAfter = v; });
}

void ParagraphFormat::setSpaceBefore(double v)
{
    range_.state()->enter(QStringLiteral("ParagraphFormat.SpaceBefore"), QString::number(v));
    if (v < 0 || v > 1584)
        throw WordError(QStringLiteral("ParagraphFormat.SpaceBefore"), QStringLiteral("value out of range"));
    range_.story().setParaFormat(range_.start(), range_.end(), [&](ParaFormat& p) { p.spaceBefore = v; });
}

void ParagraphFormat::reset()
{
    range_.state()->enter(QStringLiteral("ParagraphFormat.Reset"));
    range_.story().setParaFormat(range_.start(), range_.end(), [](ParaFormat& p) { p = ParaFormat{}; });
}

}  // namespace tovu::platform::word
