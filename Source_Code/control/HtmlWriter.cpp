#include "control/HtmlWriter.h"

#include "control/WholeFile.h"
#include "control/clsConcat.h"
#include "platform/automation/AutomationError.h"
#include "platform/locale/AnsiCodePage.h"


namespace tovu::control {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
constexpr int kWesternPage = 1252;

QString alignWord(std::int32_t align)
{
    switch (align) {
    case 0: return QStringLiteral("LEFT");
    case 2: return QStringLiteral("RIGHT");
    default: return QStringLiteral("CENTER");
    }
}

// A value inside single quotes: a quote or ampersand of its own would end or garble the
// attribute, so those (and angle brackets) are written as character references.
QString attributeText(const QString& value)
{
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '\'': out += QStringLiteral("&#39;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        default: out += c;
        }
    }
    return out;
}

// Text between tags: its own ampersands and opening angle brackets as character
// references, so no character of it can start an element or a reference.
QString plainText(const QString& text)
{
    return QString(text)
        .replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"));
}

// " NAME='value'" when the value holds more than blanks; the value itself is kept untrimmed.
void optionalAttribute(clsConcat& out, const char* name, const QString& value)
{
    if (value.trimmed().isEmpty())
        return;
    out.SConcat(QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("='"));
    out.SConcat(attributeText(value));
    out.SConcat(QStringLiteral("'"));
}

QString elementText(const automation::Variant& element)
{
    return element.isNull() ? QString() : element.toString();
}

class TableBuilder {
public:
    explicit TableBuilder(const HtmlTableArgs& args) : args_(args)
    {
        out_.SConcat(QStringLiteral("<TABLE ALIGN=") + alignWord(args.tableAlign));
        out_.SConcat(QStringLiteral(" BORDER=") + QString::number(args.border));
        out_.SConcat(QStringLiteral(" CELLSPACING=") + QString::number(args.cellSpacing));
        out_.SConcat(QStringLiteral(" CELLPADDING=") + QString::number(args.cellPadding));
        out_.SConcat(QStringLiteral(" WIDTH='") + QString::number(args.widthPct) + QStringLiteral("%'"));
        optionalAttribute(out_, "BACKGROUND", args.background);
        optionalAttribute(out_, "BGCOLOR", args.backgroundColor);
        optionalAttribute(out_, "BORDERCOLOR", args.borderColor);
        out_.SConcat(QStringLiteral("><TBODY>"));
        out_.SConcat(kLineEnd);
    }
    void rowStart()
    {
        out_.SConcat(QStringLiteral("<TR ALIGN=") + alignWord(args_.cellAlign));
        if (!args_.wrapCellData)
            out_.SConcat(QStringLiteral(" NOWRAP"));
        out_.SConcat(QStringLiteral(">"));
    }
    void cell(const QString& text, bool bold)
    {
        out_.SConcat(QStringLiteral("<TD"));
        if (!args_.wrapCellData)
            out_.SConcat(QStringLiteral(" NOWRAP"));
        out_.SConcat(bold ? QStringLiteral("><STRONG>") : QStringLiteral(">"));
        out_.SConcat(text);
        out_.SConcat(bold ? QStringLiteral("</STRONG></TD>") : QStringLiteral("</TD>"));
    }
    void rowEnd()
    {
        out_.SConcat(QStringLiteral("</TR>"));
        out_.SConcat(kLineEnd);
    }
    QString finish()
    {
        out_.SConcat(QStringLiteral("</TBODY></TABLE>"));
        return out_.GetString();
    }

private:
    const HtmlTableArgs& args_;
    clsConcat out_;
};

} // namespace

QString oneDArrayHtmlTable(const automation::SafeArray& array, const HtmlTableArgs& args)
{
    TableBuilder table(args);
    const std::int32_t first = array.lbound(1);
    for (std::int32_t i = first, last = array.ubound(1); i <= last; ++i) {
        table.rowStart();
        table.cell(elementText(array.get({i})), args.boldFirstRow && i == first);
        table.rowEnd();
    }
    return table.finish();
}

QString twoDArrayHtmlTable(const automation::SafeArray& array, const HtmlTableArgs& args)
{
    TableBuilder table(args);
    const std::int32_t firstRow = array.lbound(1);
    const std::int32_t firstCol = array.lbound(2);
    for (std::int32_t r = firstRow, lastRow = array.ubound(1); r <= lastRow; ++r) {
        table.rowStart();
        for (std::int32_t c = firstCol, lastCol = array.ubound(2); c <= lastCol; ++c)
            table.cell(elementText(array.get({r, c})),
                       (args.boldFirstRow && r == firstRow) || (args.boldFirstColumn && c == firstCol));
        table.rowEnd();
    }
    return table.finish();
}

QString htmlPage(const QString& table, const HtmlPageArgs& page)
{
    clsConcat out;
    const auto line = [&](const QString& text) {
        out.SConcat(text);
        out.SConcat(kLineEnd);
    };
    line(QStringLiteral("<HTML>"));
    line(QStringLiteral("<HEAD>"));
    // Heading and title are plain text, so their specials are escaped: a heading of its
    // caller's words cannot open an element or a script. (Cell texts are mark-up of the caller's.)
    if (const QString heading = page.heading.trimmed(); !heading.isEmpty())
        line(QStringLiteral("<STRONG><CENTER>") + plainText(heading) + QStringLiteral("</CENTER></STRONG><BR>"));
    line(QStringLiteral("<TITLE>"));
    if (const QString title = page.title.trimmed(); !title.isEmpty())
        line(plainText(title));
    line(QStringLiteral("</TITLE>"));
    line(QStringLiteral("</HEAD>"));
    out.SConcat(QStringLiteral("<BODY "));
    optionalAttribute(out, "BGCOLOR", page.backgroundColor);
    optionalAttribute(out, "BACKGROUND", page.background);
    line(QStringLiteral(">"));
    line(table);
    line(QStringLiteral("</BODY>"));
    line(QStringLiteral("</HTML>"));
    // The page goes out as one printed line, which adds the last line end.
    out.SConcat(kLineEnd);
    return out.GetString();
}

void writeHtmlFile(const QString& path, const QString& text)
{
    writeWholeFile(path, platform::locale::encode(text, kWesternPage));
}

} // namespace tovu::control
