// PDF output and page counts, checked with poppler's and qpdf's tools.
#include "WordTestSupport.h"

#include "platform/office/word/PageLayout.h"
#include "platform/office/word/Tables.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

namespace tovu::platform::word::test {
namespace {

class PdfOutputTest : public WordTest {
protected:
    QString pdfText(const QString& pdf)
    {
        QString text;
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}, &text);
        return text;
    }
    void addText(const QString& text)
    {
        Paragraph p = doc->content().paragraphs().add();
        p.range().setText(text);
        p.range().insertParagraphAfter();
    }
    void pageBreak()
    {
        Range end = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
        doc->content().paragraphs().add();
        end.insertBreak();
    }
};

TEST_F(PdfOutputTest, PageBreaksFixThePageCountInTheModelAndThePdf)
{
    for (int breaks : {0, 1, 3}) {
        doc->content().setText(QString());
        for (int i = 0; i <= breaks; ++i) {
            addText(QStringLiteral("Page body %1").arg(i + 1));
            if (i < breaks)
                pageBreak();
        }
        EXPECT_EQ(doc->computeStatistics(Statistic::Pages), breaks + 1);
        EXPECT_EQ(doc->content().information(Information::PageNumber), breaks + 1);
        const QString pdf = file(QStringLiteral("breaks%1.pdf").arg(breaks));
        doc->saveAs(pdf, SaveFormat::Pdf);
        const int pages = pdfPageCount(pdf);
        if (pages == -1)
            GTEST_SKIP() << "pdfinfo is not available";
        EXPECT_EQ(pages, breaks + 1);
    }
}

TEST_F(PdfOutputTest, TextFlowsOntoFurtherPagesAndFootersNumberThem)
{
    for (int i = 0; i < 120; ++i)
        addText(QStringLiteral("Reading line %1").arg(i));
    doc->sections().item(1).footers(1).pageNumbers().add(PageNumberAlignment::Center, true);
    const int pages = doc->computeStatistics(Statistic::Pages);
    EXPECT_GE(pages, 3);
    const QString pdf = file(QStringLiteral("long.pdf"));
    doc->saveAs(pdf, SaveFormat::Pdf);
    const int pdfCount = pdfPageCount(pdf);
    if (pdfCount == -1)
        GTEST_SKIP() << "poppler tools are not available";
    EXPECT_EQ(pdfCount, pages);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Reading line 0")));
    EXPECT_TRUE(text.contains(QStringLiteral("Reading line 119")));
    // Each page carries its own number, below everything else on it.
    QString boxes;
    runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &boxes);
    const QStringList pageBoxes = boxes.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1);
    ASSERT_EQ(pageBoxes.size(), pages);
    static const QRegularExpression word(QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    for (int p = 0; p < pages; ++p) {
        double lowestTop = -1;
        QString lowest;
        for (auto it = word.globalMatch(pageBoxes[p]); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(1).toDouble() > lowestTop) {
                lowestTop = m.captured(1).toDouble();
                lowest = m.captured(2);
            }
        }
        EXPECT_EQ(lowest, QString::number(p + 1)) << "page " << p + 1;
    }
    // The position of a late line is on the last page.
    const int late = doc->content().text().indexOf(QStringLiteral("Reading line 119"));
    EXPECT_EQ(doc->range(late, late + 3).information(Information::PageNumber), pages);
}

