// Word's 43 table formats as direct formatting: each format its own look, each part of it
// only where its option is on, written into the .docx (checked by our reader and by an
// independent parser) and drawn in the PDF.
#include "WordTestSupport.h"

#include "platform/office/word/PageLayout.h"
#include "platform/office/word/TableFormats.h"

#include <QImage>
#include <QPainter>
#include <set>

namespace tovu::platform::word::test {
namespace {

TableFormatOptions allOn(int format)
{
    TableFormatOptions o;
    o.format = format;
    return o;
}

class TableFormatsTest : public WordTest {
protected:
    // A 4 x 4 table at the end of the document, converted with the given options.
    Table addTable(const TableFormatOptions& o)
    {
        Range at = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
        doc->content().paragraphs().add();
        QString text;
        for (int r = 0; r < 4; ++r)
            text += QStringLiteral("r%1a\tr%1b\tr%1c\tr%1d\r\n").arg(r);
        at.setText(text);
        at.font().setName(QStringLiteral("Arial"));
        return at.convertToTable(QStringLiteral("\t"), 0, 0, 0, o);
    }
    static TableModel converted(const TableFormatOptions& o)
    {
        TableModel t;
        t.resize(4, 4);
        applyTableFormat(t, o);
        return t;
    }
    // The page drawn at 2 pixels per point.
    QImage page(int n = 1)
    {
        PageLayout layout(doc->model());
        QImage image((layout.pageSize() * 2).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(2, 2);
        layout.paintPage(painter, n);
        return image;
    }
};

int pixelsOf(const QImage& image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF) ? 1 : 0;
    return n;
}

bool isGrey(std::int32_t wordColor)
{
    const QColor c = colorFromWord(wordColor);
    return c.red() == c.green() && c.green() == c.blue();
}

TEST_F(TableFormatsTest, EveryFormatHasALookOfItsOwnAndNoneIsPlain)
{
    std::set<QString> looks;
    for (int format = 0; format < kTableFormatCount; ++format) {
        const TableModel t = converted(allOn(format));
        QString look;
        const auto line = [](const BorderLine& l) { return QStringLiteral("%1/%2/%3;").arg(l.style).arg(l.size).arg(l.color); };
        for (const BorderLine* l : {&t.lines.top, &t.lines.left, &t.lines.bottom, &t.lines.right, &t.lines.insideH, &t.lines.insideV})
            look += line(*l);
        for (const TableCell& c : t.cells) {
            look += QStringLiteral("|%1%2%3%4").arg(c.shading).arg(c.fontColor).arg(c.bold).arg(c.italic);
            for (const BorderLine* l : {&c.edges.top, &c.edges.left, &c.edges.bottom, &c.edges.right})
                look += line(*l);
        }
        EXPECT_TRUE(looks.insert(look).second) << "format " << format << " looks like another";
        EXPECT_EQ(t.format, format);
    }
    const TableModel none = converted(allOn(0));
    EXPECT_FALSE(none.borders);
    EXPECT_EQ(none.headingRows, 0);
    for (const TableCell& c : none.cells) {
        EXPECT_EQ(c.shading, kColorAutomatic);
        EXPECT_FALSE(c.bold || c.italic || c.edges.any());
    }
    // A format that rules only some cell edges draws no other line; a table ruled without a
    // format has single lines everywhere.
    const TableModel edgesOnly = converted(allOn(2));
    EXPECT_TRUE(edgesOnly.borders);
    EXPECT_EQ(drawnTableLines(edgesOnly), TableBorders{});
    EXPECT_FALSE(drawnCellBorders(edgesOnly, 0, 1).bottom.isNone());
    EXPECT_FALSE(drawnCellBorders(edgesOnly, 1, 1).left.isNone()) << "the first column's rule";
    EXPECT_TRUE(drawnCellBorders(edgesOnly, 1, 2).left.isNone());
    TableModel plain;
    plain.resize(2, 2);
    plain.borders = true;
    EXPECT_EQ(drawnTableLines(plain).insideV.style, QStringLiteral("single"));
    EXPECT_EQ(drawnCellBorders(plain, 1, 1).left.style, QStringLiteral("single"));
    // Numbers outside Word's list are no format at all.
    EXPECT_FALSE(converted(allOn(43)).borders);
    EXPECT_FALSE(converted(allOn(-1)).borders);
}

// What each option controls, shown on a format that has that part.
struct OptionCase {
    const char* name;
    int format;
    bool TableFormatOptions::*option;
    std::function<bool(const TableModel&)> partShown;
};

TEST_F(TableFormatsTest, EachOptionAppliesItsPartOfTheFormatOnly)
{
    const std::vector<OptionCase> cases = {
        {"borders", 37, &TableFormatOptions::borders, [](const TableModel& t) { return t.borders && t.lines.any(); }},
        {"shading", 37, &TableFormatOptions::shading,
         [](const TableModel& t) { return t.cell(0, 0).shading != kColorAutomatic; }},
        {"font", 16, &TableFormatOptions::font, [](const TableModel& t) { return t.cell(0, 1).bold && t.cell(0, 1).italic; }},
        {"color", 9, &TableFormatOptions::color,
         [](const TableModel& t) { return !isGrey(t.cell(0, 1).shading) && t.cell(0, 1).fontColor != kColorAutomatic; }},
        {"heading rows", 26, &TableFormatOptions::headingRows,
         [](const TableModel& t) { return t.headingRows == 1 && t.cell(0, 1).shading != t.cell(2, 1).shading; }},
        {"last row", 25, &TableFormatOptions::lastRow,
         [](const TableModel& t) { return t.cell(3, 1).bold && !t.cell(3, 1).edges.top.isNone(); }},
        {"first column", 22, &TableFormatOptions::firstColumn,
         [](const TableModel& t) { return t.cell(1, 0).shading != kColorAutomatic && t.cell(1, 0).bold; }},
        {"last column", 14, &TableFormatOptions::lastColumn, [](const TableModel& t) { return t.cell(1, 3).bold; }},
    };
    for (const OptionCase& c : cases) {
        TableFormatOptions o = allOn(c.format);
        EXPECT_TRUE(c.partShown(converted(o))) << c.name << " on";
        o.*c.option = false;
        EXPECT_FALSE(c.partShown(converted(o))) << c.name << " off";
    }
    // Without colour the look is drawn in greys, and light text only on a drawn background.
    TableFormatOptions grey = allOn(8);
    grey.color = false;
    for (const TableCell& cell : converted(grey).cells)
        EXPECT_TRUE(cell.shading == kColorAutomatic || isGrey(cell.shading));
    TableFormatOptions unshaded = allOn(37);
    unshaded.shading = false;
    EXPECT_EQ(converted(unshaded).cell(0, 0).fontColor, kColorAutomatic) << "white text on a white page";
    // Banding: every second body row of a list format, every second column of a columns format.
    const TableModel list = converted(allOn(24));
    EXPECT_EQ(list.cell(1, 1).shading, kColorAutomatic);
    EXPECT_NE(list.cell(2, 1).shading, kColorAutomatic);
    const TableModel columns = converted(allOn(11));
    EXPECT_EQ(columns.cell(1, 1).shading, kColorAutomatic);
    EXPECT_NE(columns.cell(1, 2).shading, kColorAutomatic);
}

TEST_F(TableFormatsTest, AllFormatsReopenWithTheirCellsAndTheirLookAndPassAnIndependentParser)
{
    for (int format = 0; format < kTableFormatCount; ++format)
        addTable(allOn(format));
    const QString path = file(QStringLiteral("formats.docx"));
    doc->saveAs(path);
    auto back = app->documents().open(path);
    ASSERT_EQ(back->tables().count(), kTableFormatCount);
    for (int n = 1; n <= kTableFormatCount; ++n) {
        const TableModel& wrote = doc->tables().item(n).model();
        const TableModel& read = back->tables().item(n).model();
        ASSERT_EQ(read.rows, 4);
        ASSERT_EQ(read.columns, 4);
        EXPECT_EQ(read.borders, wrote.borders) << n;
        EXPECT_EQ(drawnTableLines(read), drawnTableLines(wrote)) << n;
        EXPECT_EQ(read.headingRows, wrote.headingRows) << n;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                const TableCell& w = wrote.cell(r, c);
                const TableCell& got = read.cell(r, c);
                EXPECT_EQ(got.text, QStringLiteral("r%1%2").arg(r).arg(QChar(u'a' + c)));
                EXPECT_EQ(got.shading, w.shading) << n << " " << r << "," << c;
                EXPECT_EQ(got.edges, w.edges) << n << " " << r << "," << c;
                EXPECT_EQ(cellRunFormat(got), cellRunFormat(w)) << n << " " << r << "," << c;
            }
    }
    QString out;
    const int rc = runTool(QStringLiteral("/usr/bin/python3"),
                           {QStringLiteral(TOVU_WORD_TEST_DIR "/check_table_formats.py"), path,
                            QStringLiteral("--tables"), QString::number(kTableFormatCount), QStringLiteral("--font"),
                            QStringLiteral("Arial")},
                           &out);
    if (rc == -1)
        GTEST_SKIP() << "python3 is not available";
    EXPECT_EQ(rc, 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("OK"))) << out.toStdString();
}

