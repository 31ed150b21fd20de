// What the stand-in writes beside the document itself: the settings part, an HTML page with
// its pictures, and the range \HeadingLevel names in a document with heading styles.
#include "WordTestSupport.h"

#include "platform/office/word/DocxWriter.h"
#include "platform/office/word/HeadingLevels.h"
#include "platform/office/word/OoxmlNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

namespace tovu::platform::word::test {
namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WordFilesTest : public WordTest {};

TEST_F(WordFilesTest, TheSettingsPartDeclaresTheCurrentCompatibilityMode)
{
    doc->content().insertAfter(QStringLiteral("text"));
    const QString path = file(QStringLiteral("compat.docx"));
    doc->saveAs(path);
    QString settings;
    ASSERT_EQ(runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("word/settings.xml")}, &settings), 0);
    EXPECT_TRUE(settings.contains(QRegularExpression(
        QStringLiteral("<w:compat><w:compatSetting w:name=\"compatibilityMode\" "
                       "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat>"))))
        << settings.toStdString();
    // After the settings the schema puts before it.
    EXPECT_LT(settings.indexOf(QStringLiteral("characterSpacingControl")), settings.indexOf(QStringLiteral("<w:compat>")));
}

// Each inline picture becomes a file in "<page>_files" beside the page, referenced relative
// to the page; a metafile, which browsers cannot show, as its PNG rendering.
TEST_F(WordFilesTest, SavingAsHtmlKeepsThePicturesBesideThePage)
{
    doc->content().insertAfter(QStringLiteral("before"));
    const QString png = pngFile(QStringLiteral("logo.png"), 30, 20);
    doc->inlineShapes().addPicture(png);
    doc->inlineShapes().addPicture(emfFile());
    const QString page = file(QStringLiteral("my report.htm"));
    doc->saveAs(page, SaveFormat::Html);
    const QString html = QString::fromUtf8(bytesOf(page));
    const QStringList sources = [&] {
        QStringList out;
        static const QRegularExpression src(QStringLiteral("<img src=\"([^\"]*)\""));
        for (auto it = src.globalMatch(html); it.hasNext();)
            out << it.next().captured(1);
        return out;
    }();
    EXPECT_EQ(sources, (QStringList{QStringLiteral("my%20report_files/image001.png"),
                                    QStringLiteral("my%20report_files/image002.png")}))
        << html.toStdString();
    const QDir folder(file(QStringLiteral("my report_files")));
    EXPECT_EQ(bytesOf(folder.filePath(QStringLiteral("image001.png"))), bytesOf(png));
    const QImage emf(folder.filePath(QStringLiteral("image002.png")));
    EXPECT_FALSE(emf.isNull());
    EXPECT_EQ(folder.entryList(QDir::Files).size(), 2);
    EXPECT_TRUE(html.contains(QStringLiteral("before")));
}

