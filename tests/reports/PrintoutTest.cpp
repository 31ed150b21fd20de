// The printed page: its primitives for a fixture record, the memo wrap, and the page as a
// PDF through the printer (checked with qpdf and pdftotext, and rendered to an image in
// the build folder for a look).
#include "ReportFakes.h"

#include "app/display/AScanDisplay.h"
#include "app/display/DisplayMessages.h"
#include "app/reports/ItemPrintCommand.h"
#include "app/reports/ItemPrintout.h"
#include "app/reports/PrintRender.h"
#include "support/AppEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <sys/resource.h>

TOVU_TEST_APPLICATION(QApplication)

namespace tovu::reports::testing {
namespace {

class NoMessages : public display::DisplayMessages {
public:
    void showCritical(const QString& text) override { shown << text; }
    QStringList shown;
};

TEST(Printout, ThePageOfAFixtureItem)
{
    const items::LanguageContext strings = ownStrings();
    const PrintPage page = PrintItem(test::annotatedALog(), 3, QStringLiteral("MODEL X"), QStringLiteral("10/12/2026 09:30"),
                                     strings, 190.0);
    const QStringList expected{
        QStringLiteral("text 85.00 20.00 18 \"AScan  3\""),
        QStringLiteral("text 10.00 32.17 12 \"MODEL X\""),
        QStringLiteral("text 10.00 37.04 12 \"10/12/2026 09:30\""),
        QStringLiteral("text 10.00 46.77 12 \"Label : WELD7\""),
        QStringLiteral("text 10.00 51.64 12 \"Operator : J. Smith\""),
        QStringLiteral("text 10.00 56.51 12 \"Location : Bay 4\""),
        QStringLiteral("text 10.00 61.38 12 \"Probe : MSEB4\""),
        QStringLiteral("text 10.00 66.25 12 \"Notes : Root crack indication at \""),
        QStringLiteral("text 10.00 71.11 12 \"   12 mm depth\""),
        QStringLiteral("text 10.00 75.98 12 \"   \""),
        QStringLiteral("text 10.00 100.85 12 \"Gain : 40.0\""),
        QStringLiteral("text 10.00 105.72 12 \"Ref : 6.0\""),
        QStringLiteral("text 10.00 110.58 12 \"Freq : 5 MHz\""),
        QStringLiteral("text 10.00 115.45 12 \"Detect : Full\""),
        QStringLiteral("text 10.00 120.32 12 \"Meas Mode : Depth\""),
        QStringLiteral("text 10.00 125.19 12 \"Reject : 10\""),
        QStringLiteral("frame 60.00 90.85 180.00 170.85"),
        QStringLiteral("picture 60.00 90.85 120.00 80.00"),
        QStringLiteral("text 10.00 180.85 12 b \"CAL\""),
        QStringLiteral("text 10.00 185.72 12 \"Zero : 1.25mm\""),
        QStringLiteral("text 10.00 190.58 12 \"Range : 50.0mm\""),
        QStringLiteral("text 10.00 195.45 12 \"Vel : 5920m/s\""),
        QStringLiteral("text 10.00 200.32 12 \"Delay : 0.00mm\""),
        QStringLiteral("text 55.00 180.85 12 b \"TX\""),
        QStringLiteral("text 55.00 185.72 12 \"Tx Width : 100ns\""),
        QStringLiteral("text 55.00 190.58 12 \"Damping : 100 Ohms\""),
        QStringLiteral("text 55.00 195.45 12 \"Volts : 400v\""),
        QStringLiteral("text 55.00 200.32 12 \"PRF MAX : 150 Hz\""),
        QStringLiteral("text 100.00 180.85 12 b \"MEAS\""),
        QStringLiteral("text 100.00 185.72 12 \"Meas Mode : Depth\""),
        QStringLiteral("text 100.00 190.58 12 \"Trig Mode : Peak\""),
        QStringLiteral("text 145.00 180.85 12 b \"PROBE\""),
        QStringLiteral("text 145.00 185.72 12 \"Tx Mode : Single\""),
        QStringLiteral("text 145.00 190.58 12 \"Angle : 45.0\""),
        QStringLiteral("text 145.00 195.45 12 \"X_Off : 8.0\""),
        QStringLiteral("text 10.00 210.32 12 \"Memo : \""),
        QStringLiteral("text 10.00 215.19 12 \" Checked twice\""),
    };
    EXPECT_EQ(page.dump(), expected);
}

TEST(Printout, TheFreeFrequencyTextAndAnEmptyMemo)
{
    const items::LanguageContext strings = ownStrings();
    items::DFDRecord r = test::annotatedALog();
    r.editSettings().FrequencyText = QStringLiteral("4 MHz");
    r.editSettings().Memo = QStringLiteral(" ");
    const QStringList lines = PrintItem(r, 12, QString(), QString(), strings, 190.0).dump();
    EXPECT_TRUE(lines.contains(QStringLiteral("text 10.00 110.58 12 \"Freq : 4 MHz\"")));
    EXPECT_EQ(lines.last(), QStringLiteral("text 10.00 210.32 12 \"Memo : \""));
    EXPECT_EQ(lines.first(), QStringLiteral("text 85.00 20.00 18 \"AScan  12\""));
}

TEST(Printout, TheMemoWrapsAndAlwaysAdvances)
{
    const QString w40(40, QLatin1Char('a'));
    const QString w39(39, QLatin1Char('b'));
    const QString long200 = QString(79, QLatin1Char('x')) + QString(79, QLatin1Char('y')) + QString(42, QLatin1Char('z'));
    struct Case {
        QString memo;
        QStringList lines;
    };
    const Case cases[] = {
        {QStringLiteral(" "), {}},
        {QString(), {}},
        {QStringLiteral(" leading blank"), {}},
        {QStringLiteral("one"), {QStringLiteral(" one")}},
        {QStringLiteral("a b c"), {QStringLiteral(" a b c")}},
        {w40 + u' ' + w39, {u' ' + w40 + u' ' + w39}},         // 79 letters fit
        {w40 + u' ' + w40, {u' ' + w40, u' ' + w40}},          // 80 do not
        {QString(80, QLatin1Char('q')), {u' ' + QString(79, QLatin1Char('q')), QStringLiteral(" q")}},
        {QStringLiteral("pre ") + long200 + QStringLiteral(" post"),
         {QStringLiteral(" pre"), u' ' + QString(79, QLatin1Char('x')), u' ' + QString(79, QLatin1Char('y')),
          u' ' + QString(42, QLatin1Char('z')) + QStringLiteral(" post")}},
        {QStringLiteral("two  blanks"), {QStringLiteral(" two  blanks")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.memo.toStdString());
        EXPECT_EQ(memoLines(c.memo), c.lines);
    }
}

TEST(Printout, LineBreaksInTheMemoPrintAsLines)
{
    const items::LanguageContext strings = ownStrings();
    items::DFDRecord r = test::annotatedALog();
    r.editSettings().Memo = QStringLiteral("first line\r\nsecond");
    const QStringList lines = PrintItem(r, 1, QString(), QString(), strings, 190.0).dump();
    EXPECT_EQ(lines.mid(lines.size() - 2),
              (QStringList{QStringLiteral("text 10.00 215.19 12 \" first line\""),
                           QStringLiteral("text 10.00 220.06 12 \"second\"")}));
}

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return QStringLiteral("<no %1>").arg(program);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

class PrintCommandTest : public ::testing::Test {
protected:
    PrintCommandTest()
    {
        store.WorkItems.resize(5);
        store.WorkItems[3] = test::annotatedALog();
        window.index = QStringLiteral("3");
        settings.values[QStringLiteral("Clipboard/Export")] = QStringLiteral("bitmap");
        settings.values[QStringLiteral("Colours/Main Wave")] = QString::number(0x0000C0);  // red
    }
    items::LanguageContext strings = ownStrings();
    items::ItemStore store;
    MapSettings settings;
    NoMessages messages;
    display::AScanDisplay display{store, strings, settings, messages};
    FakeWindow window;
    FakeUser user;
    ItemPrintCommand print{display, window, user};
};

TEST_F(PrintCommandTest, CancellingThePrinterDialogPrintsNothing)
{
    const QString pdf = QStringLiteral(TOVU_BIN_DIR "/printout-cancelled.pdf");
    QFile::remove(pdf);
    user.printer = nullptr;
    print.mnuPrint_Click();
    EXPECT_EQ(user.asked, QStringList{QStringLiteral("printer")});
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintCommandTest, AFailedPrintSaysWhy)
{
    struct Case {
        const char* name;
        QString index;   // the notes pane's index label
        QString output;  // the PDF printer's file
        const char* reason;
    };
    const Case cases[] = {
        {"no item shown", QStringLiteral("99"), QStringLiteral(TOVU_BIN_DIR "/printout-unused.pdf"), "No item is shown."},
        {"printer cannot open", QStringLiteral("3"), QStringLiteral(TOVU_BIN_DIR "/no such folder/printout.pdf"),
         "The printer could not be opened."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(c.output);
        const auto job = platform::printing::deviceJob(printer);
        user.printer = job.get();
        user.asked.clear();
        window.index = c.index;
        print.mnuPrint_Click();
        EXPECT_EQ(user.asked.last(),
                  QStringLiteral("message TOVU: The item could not be printed.\r\n") + QString::fromLatin1(c.reason));
        EXPECT_FALSE(QFile::exists(c.output));
    }
}

// Printing to a file in the printer dialog gives a job into the PDF file: a file that
// cannot be written whole is not touched, and the user is told why.
TEST_F(PrintCommandTest, APrintIntoAFileThatCannotBeWrittenKeepsTheOldFileAndSaysWhy)
{
    const QString pdf = QStringLiteral(TOVU_BIN_DIR "/printout-kept.pdf");
    const QByteArray old(100, 'o');
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
    }
    const platform::printing::PageSetup a4{QSizeF(595.3, 841.9), QMarginsF(), false};
    const struct {
        const char* name;
        QString file;
        const char* words;
    } cases[] = {
        {"no such folder", QStringLiteral(TOVU_BIN_DIR "/no such folder/printout.pdf"), "the folder does not exist"},
        {"file-size limit", pdf, "the file is larger than this system allows"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto job = platform::printing::openPdfFile(c.file, a4);
        user.printer = job.get();
        user.asked.clear();
        rlimit before{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
        const rlimit small{50, before.rlim_max};  // the old file's 100 bytes are more
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        print.mnuPrint_Click();
        ::setrlimit(RLIMIT_FSIZE, &before);
        ASSERT_FALSE(user.asked.isEmpty());
        const QString message = user.asked.last();
        EXPECT_TRUE(message.startsWith(QStringLiteral("message TOVU: The item could not be printed.\r\n"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(c.words))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.file)) << message.toStdString();
    }
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_FALSE(QFile::exists(QStringLiteral(TOVU_BIN_DIR "/no such folder")));
}

TEST_F(PrintCommandTest, ThePageReachesThePrinterWithThePictureDrawnFromTheRecord)
{
    const QString pdf = QStringLiteral(TOVU_BIN_DIR "/printout-test.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    // Into the file as the printer dialog's print to a file sends it.
    const QPageLayout chosen = printer.pageLayout();
    const auto job = platform::printing::openPdfFile(
        pdf, {chosen.pageSize().size(QPageSize::Point), chosen.margins(QPageLayout::Point), printer.fullPage()});
    user.printer = job.get();
    print.mnuPrint_Click();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(user.asked, QStringList{QStringLiteral("printer")}) << "a print that works says nothing";

    int code = -1;
    const QString check = run(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &code);
    EXPECT_EQ(code, 0) << check.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const char* piece : {"AScan 3", "MODEL X", "Label : WELD7", "Notes : Root crack indication at", "12 mm depth",
                              "Gain : 40.0", "Freq : 5 MHz", "Zero : 1.25mm", "PRF MAX : 150 Hz", "PROBE",
                              "X_Off : 8.0", "Memo :", "Checked twice"})
        EXPECT_TRUE(text.simplified().contains(QString::fromLatin1(piece))) << piece << "\n" << text.toStdString();
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages: +1\\n"))));

    // A look at the page, kept in the build folder.
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                                      QStringLiteral("-singlefile"), pdf, QStringLiteral(TOVU_BIN_DIR "/printout-page")});
    const QImage look(QStringLiteral(TOVU_BIN_DIR "/printout-page.png"));
    ASSERT_FALSE(look.isNull());
    // The trace is drawn in the main-wave colour inside the picture frame (60..180 mm
    // across, below the notes), in bitmap mode too.
    const double dotsPerMm = look.width() / 210.0;
    const QPageLayout layout = printer.pageLayout();
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    int red = 0;
    for (int y = int((paint.top() + 90) * dotsPerMm); y < int((paint.top() + 171) * dotsPerMm); ++y)
        for (int x = int((paint.left() + 60) * dotsPerMm); x < int((paint.left() + 180) * dotsPerMm); ++x) {
            const QColor c = look.pixelColor(x, y);
            red += (c.red() > 150 && c.green() < 100 && c.blue() < 100) ? 1 : 0;
        }
    EXPECT_GT(red, 20);
}

TEST(PrintRenderTest, FramesAndTextsLandWhereTheLayoutPutsThem)
{
    PrintPage page;
    page.primitives.push_back(PrintFrame{10, 10, 30, 20});
    page.primitives.push_back(PrintText{40, 10, QStringLiteral("W"), 12, true});
    page.primitives.push_back(PrintPicture{10, 30, 20, 10});
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QRectF pictureAt;
    {
        QPainter painter(&image);
        paintPrintPage(page, painter, 4.0, [&](QPainter&, const QRectF& target) { pictureAt = target; });
    }
    EXPECT_EQ(pictureAt, QRectF(40, 120, 80, 40));
    EXPECT_EQ(image.pixelColor(40, 60), QColor(Qt::black));   // frame's top left corner
    EXPECT_EQ(image.pixelColor(80, 70), QColor(Qt::white));   // inside the frame
    int ink = 0;
    for (int y = 40; y < 62; ++y)
        for (int x = 160; x < 200; ++x)
            ink += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
    EXPECT_GT(ink, 10);  // the text below its top at 40
}

} // namespace
} // namespace tovu::reports::testing