TEST_F(PdfOutputTest, FirstPageWithoutNumberAndLetterLandscapePages)
{
    addText(QStringLiteral("cover"));
    pageBreak();
    addText(QStringLiteral("second"));
    doc->sections().item(1).footers(1).pageNumbers().add(PageNumberAlignment::Right, false);
    doc->pageSetup().setPaperSize(PaperSize::Letter);
    doc->pageSetup().setOrientation(Orientation::Landscape);
    const QString pdf = file(QStringLiteral("letter.pdf"));
    doc->saveAs(pdf, SaveFormat::Pdf);
    QString info;
    if (runTool(QStringLiteral("pdfinfo"), {pdf}, &info) != 0)
        GTEST_SKIP() << "pdfinfo is not available";
    EXPECT_TRUE(info.contains(QStringLiteral("792 x 612 pts"))) << info.toStdString();
    const QStringList pages = pdfText(pdf).split(QChar(0x0C), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    EXPECT_FALSE(pages[0].contains(QRegularExpression(QStringLiteral("^\\s*1\\s*$"), QRegularExpression::MultilineOption)));
    EXPECT_TRUE(pages[1].contains(QRegularExpression(QStringLiteral("^\\s*2\\s*$"), QRegularExpression::MultilineOption)));
}

TEST_F(PdfOutputTest, APdfWithPicturesAndATablePassesQpdf)
{
    doc->shapes().addPicture(emfFile(), false, true, 2, 0, 350, 200, doc->bookmarks().range(QStringLiteral("\\EndOfDoc")));
    doc->inlineShapes().addPicture(pngFile());
    Range at = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
    at.setText(QStringLiteral("Gain\t42 dB\r\nRange\t100 mm\r\n"));
    TableFormatOptions o;
    o.format = 35;
    at.convertToTable(QStringLiteral("\t"), 0, 0, 0, o);
    const QString pdf = file(QStringLiteral("mixed.pdf"));
    doc->saveAs(pdf, SaveFormat::Pdf);
    QString out;
    const int rc = runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &out);
    if (rc == -1)
        GTEST_SKIP() << "qpdf is not available";
    EXPECT_EQ(rc, 0) << out.toStdString();
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("42 dB")));
    // The PDF export leaves the document under its own name.
    EXPECT_TRUE(doc->name().startsWith(QStringLiteral("Document")));
}

// A floating metafile (the report's A-scan) goes into the PDF as its lines and shapes, not
// as a bitmap: the page holds no image for it, while a PNG is one.
TEST_F(PdfOutputTest, AFloatingMetafileIsDrawnAsVectors)
{
    struct Case {
        const char* name;
        QString picture;
        int images;
    } cases[] = {
        {"metafile", emfFile(), 0},
        {"png", pngFile(), 1},
    };
    for (const Case& c : cases) {
        doc = app->documents().add();
        addText(QStringLiteral("A-scan"));
        doc->shapes().addPicture(c.picture, false, true, 2, 0, 350, 200, doc->bookmarks().range(QStringLiteral("\\EndOfDoc")));
        addText(QStringLiteral("below"));
        const QString pdf = file(QStringLiteral("%1.pdf").arg(QLatin1String(c.name)));
        doc->saveAs(pdf, SaveFormat::Pdf);
        QString images;
        if (runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}, &images) != 0)
            GTEST_SKIP() << "pdfimages is not available";
        // Two heading lines, then one line per image.
        EXPECT_EQ(images.trimmed().split(QLatin1Char('\n')).size() - 2, c.images) << c.name << images.toStdString();
        QString out;
        EXPECT_EQ(runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &out), 0) << out.toStdString();
    }
}

TEST_F(PdfOutputTest, PlainTextUsesTheAnsiCodePageAndCrLf)
{
    addText(QStringLiteral("Stra\u00DFe \u20AC5"));
    addText(QStringLiteral("\u0416"));
    const QString txt = file(QStringLiteral("out.txt"));
    doc->saveAs(txt, SaveFormat::Text);
    QFile f(txt);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains(QByteArray("Stra\xDF" "e \x80" "5\r\n")));
    EXPECT_TRUE(bytes.contains(QByteArray("?\r\n")));
    EXPECT_EQ(doc->name(), QStringLiteral("out.txt"));
}