// Floating pictures (the report's logo and A-scans are anchored) go into the page too, each
// where its anchor stands among the text and the inline pictures; a linked one is copied
// into the folder like the rest.
TEST_F(WordFilesTest, SavingAsHtmlKeepsFloatingPicturesWhereTheyAreAnchored)
{
    QImage logo(60, 40, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    const QString bmp = file(QStringLiteral("Logo.bmp"));
    ASSERT_TRUE(logo.save(bmp, "BMP"));
    const auto end = [&] { return doc->bookmarks().range(QStringLiteral("\\EndOfDoc")); };
    doc->shapes().addPicture(bmp, true, true, 135.0, 0.0, 150.0, 100.0, end());
    doc->content().insertAfter(QStringLiteral("Title\r"));
    doc->shapes().addPicture(emfFile(QStringLiteral("MetaTest.emf")), false, true, 2.0, 0.0, 350.0, 200.0, end());
    doc->content().insertAfter(QStringLiteral("Settings\r"));
    doc->inlineShapes().addPicture(pngFile(QStringLiteral("inline.png"), 30, 20));
    doc->content().insertAfter(QStringLiteral("\rNotes"));
    const QString page = file(QStringLiteral("report.htm"));
    doc->saveAs(page, SaveFormat::Html);
    const QString html = QString::fromUtf8(bytesOf(page));

    // Each picture stands in the paragraph it is anchored to or put in, in reading order.
    struct Expected {
        const char* source;
        QSize pixels;  // as the file decodes
        const char* textBefore;
        const char* textAfter;
    } expected[] = {
        {"report_files/image001.bmp", {60, 40}, nullptr, "Title"},
        {"report_files/image002.png", {467, 267}, "Title", "Settings"},  // the metafile played at 96 dpi
        {"report_files/image003.png", {30, 20}, "Settings", "Notes"},
    };
    static const QRegularExpression img(QStringLiteral("<img src=\"([^\"]*)\" width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    std::vector<QRegularExpressionMatch> found;
    for (auto it = img.globalMatch(html); it.hasNext();)
        found.push_back(it.next());
    ASSERT_EQ(found.size(), std::size(expected)) << html.toStdString();
    const QDir folder(file(QStringLiteral("report_files")));
    EXPECT_EQ(folder.entryList(QDir::Files).size(), static_cast<int>(std::size(expected)));
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Expected& e = expected[i];
        const auto& m = found[i];
        EXPECT_EQ(m.captured(1), QLatin1String(e.source));
        const QImage image(QFileInfo(page).dir().filePath(m.captured(1)));
        EXPECT_EQ(image.size(), e.pixels) << e.source;
        if (e.textBefore) {
            EXPECT_LT(html.indexOf(QLatin1String(e.textBefore)), m.capturedStart()) << e.source;
        }
        EXPECT_GT(html.indexOf(QLatin1String(e.textAfter)), m.capturedEnd()) << e.source;
    }
    // Shown at the size the document gives them, in points.
    EXPECT_EQ(found[0].captured(2), QStringLiteral("150"));
    EXPECT_EQ(found[1].captured(3), QStringLiteral("200"));
}

// Paragraphs in heading styles: Word's built-in ids, a style of the document's own whose
// outline level makes it a heading, and an outline level on the paragraph itself.
class HeadingLevelTest : public WordTest {
protected:
    // The paragraphs (text, style id or "" for none), in order; answers each one's start.
    std::vector<int> build(const std::vector<std::pair<const char*, const char*>>& paragraphs)
    {
        std::vector<int> starts;
        Story& body = doc->model().body;
        for (const auto& [text, style] : paragraphs) {
            const int start = body.length() - 1;
            starts.push_back(start);
            doc->content().insertAfter(QLatin1String(text) + QLatin1Char('\r'));
            if (*style) {
                const QString xml = QStringLiteral("<w:pStyle w:val=\"%1\"/>").arg(QLatin1String(style));
                body.setParaFormat(start, start + 1, [&](ParaFormat& f) { f.carried << xml; });
            }
        }
        return starts;
    }
    QString headingLevelText(int position)
    {
        doc->selection().setRange(position, position);
        return doc->bookmarks().range(QStringLiteral("\\HeadingLevel")).text();
    }
};

TEST_F(HeadingLevelTest, TheHeadingWithItsSubordinateTextAndHeadings)
{
    // A style of the document's own, "Titel", is a level-1 heading by its outline level.
    doc->model().carried.styles =
        "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:style w:type=\"paragraph\" w:styleId=\"Titel\"><w:name w:val=\"Titel\"/>"
        "<w:pPr><w:outlineLvl w:val=\"0\"/></w:pPr></w:style></w:styles>";
    const auto at = build({{"intro", ""},
                           {"One", "Heading1"},
                           {"text of one", ""},
                           {"One.A", "Heading2"},
                           {"text of one.a", ""},
                           {"Two", "Titel"},
                           {"text of two", ""}});
    struct Case {
        int position;
        const char* text;
    };
    const Case cases[] = {
        {at[1], "One\rtext of one\rOne.A\rtext of one.a\r"},      // in a heading: it and all below it
        {at[2] + 3, "One\rtext of one\rOne.A\rtext of one.a\r"},  // in body text: the heading before it
        {at[4], "One.A\rtext of one.a\r"},                        // a level-2 section ends at a level 1
        {at[6], "Two\rtext of two\r\r"},                          // the last runs to the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(headingLevelText(c.position), QLatin1String(c.text)) << c.position;
    // Text before the first heading has none.
    doc->selection().setRange(at[0], at[0]);
    EXPECT_THROW(doc->bookmarks().range(QStringLiteral("\\HeadingLevel")), WordError);
}

TEST_F(HeadingLevelTest, LevelsOfStylesAndOfParagraphs)
{
    HeadingLevels levels(doc->model());
    const auto levelOf = [&](const QString& xml) {
        ParaFormat f;
        f.carried << xml;
        return levels.levelOf(f);
    };
    EXPECT_EQ(levelOf(QStringLiteral("<w:pStyle w:val=\"Heading3\"/>")), 3);
    EXPECT_EQ(levelOf(QStringLiteral("<w:pStyle w:val=\"heading 9\"/>")), 9);
    EXPECT_EQ(levelOf(QStringLiteral("<w:pStyle w:val=\"Normal\"/>")), 0);
    EXPECT_EQ(levelOf(QStringLiteral("<w:pStyle w:val=\"Heading10\"/>")), 0);
    EXPECT_EQ(levelOf(QStringLiteral("<w:outlineLvl w:val=\"1\"/>")), 2);
    EXPECT_EQ(levelOf(QStringLiteral("<w:outlineLvl w:val=\"9\"/>")), 0);  // body text
    EXPECT_EQ(levels.levelOf(ParaFormat{}), 0);
}

// The styles of a file from a word processor of another language: ids of its own, built-in
// names, outline levels of custom styles and levels taken from base styles. The styles part
// is read from the file, kept, and written back with the styles this writer needs.
TEST_F(HeadingLevelTest, StylesOfTheFileDecideByNameOutlineLevelAndBaseStyle)
{
    doc->model().carried.styles =
        "<?xml version=\"1.0\"?><w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Standard\"><w:name w:val=\"Normal\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"berschrift1\"><w:name w:val=\"heading 1\"/><w:basedOn w:val=\"Standard\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"berschrift2\"><w:name w:val=\"Heading 2\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Kapitel\"><w:name w:val=\"Kapitel\"/><w:pPr><w:outlineLvl w:val=\"1\"/></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Unter\"><w:name w:val=\"Unter\"/><w:basedOn w:val=\"berschrift2\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Tief\"><w:name w:val=\"Tief\"/><w:basedOn w:val=\"Unter\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Flach\"><w:name w:val=\"Flach\"/><w:basedOn w:val=\"berschrift1\"/>"
        "<w:pPr><w:outlineLvl w:val=\"9\"/></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Heading3\"><w:name w:val=\"Zitat\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"A\"><w:name w:val=\"A\"/><w:basedOn w:val=\"B\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"B\"><w:name w:val=\"B\"/><w:basedOn w:val=\"A\"/></w:style>"
        "<w:style w:type=\"character\" w:styleId=\"Zeichen\"><w:name w:val=\"heading 4\"/></w:style>"
        "</w:styles>";
    {
        HeadingLevels levels(doc->model());
        const auto levelOf = [&](const char* id) {
            ParaFormat f;
            f.carried << QStringLiteral("<w:pStyle w:val=\"%1\"/>").arg(QLatin1String(id));
            return levels.levelOf(f);
        };
        struct Case {
            const char* style;
            int level;
        } cases[] = {
            {"berschrift1", 1},  // localized id, built-in name
            {"berschrift2", 2},  // the name in any case
            {"Kapitel", 2},      // a custom style's outline level
            {"Unter", 2},        // from its base style
            {"Tief", 2},         // from the base of its base
            {"Flach", 0},        // its own outline level: body text
            {"Heading3", 0},     // the file's style of that id is no heading
            {"A", 0},            // base styles in a loop
            {"Zeichen", 0},      // a character style is no paragraph style
            {"Heading5", 5},     // an id the file does not define: Word's built-in id
            {"Standard", 0},
        };
        for (const Case& c : cases)
            EXPECT_EQ(levelOf(c.style), c.level) << c.style;
    }
    build({{"intro", ""}, {"Eins", "berschrift1"}, {"text", ""}, {"Eins.A", "Kapitel"}, {"text a", "Flach"},
           {"Eins.B", "Unter"}, {"text b", ""}, {"Eins.C", "Tief"}, {"text c", ""}, {"Zwei", "berschrift1"}, {"ende", ""}});
    const QString path = file(QStringLiteral("localized.docx"));
    doc->saveAs(path);
    doc->close(false);
    doc = app->documents().open(path);
    const auto at = [&](const QString& text) { return static_cast<int>(doc->content().text().indexOf(text)); };
    struct Span {
        const char* in;
        const char* text;
    } spans[] = {
        {"text a", "Eins.A\rtext a\r"},  // a custom level-2 heading ends at the next level 2
        {"Eins.B", "Eins.B\rtext b\r"},
        {"text c", "Eins.C\rtext c\r"},
        {"text\r", "Eins\rtext\rEins.A\rtext a\rEins.B\rtext b\rEins.C\rtext c\r"},
        {"ende", "Zwei\rende\r\r"},
    };
    for (const Span& s : spans)
        EXPECT_EQ(headingLevelText(at(QLatin1String(s.in))), QLatin1String(s.text)) << s.in;
    // Written back: the file's styles, and ours that it lacked.
    QString styles;
    ASSERT_EQ(runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("word/styles.xml")}, &styles), 0);
    EXPECT_TRUE(styles.contains(QStringLiteral("w:styleId=\"berschrift1\""))) << styles.toStdString();
    EXPECT_TRUE(styles.contains(QStringLiteral("w:styleId=\"Hyperlink\"")));
    EXPECT_TRUE(styles.contains(QStringLiteral("w:styleId=\"TableNormal\"")));
    // The file's default paragraph style stays the one default.
    EXPECT_FALSE(styles.contains(QStringLiteral("w:styleId=\"Normal\"")));
}

// The same through a saved and reopened package: the style travels in the file.
TEST_F(HeadingLevelTest, AReopenedDocumentKeepsItsHeadings)
{
    build({{"Top", "Heading1"}, {"body", ""}, {"Next", "Heading1"}, {"more", ""}});
    const QString path = file(QStringLiteral("headings.docx"));
    doc->saveAs(path);
    doc->close(false);
    doc = app->documents().open(path);
    doc->selection().setRange(5, 5);
    EXPECT_EQ(doc->bookmarks().range(QStringLiteral("\\HeadingLevel")).text(), QStringLiteral("Top\rbody\r"));
}

} // namespace
} // namespace tovu::platform::word::test
