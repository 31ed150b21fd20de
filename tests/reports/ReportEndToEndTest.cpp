// The report written through the real control on the word-processor stand-in, as far as
// the control's methods go, read back from the saved file; and Save & close leaving the
// user's own documents open.
#include "ReportFakes.h"

#include "app/display/AScanDisplay.h"
#include "app/display/DisplayMessages.h"
#include "app/items/ItemStore.h"
#include "app/reports/WordReport.h"
#include "control/VerboltObject.h"

#include "platform/office/word/Application.h"
#include "platform/office/word/Document.h"
#include "platform/office/word/DocumentFiles.h"
#include "platform/office/word/WordEnvironment.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::reports::testing {
namespace {

namespace word = tovu::platform::word;

class QuietMessages : public display::DisplayMessages {
public:
    void showCritical(const QString&) override {}
};

class ReportEndToEndTest : public ::testing::Test {
protected:
    ReportEndToEndTest()
    {
        QImage logo(150, 100, QImage::Format_RGB32);
        logo.fill(Qt::darkGreen);
        logo.save(dir.filePath(QStringLiteral("Logo.bmp")));
        store.WorkItems.resize(3);
        store.WorkItems[1] = test::annotatedALog();
        display.folders = {dir.path(), dir.path()};
        report.WordAvailable = true;
        window.notes = {QStringLiteral("WELD7"), QStringLiteral("J. Smith"), QStringLiteral("Bay 4"),
                        QStringLiteral("MSEB4"), QString()};
        window.grid.InitSettingsGrid(strings);
        window.grid.ShowALogSettings(store.WorkItems[1], strings);
    }
    QString reportFile() const { return dir.filePath(QStringLiteral("weld report.doc")); }
    bool controlHas(const char* method) const
    {
        try {
            control->dispIdOfName(QString::fromLatin1(method));
            return true;
        } catch (const automation::AutomationError&) {
            return false;
        }
    }

    QTemporaryDir dir;
    items::LanguageContext strings = ownStrings();
    items::ItemStore store;
    MapSettings settings;
    QuietMessages messages;
    display::AScanDisplay display{store, strings, settings, messages};
    word::LocalActiveObjectTable table;
    word::WordEnvironment environment{table};
    std::shared_ptr<control::VerboltObject> control = control::createVerbolt(environment);
    std::shared_ptr<ResultRecorder> recorder = std::make_shared<ResultRecorder>(control);
    FakeWindow window;
    FakeUser user;
    WordReport report{recorder, window, user, store, strings,
                      ReportFiles{dir.filePath(QStringLiteral("Logo.bmp")), dir.filePath(QStringLiteral("MetaTest.emf"))}};
};

TEST_F(ReportEndToEndTest, TitlePageAndItemReadBackFromTheSavedFile)
{
    user.inputs.push_back(QStringLiteral("Weld Survey"));
    user.files.push_back(reportFile());
    report.Create_Word_Report();
    ASSERT_TRUE(report.ReportCreated);
    ASSERT_TRUE(report.reportButtonsEnabled());
    ASSERT_TRUE(display.DrawAScan(1));
    ASSERT_EQ(display.picturePath(), dir.filePath(QStringLiteral("MetaTest.emf")));
    report.Export_Item_To_Word();
    // Every step of the title page and of the item succeeded in the control.
    for (const auto& [id, result] : recorder->results)
        EXPECT_EQ(result, automation::Variant(std::int16_t{1})) << std::hex << id;
    report.Btn_SaveClose_Click();
    EXPECT_EQ(environment.runningCount(), 0);  // the Word the control started is gone

    const std::unique_ptr<word::DocumentModel> model = word::readDocumentFile(reportFile());
    const word::Story& body = model->body;
    const QString text = body.text(0, body.length());
    int last = -1;
    for (const char* piece : {"Weld Survey", "Operator Notes", "Label :WELD7", "Operator :J. Smith", "Probe :MSEB4"}) {
        const int at = text.indexOf(QString::fromLatin1(piece));
        ASSERT_GT(at, last) << piece;
        last = at;
    }
    EXPECT_FALSE(text.contains(QStringLiteral("Bay 4")));  // the location note is not reported
    EXPECT_FALSE(text.contains(QStringLiteral("Notes :")));
    EXPECT_EQ(text.count(QChar(word::kPageBreak)), 3);
    const int title = text.indexOf(QStringLiteral("Weld Survey"));
    const word::CharFormat& titleFont = body.pool().font(body.at(title).font);
    EXPECT_EQ(titleFont.name, QStringLiteral("Arial"));
    EXPECT_EQ(titleFont.size, 25.0);
    EXPECT_TRUE(titleFont.bold);
    int pictures = 0;
    const word::TableModel* grid = nullptr;
    for (const auto& object : model->objects) {
        pictures += std::holds_alternative<word::FloatingPicture>(object) || std::holds_alternative<word::InlinePicture>(object) ? 1 : 0;
        if (const auto* t = std::get_if<word::TableModel>(&object))
            grid = t;
    }
    EXPECT_EQ(pictures, 2);  // the logo and the A-scan
    // The settings grid as a table, once the control writes tables.
    if (controlHas("FlexGridToWordTable")) {
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->rows, window.grid.rowCount());
        EXPECT_EQ(grid->columns, 5);
        EXPECT_EQ(grid->cell(1, 0).text, QStringLiteral("CAL"));
        EXPECT_EQ(grid->cell(2, 1).text, window.grid.text(2, 1));
        EXPECT_EQ(grid->cell(2, 1).font.name, QStringLiteral("Arial"));
    }
}