TEST_F(PdfOutputTest, EachTextFormatHoldsTheTextInItsOwnForm)
{
    addText(QStringLiteral("Gain 42 dB"));
    addText(QString(40, QLatin1Char('w')).replace(QLatin1String("wwww"), QLatin1String("www ")).repeated(4));
    struct Case {
        SaveFormat format;
        const char* name;
        QByteArray expect;
    } cases[] = {
        {SaveFormat::Text, "plain.txt", QByteArray("Gain 42 dB\r\n")},
        {SaveFormat::TextLineBreaks, "breaks.txt", QByteArray("Gain 42 dB\r\n")},
        {SaveFormat::UnicodeText, "unicode.txt", QByteArray("G\0a\0i\0n\0", 8)},
        {SaveFormat::Html, "page.htm", QByteArray("Gain 42 dB")},
    };
    for (const Case& c : cases) {
        const QString path = file(QLatin1String(c.name));
        doc->saveAs(path, c.format);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.name;
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(bytes.contains(c.expect)) << c.name;
        if (c.format == SaveFormat::UnicodeText) {
            EXPECT_TRUE(bytes.startsWith("\xFF\xFE"));
        }
    }
    // The long paragraph is broken where its lines end on the page.
    QFile plain(file(QStringLiteral("plain.txt"))), broken(file(QStringLiteral("breaks.txt")));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly) && broken.open(QIODevice::ReadOnly));
    EXPECT_GT(broken.readAll().count("\r\n"), plain.readAll().count("\r\n"));
}

TEST_F(PdfOutputTest, TextFilesOpenAsDocumentsInUtf8OrTheAnsiPage)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString expect;
    } cases[] = {
        {"utf8.txt", QByteArray("Stra\xC3\x9F" "e\r\nzwei\r\n"), QStringLiteral("Stra\u00DFe\rzwei\r")},
        {"ansi.txt", QByteArray("Stra\xDF" "e \x80\nline"), QStringLiteral("Stra\u00DFe \u20AC\rline\r")},
    };
    for (const Case& c : cases) {
        QFile f(file(QLatin1String(c.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        auto opened = app->documents().open(f.fileName());
        EXPECT_EQ(opened->content().text(), c.expect) << c.name;
        // Saved back, it stays a text file.
        opened->content().insertAfter(QStringLiteral("end"));
        opened->save();
        QFile back(f.fileName());
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_TRUE(back.readAll().endsWith("end\r\n"));
    }
}

// A break that ends the document has nothing after it to begin a page with: the other word
// processors lay out no empty last page, and a report, which ends each item with a break,
// must not end on one.
TEST_F(PdfOutputTest, AFinalPageBreakBeginsNoEmptyPage)
{
    addText(QStringLiteral("item"));
    pageBreak();
    EXPECT_EQ(doc->computeStatistics(Statistic::Pages), 1);
    const QString pdf = file(QStringLiteral("trailing.pdf"));
    doc->saveAs(pdf, SaveFormat::Pdf);
    const int pages = pdfPageCount(pdf);
    if (pages == -1)
        GTEST_SKIP() << "pdfinfo is not available";
    EXPECT_EQ(pages, 1);
    // Text after the break still starts the next page.
    addText(QStringLiteral("next"));
    EXPECT_EQ(doc->computeStatistics(Statistic::Pages), 2);
}

TEST_F(PdfOutputTest, ATableStandsOutIntoTheMarginByItsCellMarginAndIsDrawnThere)
{
    doc->content().setText(QStringLiteral("a\tb\rc\td"));
    TableFormatOptions plain;
    plain.format = 0;
    Table table = doc->content().convertToTable(QStringLiteral("\t"), 0, 0, 0, plain);
    table.setBorders(true);
    const PageLayout layout(doc->model());
    constexpr double kScale = 4;  // pixels per point
    QImage page((layout.pageSize() * kScale).toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.scale(kScale, kScale);
        layout.paintPage(painter, 1);
    }
    const double margin = doc->model().section.page.leftMargin;
    const int y = static_cast<int>((doc->model().section.page.topMargin + 5) * kScale);
    // The first dark pixel on a line through the first row: the table's left line.
    int left = -1;
    for (int x = 0; x < page.width() && left < 0; ++x)
        if (qGray(page.pixel(x, y)) < 128)
            left = x;
    ASSERT_GE(left, 0) << "the table's left line is drawn";
    // Compatibility mode 15: the table's edge stands at the margin.
    EXPECT_NEAR(left / kScale, margin, 1.0);
}

}  // namespace
}  // namespace tovu::platform::word::test