TEST_F(TableFormatsTest, ThePageShowsTheFormatsShadingAndLines)
{
    addTable(allOn(9));  // red heading with yellow text over a light yellow body
    const QImage coloured = page();
    EXPECT_GT(pixelsOf(coloured, qRgb(0xFF, 0, 0)), 1000);
    EXPECT_GT(pixelsOf(coloured, qRgb(0xFF, 0xFF, 0xCC)), 1000);

    doc->content().setText(QString());
    TableFormatOptions grey = allOn(9);
    grey.color = false;
    addTable(grey);
    const QImage greyed = page();
    EXPECT_EQ(pixelsOf(greyed, qRgb(0xFF, 0, 0)), 0);
    const QColor heading = colorFromWord(doc->tables().item(1).model().cell(0, 0).shading);
    EXPECT_GT(pixelsOf(greyed, heading.rgb()), 1000);

    // A table format's lines are drawn: the frame of format 10 in navy.
    doc->content().setText(QString());
    addTable(allOn(10));
    EXPECT_GT(pixelsOf(page(), qRgb(0, 0, 0x80)), 200);
    doc->content().setText(QString());
    TableFormatOptions unruled = allOn(10);
    unruled.borders = false;
    addTable(unruled);
    EXPECT_EQ(pixelsOf(page(), qRgb(0, 0, 0x80)), 0);
}

TEST_F(TableFormatsTest, APdfOfEveryFormatPassesQpdf)
{
    for (int format = 0; format < kTableFormatCount; ++format)
        addTable(allOn(format));
    const QString pdf = file(QStringLiteral("formats.pdf"));
    doc->saveAs(pdf, SaveFormat::Pdf);
    QString out;
    const int rc = runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &out);
    if (rc == -1)
        GTEST_SKIP() << "qpdf is not available";
    EXPECT_EQ(rc, 0) << out.toStdString();
}

}  // namespace
}  // namespace tovu::platform::word::test