// The report as a web page: the logo and the A-scan (the metafile the display wrote,
// played into a PNG) are files beside the page, each referenced where it stands.
TEST_F(ReportEndToEndTest, TheReportSavedAsHtmlShowsItsLogoAndAScan)
{
    user.inputs.push_back(QStringLiteral("Weld Survey"));
    user.files.push_back(reportFile());
    report.Create_Word_Report();
    ASSERT_TRUE(report.ReportCreated);
    ASSERT_TRUE(display.DrawAScan(1));
    report.Export_Item_To_Word();
    std::vector<automation::Variant> args{automation::Variant(dir.filePath(QStringLiteral("weld report.htm")))};
    ASSERT_EQ(control->invoke(control->dispIdOfName(QStringLiteral("CreateHTML")), args), automation::Variant(std::int16_t{1}));

    QFile page(dir.filePath(QStringLiteral("weld report.htm")));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    static const QRegularExpression img(QStringLiteral("<img src=\"([^\"]*)\""));
    QStringList sources;
    for (auto it = img.globalMatch(html); it.hasNext();)
        sources << it.next().captured(1);
    ASSERT_EQ(sources, (QStringList{QStringLiteral("weld%20report_files/image001.bmp"),
                                    QStringLiteral("weld%20report_files/image002.png")}))
        << html.toStdString();
    const QImage logo(dir.filePath(QStringLiteral("weld report_files/image001.bmp")));
    EXPECT_EQ(logo.size(), QSize(150, 100));
    const QImage ascan(dir.filePath(QStringLiteral("weld report_files/image002.png")));
    ASSERT_FALSE(ascan.isNull());
    // Drawn, not an empty frame: the trace and graticule leave many pixels that are not white.
    int drawn = 0;
    for (int y = 0; y < ascan.height(); ++y)
        for (int x = 0; x < ascan.width(); ++x)
            drawn += ascan.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(drawn, ascan.width() * ascan.height() / 50);
    // The logo on the title page before the title, the A-scan before the item's notes.
    EXPECT_LT(html.indexOf(sources[0]), html.indexOf(QStringLiteral("Weld Survey")));
    EXPECT_GT(html.indexOf(sources[1]), html.indexOf(QStringLiteral("Weld Survey")));
    EXPECT_LT(html.indexOf(sources[1]), html.indexOf(QStringLiteral("Operator Notes")));
    report.Btn_SaveClose_Click();
}

TEST_F(ReportEndToEndTest, SaveAndCloseLeavesTheUsersOwnWordAndDocumentsOpen)
{
    const std::shared_ptr<word::Application> usersWord = environment.createApplication();
    const std::shared_ptr<word::Document> letter = usersWord->documents().add();
    letter->content().insertAfter(QStringLiteral("a letter the user is writing"));

    user.inputs.push_back(QStringLiteral("Weld Survey"));
    user.files.push_back(reportFile());
    report.Create_Word_Report();
    ASSERT_TRUE(report.ReportCreated);
    EXPECT_EQ(usersWord->documents().count(), 2);  // the report opened in the user's Word
    report.Btn_SaveClose_Click();

    EXPECT_TRUE(usersWord->isRunning());
    ASSERT_EQ(usersWord->documents().count(), 1);
    EXPECT_EQ(usersWord->documents().item(1), letter);
    EXPECT_FALSE(letter->isClosed());
    EXPECT_TRUE(word::readDocumentFile(reportFile())->body.text(0, 200).contains(QStringLiteral("Weld Survey")));
}

} // namespace
} // namespace tovu::reports::testing
