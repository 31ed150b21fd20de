// A report of 20 items written the way the program writes it (the window's drawing, grid
// and notes, the real control on the word-processor stand-in), laid out by the stand-in and
// by LibreOffice from the saved file: the same number of pages, the settings tables' rows
// as high, no page of the one that the other leaves out. Skips where LibreOffice is absent.
#include "ReportFakes.h"

#include "app/display/AScanDisplay.h"
#include "app/display/DisplayMessages.h"
#include "app/items/ItemStore.h"
#include "app/reports/WordReport.h"
#include "control/VerboltObject.h"
#include "support/SideBySide.h"

#include "platform/office/word/Document.h"
#include "platform/office/word/DocumentFiles.h"
#include "platform/office/word/WordEnvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace tovu::reports::testing {
namespace {

namespace word = tovu::platform::word;

class QuietMessages : public display::DisplayMessages {
public:
    void showCritical(const QString&) override {}
};

// The window's drawing and grid are the real ones, as the range export drives them.
class DrawingWindow : public FakeWindow {
public:
    DrawingWindow(items::ItemStore& store, display::AScanDisplay& display, const items::StringSource& strings)
        : store_(store), display_(display), strings_(strings)
    {
        grid.InitSettingsGrid(strings_);
    }
    void DrawAScan(int i) override { display_.DrawAScan(i); }
    void ShowALogSettings(int i) override { grid.ShowALogSettings(store_.WorkItems[static_cast<std::size_t>(i)], strings_); }
    void ShowItemNotes(int i) override
    {
        const items::RecordSettings& s = store_.WorkItems[static_cast<std::size_t>(i)].settings();
        notes = {s.NoteLabel, s.NoteOperator, QString(), s.NoteProbe, s.NoteText};
    }

private:
    items::ItemStore& store_;
    display::AScanDisplay& display_;
    const items::StringSource& strings_;
};

class ReportLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString why;
        office = tovu::test::otherWordProcessor(&why);
        if (office.isEmpty())
            GTEST_SKIP() << qPrintable(why);
        QImage logo(150, 100, QImage::Format_RGB32);
        logo.fill(Qt::darkGreen);
        logo.save(dir.filePath(QStringLiteral("Logo.bmp")));
        display.folders = {dir.path(), dir.path()};
        report.WordAvailable = true;
    }

    // The report of items 1..n, saved after each as the program does; answers its file.
    QString writeReport(int n)
    {
        store.WorkItems.resize(static_cast<std::size_t>(n + 1));
        for (int i = 1; i <= n; ++i)
            store.WorkItems[static_cast<std::size_t>(i)] = test::numberedALog(i);
        window.selected.assign(static_cast<std::size_t>(n), true);
        user.inputs.push_back(QStringLiteral("Weld Survey"));
        user.files.push_back(dir.filePath(QStringLiteral("report.docx")));
        report.Create_Word_Report();
        EXPECT_TRUE(report.ReportCreated);
        report.Export_Selected_To_Word();
        report.Btn_SaveClose_Click();
        return dir.filePath(QStringLiteral("report.docx"));
    }

    QTemporaryDir dir;
    QString office;
    items::LanguageContext strings = ownStrings();
    items::ItemStore store;
    MapSettings settings;
    QuietMessages messages;
    display::AScanDisplay display{store, strings, settings, messages};
    word::LocalActiveObjectTable table;
    word::WordEnvironment environment{table};
    std::shared_ptr<control::VerboltObject> control = control::createVerbolt(environment);
    DrawingWindow window{store, display, strings};
    FakeUser user;
    WordReport report{control, window, user, store, strings,
                      ReportFiles{dir.filePath(QStringLiteral("Logo.bmp")), dir.filePath(QStringLiteral("MetaTest.emf"))}};
};

// The first settings table's height from its heading row to its last row, on the first
// item's page, where the table is the last thing before the page break.
double tableSpan(const tovu::test::PdfWords& pdf, const QString& heading)
{
    double top = -1, bottom = -1;
    for (const auto& w : pdf.words) {
        if (w.page != 2)
            continue;
        if (top < 0 && w.text == heading)
            top = w.y;
        if (top >= 0)
            bottom = std::max(bottom, w.y);
    }
    EXPECT_GE(top, 0) << qPrintable(heading);
    return bottom - top;
}

TEST_F(ReportLayoutTest, TwentyItemsTakeThePagesAndRowHeightsOfTheOtherWordProcessor)
{
    const QString docx = writeReport(20);
    const auto model = word::readDocumentFile(docx);
    word::LocalActiveObjectTable ownTable;
    word::WordEnvironment own(ownTable);
    const auto app = own.createApplication();
    const auto doc = app->documents().open(docx);
    const QString ours = dir.filePath(QStringLiteral("ours.pdf"));
    doc->saveAs(ours, word::SaveFormat::Pdf);
    QString log;
    const QString theirs = tovu::test::convertToPdf(office, docx, dir.filePath(QStringLiteral("other")), &log);
    ASSERT_FALSE(theirs.isEmpty()) << qPrintable(log);
    const tovu::test::PdfWords o = tovu::test::wordsOf(ours);
    const tovu::test::PdfWords t = tovu::test::wordsOf(theirs);
    const QString heading = window.grid.text(0, 0);
    const int rows = window.grid.rowCount();
    const double oursPitch = tableSpan(o, heading) / (rows - 1);
    const double theirsPitch = tableSpan(t, heading) / (rows - 1);
    std::printf("20 items: %d pages here, %d in LibreOffice; settings rows %.2f pt here, %.2f pt there (%d rows)\n",
                o.pages, t.pages, oursPitch, theirsPitch, rows);
    EXPECT_NEAR(oursPitch, theirsPitch, theirsPitch * 0.01);
    EXPECT_EQ(o.pages, t.pages);
    EXPECT_EQ(doc->computeStatistics(word::Statistic::Pages), t.pages);
    // The A-scans are drawn as vectors: the logo is the PDF's one image.
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), ours});
    if (images.waitForFinished(60000) && images.exitCode() == 0) {
        EXPECT_EQ(QString::fromUtf8(images.readAllStandardOutput()).trimmed().split(QLatin1Char('\n')).size(), 3);
    }
}

} // namespace
} // namespace tovu::reports::testing
