// The object model driven the way the document control drives it: the call sequences
// below are those of its text, blank-line, hyperlink, page-break and table methods.
#include "WordTestSupport.h"

#include "platform/office/word/Bookmarks.h"

#include <QFile>

namespace tovu::platform::word::test {
namespace {

struct TextArgs {
    bool bold = false;
    QString font = QStringLiteral("Times New Roman");
    double size = 12;
    double spaceAfter = 10;
    Alignment align = Alignment::Left;
    std::int32_t color = 0;
    bool italic = false;
    bool underline = false;
    QString bookmark = QStringLiteral("\\EndOfDoc");
};

void textToWord(Document& doc, const QString& text, const TextArgs& a = {})
{
    doc.goTo(-1, a.bookmark);
    Paragraph p = doc.content().paragraphs().add();
    p.range().setText(text);
    p.setAlignment(a.align);
    Font f = p.range().font();
    f.setBold(a.bold);
    f.setName(a.font);
    f.setSize(a.size);
    f.setColor(a.color);
    f.setItalic(a.italic);
    f.setUnderline(a.underline);
    f.setAnimation(0);
    f.setEmboss(false);
    f.setEngrave(false);
    f.setShadow(false);
    f.setStrikeThrough(false);
    p.format().setSpaceAfter(a.spaceAfter);
    p.range().insertParagraphAfter();
    p.reset();
    p.format().reset();
    p.range().font().reset();
}

void insertBlankLines(Document& doc, int lines)
{
    doc.goTo(-1, QStringLiteral("\\EndOfDoc"));
    Paragraph p = doc.content().paragraphs().add();
    for (int k = 1; k <= lines - 1; ++k)
        p.range().setText(QStringLiteral("\r\n"));
    p.format().setSpaceAfter(0);
    p.range().insertParagraphAfter();
    p.reset();
    p.format().reset();
}

void insertPageBreak(Document& doc)
{
    Range end = doc.bookmarks().range(QStringLiteral("\\EndOfDoc"));
    doc.content().paragraphs().add();
    end.insertBreak(BreakType::Page);
}

Table twoDArrayToWordTable(Document& doc, const QString& tableText, const TableFormatOptions& options)
{
    Range at = doc.bookmarks().range(QStringLiteral("\\EndOfDoc"));
    doc.goTo(-1, QStringLiteral("\\EndOfDoc"));
    Paragraph p = doc.content().paragraphs().add();
    p.format().setSpaceAfter(0);
    p.setAlignment(Alignment::Center);
    at.setText(tableText);
    at.font().setName(QStringLiteral("Arial"));
    at.font().setSize(10);
    at.font().setBold(false);
    p.format().setSpaceAfter(10);
    Table t = at.convertToTable(QStringLiteral("\t"), 0, 0, 0, options);
    p.reset();
    p.format().reset();
    p.range().font().reset();
    return t;
}

CharFormat fontOfParagraph(const Document& doc, int index)
{
    const Story& body = doc.model().body;
    return body.pool().font(body.at(body.paragraphs().at(static_cast<std::size_t>(index)).first).font);
}

ParaFormat formatOfParagraph(const Document& doc, int index)
{
    const Story& body = doc.model().body;
    return body.pool().para(body.at(body.paragraphs().at(static_cast<std::size_t>(index)).second - 1).para);
}

using ObjectModelTest = WordTest;

TEST_F(ObjectModelTest, TextKeepsItsFormattingAndLeavesAPlainParagraphBehind)
{
    TextArgs title;
    title.bold = true;
    title.font = QStringLiteral("Arial");
    title.size = 25;
    title.align = Alignment::Center;
    title.color = 16711680;
    title.underline = true;
    textToWord(*doc, QStringLiteral("Report title"), title);
    textToWord(*doc, QStringLiteral("Label :weld 7"));

    const QStringList texts = paragraphTexts(*doc);
    ASSERT_EQ(texts, (QStringList{QString(), QStringLiteral("Report title"), QString(), QStringLiteral("Label :weld 7"), QString()}));
    const CharFormat f = fontOfParagraph(*doc, 1);
    EXPECT_TRUE(f.bold);
    EXPECT_TRUE(f.underline);
    EXPECT_EQ(f.name, QStringLiteral("Arial"));
    EXPECT_EQ(f.size, 25);
    EXPECT_EQ(f.color, 16711680);
    EXPECT_EQ(formatOfParagraph(*doc, 1).alignment, Alignment::Center);
    EXPECT_EQ(formatOfParagraph(*doc, 1).spaceAfter, 10);
    // The paragraph the writer moved on to was reset: no title formatting leaks on.
    EXPECT_EQ(formatOfParagraph(*doc, 2), ParaFormat{});
    EXPECT_EQ(fontOfParagraph(*doc, 3).name, QStringLiteral("Times New Roman"));
    EXPECT_FALSE(fontOfParagraph(*doc, 3).bold);
    EXPECT_EQ(formatOfParagraph(*doc, 3).alignment, Alignment::Left);
}

TEST_F(ObjectModelTest, BlankLinesAddOneParagraphPerLineAndOneAfter)
{
    for (int lines : {1, 4, 14}) {
        const int before = doc->paragraphs().count();
        insertBlankLines(*doc, lines);
        EXPECT_EQ(doc->paragraphs().count() - before, lines + 1) << lines;
    }
    for (const QString& t : paragraphTexts(*doc))
        EXPECT_TRUE(t.isEmpty());
}

TEST_F(ObjectModelTest, OneReusedParagraphGivesEveryHyperlinkRowItsOwnLine)
{
    doc->goTo(-1, QStringLiteral("\\EndOfDoc"));
    Paragraph p = doc->content().paragraphs().add();
    const QStringList rows[] = {{QStringLiteral("Site"), QStringLiteral("http://example.org/")},
                                {QStringLiteral("Manual"), QStringLiteral("http://example.org/manual.pdf")}};
    for (const auto& row : rows) {
        p.range().setText(row[0]);
        p.range().font().setBold(true);
        p.range().hyperlinks().add(p.range(), row[1]);
        p.format().setSpaceAfter(10);
        p.range().insertParagraphAfter();
    }
    p.reset();
    p.format().reset();
    p.range().font().reset();

    EXPECT_EQ(paragraphTexts(*doc), (QStringList{QString(), QStringLiteral("Site"), QStringLiteral("Manual"), QString()}));
    Hyperlinks links = doc->hyperlinks();
    ASSERT_EQ(links.count(), 2);
    EXPECT_EQ(links.item(1).text, QStringLiteral("Site"));
    EXPECT_EQ(links.item(2).address, QStringLiteral("http://example.org/manual.pdf"));
    EXPECT_TRUE(fontOfParagraph(*doc, 2).bold);
}

TEST_F(ObjectModelTest, PageBreaksGoAtTheEndOneEachTime)
{
    textToWord(*doc, QStringLiteral("first"));
    insertPageBreak(*doc);
    insertPageBreak(*doc);
    textToWord(*doc, QStringLiteral("last"));
    const QString all = doc->content().text();
    EXPECT_EQ(all.count(QChar(kPageBreak)), 2);
    EXPECT_LT(all.indexOf(QStringLiteral("first")), all.indexOf(QChar(kPageBreak)));
    EXPECT_GT(all.indexOf(QStringLiteral("last")), all.lastIndexOf(QChar(kPageBreak)));
    EXPECT_EQ(doc->computeStatistics(Statistic::Pages), 3);
}

TEST_F(ObjectModelTest, TabTextBecomesATableWithItsLook)
{
    textToWord(*doc, QStringLiteral("before"));
    TableFormatOptions o;
    o.format = 35;
    o.lastRow = false;
    o.lastColumn = false;
    Table t = twoDArrayToWordTable(*doc, QStringLiteral("Name\tValue\r\nGain\t42 dB\r\nRange\t100 mm\r\n"), o);

    ASSERT_EQ(doc->tables().count(), 1);
    EXPECT_EQ(t.rows(), 3);
    EXPECT_EQ(t.columns(), 2);
    EXPECT_EQ(t.cellText(2, 2), QStringLiteral("42 dB"));
    EXPECT_EQ(t.cellText(3, 1), QStringLiteral("Range"));
    const TableModel& m = t.model();
    EXPECT_TRUE(m.borders);
    EXPECT_EQ(m.headingRows, 1);
    EXPECT_TRUE(m.cell(0, 1).bold);                 // heading row
    EXPECT_NE(m.cell(0, 1).shading, kColorAutomatic);
    EXPECT_TRUE(m.cell(2, 0).bold);                 // first column
    EXPECT_FALSE(m.cell(2, 1).bold);
    EXPECT_EQ(m.cell(1, 1).font.name, QStringLiteral("Arial"));
    EXPECT_EQ(m.cell(1, 1).font.size, 10);
    EXPECT_EQ(m.cell(1, 1).para.alignment, Alignment::Center);
    // The text before stays, and a paragraph follows the table.
    const QStringList texts = paragraphTexts(*doc);
    EXPECT_TRUE(texts.contains(QStringLiteral("before")));
    EXPECT_EQ(texts.back(), QString());
    EXPECT_THROW(Table(t).cellText(4, 1), WordError);
}

TEST_F(ObjectModelTest, PredefinedBookmarksResolve)
{
    textToWord(*doc, QStringLiteral("alpha beta"));
    textToWord(*doc, QStringLiteral("gamma"));
    const int length = doc->model().body.length();
    const int alpha = doc->content().text().indexOf(QStringLiteral("alpha"));
    doc->selection().setRange(alpha + 6, alpha + 8);  // "be"
    Bookmarks b = doc->bookmarks();
    struct Case {
        const char* name;
        int start, end;
    } cases[] = {
        {"\\StartOfDoc", 0, 0},        {"\\EndOfDoc", length - 1, length - 1},
        {"\\Doc", 0, length},          {"\\Section", 0, length},
        {"\\Sel", alpha + 6, alpha + 8}, {"\\StartOfSel", alpha + 6, alpha + 6},
        {"\\EndOfSel", alpha + 8, alpha + 8}, {"\\Char", alpha + 6, alpha + 8},
        {"\\Para", alpha, alpha + 11}, {"\\endofdoc", length - 1, length - 1},
    };
    for (const Case& c : cases) {
        const Range r = b.range(QLatin1String(c.name));
        EXPECT_EQ(r.start(), c.start) << c.name;
        EXPECT_EQ(r.end(), c.end) << c.name;
    }
    EXPECT_EQ(b.range(QStringLiteral("\\Line")).text(), QStringLiteral("alpha beta"));
    EXPECT_EQ(b.range(QStringLiteral("\\Page")).start(), 0);
    EXPECT_THROW(b.range(QStringLiteral("\\HeadingLevel")), WordError);
    EXPECT_THROW(b.range(QStringLiteral("NoSuchMark")), WordError);
    EXPECT_THROW(doc->goTo(1, QStringLiteral("\\Doc")), WordError);

    // GoTo moves the insertion point; user bookmarks follow edits.
    doc->goTo(-1, QStringLiteral("\\StartOfDoc"));
    EXPECT_EQ(doc->selection().start(), 0);
    const int gamma = doc->content().text().indexOf(QStringLiteral("gamma"));
    b.add(QStringLiteral("Gamma"), doc->range(gamma, gamma + 5));
    doc->range(0, 0).insertBefore(QStringLiteral("new "));
    EXPECT_EQ(b.range(QStringLiteral("gamma")).text(), QStringLiteral("gamma"));
    EXPECT_THROW(b.add(QStringLiteral("9bad"), doc->content()), WordError);
}

TEST_F(ObjectModelTest, FindReplacesWholeTextHonouringCaseAndWords)
{
    struct Case {
        bool matchCase, wholeWord;
        const char* expect;
    } cases[] = {
        {false, false, "X X Xs X"},
        {true, false, "X X Xs Cat"},
        {false, true, "X X cats X"},
    };
    for (const Case& c : cases) {
        doc->content().setText(QStringLiteral("cat cat cats Cat"));
        Find f = doc->content().find();
        f.clearFormatting();
        f.setText(QStringLiteral("cat"));
        f.setForward(true);
        f.setWrap(1);
        f.setMatchCase(c.matchCase);
        f.setMatchWholeWord(c.wholeWord);
        f.replacement().clearFormatting();
        f.replacement().setText(QStringLiteral("X"));
        EXPECT_TRUE(f.execute(ReplaceMode::All));
        EXPECT_EQ(paragraphTexts(*doc).front(), QLatin1String(c.expect));
    }
    Find none = doc->content().find();
    none.setText(QStringLiteral("absent"));
    none.replacement().setText(QStringLiteral("Y"));
    const QString before = doc->content().text();
    EXPECT_FALSE(none.execute(ReplaceMode::All));
    EXPECT_EQ(doc->content().text(), before);
}

TEST_F(ObjectModelTest, AnArmedOperationFailsAtItsStepAndTheLogKeepsTheOrder)
{
    Instrumentation& hooks = app->instrumentation();
    hooks.setRecording(true);
    hooks.failOn(QStringLiteral("Paragraph.Alignment"), 2);
    textToWord(*doc, QStringLiteral("one"));
    EXPECT_THROW(textToWord(*doc, QStringLiteral("two")), WordError);
    // The failing step left what came before it: the second text without its formatting.
    EXPECT_TRUE(paragraphTexts(*doc).contains(QStringLiteral("two")));
    const QStringList calls = hooks.calls();
    const int go = calls.indexOf(QStringLiteral("Document.GoTo(-1,\\EndOfDoc)"));
    const int add = calls.indexOf(QStringLiteral("Paragraphs.Add"));
    const int text = calls.indexOf(QStringLiteral("Range.SetText(one)"));
    EXPECT_GE(go, 0);
    EXPECT_LT(go, add);
    EXPECT_LT(add, text);
    EXPECT_EQ(calls.count(QStringLiteral("Paragraph.Alignment(0)")), 2);
    // Once fired, the hook is spent; "every call" stays armed until cleared.
    EXPECT_NO_THROW(textToWord(*doc, QStringLiteral("three")));
    hooks.failOn(QStringLiteral("Document.Activate"), 0);
    EXPECT_THROW(doc->activate(), WordError);
    EXPECT_THROW(doc->activate(), WordError);
    hooks.clearFailures();
    EXPECT_NO_THROW(doc->activate());
}

TEST_F(ObjectModelTest, PageSetupChecksValuesAndTurnsThePage)
{
    PageSetup ps = doc->pageSetup();
    const double w = ps.pageWidth(), h = ps.pageHeight();
    ps.setOrientation(Orientation::Landscape);
    EXPECT_EQ(ps.pageWidth(), h);
    EXPECT_EQ(ps.pageHeight(), w);
    ps.setOrientation(Orientation::Portrait);
    EXPECT_EQ(ps.pageWidth(), w);
    ps.setTopMargin(36);
    EXPECT_EQ(ps.topMargin(), 36);
    EXPECT_THROW(ps.setLeftMargin(w), WordError);
    EXPECT_THROW(ps.setPageWidth(2000), WordError);
    EXPECT_THROW(ps.setBottomMargin(-1), WordError);
    EXPECT_EQ(ps.topMargin(), 36);
    ps.setPaperSize(PaperSize::Letter);
    EXPECT_EQ(ps.pageWidth(), 612);
    EXPECT_EQ(ps.pageHeight(), 792);

    Section s = doc->sections().item(1);
    s.footers(1).pageNumbers().add(PageNumberAlignment::Center, false);
    EXPECT_EQ(doc->model().section.footer(HeaderFooterIndex::Primary).pageNumber, PageNumberAlignment::Center);
    EXPECT_TRUE(doc->model().section.differentFirstPage);
    EXPECT_FALSE(doc->model().section.footer(HeaderFooterIndex::FirstPage).pageNumber.has_value());
    EXPECT_THROW(s.headers(1).pageNumbers().add(static_cast<PageNumberAlignment>(5)), WordError);
    EXPECT_THROW(doc->sections().item(2), WordError);
}

TEST_F(ObjectModelTest, PicturesTakeTheirSizeFromTheCallOrTheFile)
{
    const QString png = pngFile(QStringLiteral("p.png"), 40, 20);  // 30 x 15 points at 96 dpi
    Shapes shapes = doc->shapes();
    Shape given = shapes.addPicture(png, false, true, 2, 0, 350, 200, doc->bookmarks().range(QStringLiteral("\\EndOfDoc")));
    EXPECT_EQ(given.width(), 350);
    EXPECT_EQ(given.left(), 2);
    Shape natural = shapes.addPicture(png, true, true);
    EXPECT_NEAR(natural.width(), 30, 0.01);
    EXPECT_NEAR(natural.height(), 15, 0.01);
    EXPECT_TRUE(natural.picture().picture.linked);
    Shape oneSide = shapes.addPicture(png, false, true, std::nullopt, std::nullopt, 60.0, std::nullopt);
    EXPECT_NEAR(oneSide.height(), 30, 0.01);
    EXPECT_EQ(shapes.count(), 3);

    InlineShape emf = doc->inlineShapes().addPicture(emfFile(), false, true);
    EXPECT_EQ(emf.picture().picture.format, PictureFormat::Emf);
    EXPECT_NEAR(emf.width(), 50 / 25.4 * 72, 0.01);

    QFile junk(file(QStringLiteral("junk.png")));
    junk.open(QIODevice::WriteOnly);
    junk.write("not a picture");
    junk.close();
    EXPECT_THROW(shapes.addPicture(junk.fileName()), WordError);
    EXPECT_THROW(shapes.addPicture(file(QStringLiteral("missing.bmp"))), WordError);
    EXPECT_EQ(shapes.count(), 3);
}

TEST_F(ObjectModelTest, SavingRefusesPasswordsAndMissingNames)
{
    const QString path = file(QStringLiteral("secret.docx"));
    EXPECT_THROW(doc->saveAs(path, SaveFormat::Default, QStringLiteral("pw")), WordError);
    EXPECT_THROW(doc->saveAs(path, SaveFormat::Default, {}, QStringLiteral("write")), WordError);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_THROW(doc->save(), WordError);
    EXPECT_THROW(doc->saveAs(file(QStringLiteral("old.doc")), SaveFormat::Document97), WordError);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("old.doc"))));

    textToWord(*doc, QStringLiteral("kept"));
    EXPECT_FALSE(doc->saved());
    doc->saveAs(path);
    EXPECT_TRUE(doc->saved());
    EXPECT_EQ(doc->name(), QStringLiteral("secret.docx"));
    EXPECT_EQ(doc->path(), dir.path());
}

TEST_F(ObjectModelTest, AClosedDocumentRefusesEveryCall)
{
    Range kept = doc->content();
    doc->close(false);
    EXPECT_TRUE(doc->isClosed());
    EXPECT_EQ(app->documents().count(), 0);
    EXPECT_THROW(doc->activate(), WordError);
    EXPECT_THROW(kept.setText(QStringLiteral("x")), WordError);
    EXPECT_THROW(doc->name(), WordError);
    EXPECT_THROW(app->activeDocument(), WordError);
}

}  // namespace
}  // namespace tovu::platform::word::test
