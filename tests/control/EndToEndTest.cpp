// The control as the program uses it: activated by ProgID from libword.so, called by
// dispatch id only, building a report that the word processor's reader opens again.
#include "AllMethods.h"
#include "ControlFixture.h"
#include "platform/automation/Activator.h"
#include "platform/office/word/DocumentFiles.h"

#include <QFile>
#include <QImage>
#include <QProcess>

namespace tovu::control::testing {
namespace {

std::int32_t dispIdOf(const char* name)
{
    for (const auto& m : testdata::kAllMethods)
        if (qstrcmp(m.name, name) == 0)
            return m.dispid;
    ADD_FAILURE() << name << " is no method";
    return 0;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_TRUE(dir.isValid());
        automation::ServerLocations locations;
        locations.registryFile = dir.filePath(QStringLiteral("classes.ini"));
        locations.libraryFolder = dir.path();
        activator = std::make_unique<automation::Activator>(locations);
    }
    Variant invoke(const char* name, Args& args) { return control->invoke(dispIdOf(name), args); }
    Variant invoke(const char* name, Args&& args = {}) { return invoke(name, args); }
    std::int16_t status(const char* name, Args args = {}) { return invoke(name, std::move(args)).toInteger(); }

    QTemporaryDir dir;
    std::unique_ptr<automation::Activator> activator;
    automation::DispatchRef control;
};

TEST_F(EndToEndTest, RegisteredLibraryServesTheControlByProgId)
{
    const QString library = QStringLiteral(TOVU_BIN_DIR "/libword.so");
    ASSERT_TRUE(QFile::exists(library));
    EXPECT_EQ(activator->registerServer(library), QStringList{QStringLiteral("Verbolt_OCX.Verbolt")});
    control = activator->createObject(QStringLiteral("verbolt_ocx.VERBOLT"));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->dispIdOfName(QStringLiteral("textToWord")), 0x60030074);
    EXPECT_THROW(activator->createObject(QStringLiteral("Verbolt_OCX.Other")), automation::AutomationError);
}

TEST_F(EndToEndTest, ReportBuiltThroughTheDispatchTableReadsBackTheSame)
{
    control = activator->createObjectFrom(QStringLiteral(TOVU_BIN_DIR "/libword.so"),
                                          QStringLiteral("Verbolt_OCX.Verbolt"));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(invoke("IsWordAvailable"), Variant(QStringLiteral("16.0")));

    const QString report = dir.filePath(QStringLiteral("report.docx"));
    QImage image(192, 96, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    const QString picture = dir.filePath(QStringLiteral("scan.png"));
    ASSERT_TRUE(image.save(picture));

    // As the program starts a report: create, open hidden, title, blank lines, picture.
    ASSERT_EQ(status("CreateDocument", {Variant(report)}), 1);
    ASSERT_EQ(status("OpenDocument", {Variant(report), Variant(false), Variant(QString()), Variant(QString()),
                                      Variant(QString()), Variant(true)}),
              1);
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("Ultrasonic Report")), Variant(true),
                                    Variant(QStringLiteral("Arial")), Variant(std::int16_t{20}),
                                    Variant(std::int16_t{12}), Variant(std::int32_t{vrbAlignParagraphCenter})}),
              1);
    ASSERT_EQ(status("InsertBlankLines", {Variant(std::int16_t{2})}), 1);
    ASSERT_EQ(status("InsertPicture", {Variant(picture), Variant(0.0f), Variant(0.0f), Variant(144.0f),
                                       Variant(72.0f)}),
              1);
    ASSERT_EQ(status("InsertBlankLines", {Variant(std::int16_t{1})}), 1);
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("Operator: J. Smith"))}), 1);
    // Two items, each on a page of its own.
    for (const char* item : {"Item 1 settings", "Item 2 settings"}) {
        ASSERT_EQ(status("InsertPageBreak"), 1);
        ASSERT_EQ(status("TextToWord", {Variant(QString::fromLatin1(item))}), 1);
    }
    ASSERT_EQ(status("SetPageNumberInFooter", {Variant(std::int32_t{vrbPageAlignCenter}), Variant(true)}), 1);
    ASSERT_EQ(status("SaveDocument"), 1);
    Args pages{Variant(std::int32_t{0})};
    ASSERT_EQ(invoke("NumberOfPages", pages), Variant(std::int16_t{1}));
    EXPECT_EQ(pages[0].toLong(), 3);
    Args pagesOfFile{Variant(std::int32_t{0}), Variant(report)};
    ASSERT_EQ(invoke("NumberOfPages", pagesOfFile), Variant(std::int16_t{1}));
    EXPECT_EQ(pagesOfFile[0].toLong(), 3);
    ASSERT_EQ(status("CloseDocument", {Variant(false)}), 1);
    EXPECT_TRUE(invoke("CloseWord", {Variant(false)}).isEmpty());
    control.reset();

    // The file as the word processor's reader sees it.
    const std::unique_ptr<word::DocumentModel> model = word::readDocumentFile(report);
    const word::Story& body = model->body;
    const QString text = body.text(0, body.length());
    const QStringList pieces = {QStringLiteral("Ultrasonic Report"), QStringLiteral("Operator: J. Smith"),
                                QStringLiteral("Item 1 settings"), QStringLiteral("Item 2 settings")};
    int last = -1;
    for (const QString& piece : pieces) {
        const int at = text.indexOf(piece);
        ASSERT_GT(at, last) << piece.toStdString();
        last = at;
    }
    EXPECT_EQ(text.count(QChar(word::kPageBreak)), 2);
    EXPECT_LT(text.indexOf(QChar(word::kPageBreak)), text.indexOf(QStringLiteral("Item 1 settings")));
    const int title = text.indexOf(QStringLiteral("Ultrasonic Report"));
    const word::CharFormat& titleFont = body.pool().font(body.at(title).font);
    EXPECT_TRUE(titleFont.bold);
    EXPECT_EQ(titleFont.name, QStringLiteral("Arial"));
    EXPECT_EQ(titleFont.size, 20.0);
    EXPECT_EQ(body.pool().para(body.at(body.paragraphEnd(title) - 1).para).alignment, word::Alignment::Center);
    const int item = text.indexOf(QStringLiteral("Item 2 settings"));
    EXPECT_EQ(body.pool().font(body.at(item).font).name, QStringLiteral("Times New Roman"));
    EXPECT_FALSE(body.pool().font(body.at(item).font).bold);

    int pictures = 0;
    for (const auto& object : model->objects)
        if (const auto* p = std::get_if<word::FloatingPicture>(&object)) {
            ++pictures;
            EXPECT_NEAR(p->width, 144.0, 0.01);
            EXPECT_NEAR(p->height, 72.0, 0.01);
            EXPECT_FALSE(p->picture.bytes.isEmpty());
        }
    EXPECT_EQ(pictures, 1);
    const auto& footer = model->section.footer(word::HeaderFooterIndex::Primary);
    ASSERT_TRUE(footer.pageNumber.has_value());
    EXPECT_EQ(*footer.pageNumber, word::PageNumberAlignment::Center);

    // A second parser reads the same texts in the same order.
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, zipfile, xml.dom.minidom as m\n"
                                 "d = m.parseString(zipfile.ZipFile(sys.argv[1]).read('word/document.xml'))\n"
                                 "print('|'.join(t.firstChild.data for t in d.getElementsByTagName('w:t') if t.firstChild))"),
                  report});
    if (!python.waitForFinished(20000) || python.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "python3 is not at hand";
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QString texts = QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    EXPECT_EQ(texts, pieces.join(u'|'));
}

} // namespace
} // namespace tovu::control::testing
