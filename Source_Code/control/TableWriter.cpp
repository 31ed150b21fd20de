#include "control/TableWriter.h"

#include "control/InsertionPoint.h"
#include "control/ParagraphWriter.h"
#include "control/clsConcat.h"
#include "platform/automation/AutomationError.h"

#include <limits>

namespace tovu::control {

namespace {

// Word's go-to kind for a bookmark.
constexpr int kGoToBookmark = -1;
const QString kTab = QStringLiteral("\t");
const QString kRowEnd = QStringLiteral("\r\n");

// The element's text as it goes into a cell; Null is an empty cell.
QString cellText(const automation::Variant& element)
{
    if (element.isNull())
        return {};
    QString text = element.toString();
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\v"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\v'));
    text.replace(QLatin1Char('\n'), QLatin1Char('\v'));
    return text;
}

// The column bounds are held as 16-bit integers: wider arrays overflow.
std::int16_t columnBound(std::int32_t bound)
{
    if (bound < std::numeric_limits<std::int16_t>::min() || bound > std::numeric_limits<std::int16_t>::max())
        throw automation::AutomationError::standard(automation::ErrorNumber::Overflow);
    return static_cast<std::int16_t>(bound);
}

} // namespace

QString twoDArrayTableText(const automation::SafeArray& array)
{
    const std::int32_t firstRow = array.lbound(1);
    const std::int32_t lastRow = array.ubound(1);
    const std::int16_t firstCol = columnBound(array.lbound(2));
    const std::int16_t lastCol = columnBound(array.ubound(2));
    clsConcat builder;
    for (std::int32_t r = firstRow; r <= lastRow; ++r)
        for (std::int32_t c = firstCol; c <= lastCol; ++c) {
            builder.SConcat(cellText(array.get({r, c})));
            builder.SConcat(c == lastCol ? kRowEnd : kTab);
        }
    return builder.GetString();
}

QString oneDArrayTableText(const automation::SafeArray& array)
{
    const std::int32_t first = array.lbound(1);
    const std::int32_t last = array.ubound(1);
    clsConcat builder;
    for (std::int32_t i = first; i <= last; ++i) {
        builder.SConcat(cellText(array.get({i})));
        builder.SConcat(i == last ? kRowEnd : kTab);
    }
    return builder.GetString();
}

void writeWordTable(word::Document& document, const QString& text, const TableArgs& a)
{
    const QString bookmark = GetInsertionPointBookmark(a.insertionPoint);
    word::Range at = document.bookmarks().range(bookmark);
    document.goTo(kGoToBookmark, bookmark);
    word::Paragraph paragraph = document.content().paragraphs().add();
    paragraph.format().setSpaceAfter(0);
    paragraph.setAlignment(static_cast<word::Alignment>(a.paragraphAlign));
    at.setText(text);
    word::Font font = at.font();
    font.setName(a.font);
    font.setSize(a.size);
    font.setBold(a.bold);
    paragraph.format().setSpaceAfter(a.spaceAfter);
    word::TableFormatOptions options;
    options.format = a.tableType;
    options.borders = a.borders;
    options.shading = a.shading;
    options.font = a.applyFont;
    options.color = a.color;
    options.headingRows = a.headingRows;
    options.lastRow = a.lastRow;
    options.firstColumn = a.firstColumn;
    options.lastColumn = a.lastColumn;
    options.autoFit = a.autoFit;
    at.convertToTable(kTab, 0, 0, a.columnWidth, options);
    resetParagraph(paragraph);
}

} // namespace tovu::control
