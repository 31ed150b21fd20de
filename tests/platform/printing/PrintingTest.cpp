// Printing through the printing interface: where a document's pages go, on which paper,
// and what happens when no printer can take them.

#include "platform/office/word/DocumentFiles.h"
#include "platform/office/word/PageLayout.h"
#include "platform/office/word/WordError.h"
#include "platform/printing/RecordingPrinting.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace printing = tovu::platform::printing;
namespace word = tovu::platform::word;

namespace {

// Three pages of text, the last two begun by page breaks.
std::unique_ptr<word::DocumentModel> threePages()
{
    auto model = std::make_unique<word::DocumentModel>();
    model->body.insertText(0, QStringLiteral("one") + QChar(word::kPageBreak) + QStringLiteral("two")
                                  + QChar(word::kPageBreak) + QStringLiteral("three"),
                           0);
    return model;
}

QString pdfInfo(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(Printing, DocumentGoesToTheNamedOrDefaultPrinterPageByPage)
{
    const auto document = threePages();
    const word::DocumentModel& model = *document;
    const int pages = word::PageLayout(model).pageCount();
    ASSERT_EQ(pages, 3);
    const QSizeF paper = word::PageLayout(model).pageSize();

    const struct {
        const char* asked;
        const char* printedOn;
    } cases[] = {{"", "Office Laser"}, {"office laser", "Office Laser"}, {"Label Printer", "Label Printer"}};
    for (const auto& c : cases) {
        printing::RecordingPrinting printers({QStringLiteral("Office Laser"), QStringLiteral("Label Printer")});
        word::printDocument(model, printers, QString::fromLatin1(c.asked), QString());
        ASSERT_EQ(printers.jobs().size(), 1u) << c.asked;
        const printing::RecordedJob& job = printers.jobs()[0];
        EXPECT_EQ(job.target.printer, QString::fromLatin1(c.printedOn)) << c.asked;
        EXPECT_TRUE(job.target.pdfFile.isEmpty());
        EXPECT_EQ(job.setup.paper, paper);
        EXPECT_TRUE(job.setup.fullPage);
        EXPECT_EQ(job.pages, pages) << c.asked;
        EXPECT_TRUE(job.pdf.startsWith("%PDF")) << c.asked;
    }
}

TEST(Printing, NoPrinterToTakeTheDocumentIsAnErrorAndPrintsNothing)
{
    const auto document = threePages();
    const word::DocumentModel& model = *document;
    const struct {
        QStringList installed;
        const char* asked;
        const char* reason;
    } cases[] = {{{}, "", "no printer is installed"},
                 {{QStringLiteral("Office Laser")}, "No Such Printer 42", "there is no printer \"No Such Printer 42\""}};
    for (const auto& c : cases) {
        printing::RecordingPrinting printers(c.installed);
        try {
            word::printDocument(model, printers, QString::fromLatin1(c.asked), QString());
            ADD_FAILURE() << "printed on " << c.asked;
        } catch (const word::WordError& e) {
            EXPECT_EQ(e.operation(), QStringLiteral("Document.PrintOut"));
            EXPECT_EQ(e.description(), QString::fromLatin1(c.reason));
        }
        EXPECT_TRUE(printers.jobs().empty());
    }
}

TEST(Printing, AnOutputFileTakesThePagesAsPdfWhateverThePrinters)
{
    QTemporaryDir dir;
    const auto document = threePages();
    const word::DocumentModel& model = *document;
    // The headless printers know no printer but write files; the recording ones write the
    // file too and record the job.
    const QString headless = dir.filePath(QStringLiteral("headless.pdf"));
    printing::PdfPrinting pdf;
    word::printDocument(model, pdf, QStringLiteral("Absent Printer"), headless);
    const QString recorded = dir.filePath(QStringLiteral("recorded.pdf"));
    printing::RecordingPrinting printers;
    word::printDocument(model, printers, QString(), recorded);
    ASSERT_EQ(printers.jobs().size(), 1u);
    EXPECT_EQ(printers.jobs()[0].target.pdfFile, recorded);
    EXPECT_EQ(printers.jobs()[0].pages, 3);

    for (const QString& file : {headless, recorded}) {
        const QString info = pdfInfo(file);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
        // A4, as the document's page set-up has it (595.3 x 841.9 points, named as A4).
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts"))))
            << info.toStdString();
        QProcess check;
        check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), file});
        ASSERT_TRUE(check.waitForFinished(30000)) << "qpdf did not run";
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    }
    // The file is written whole at the end of the job: nothing is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"headless.pdf", "recorded.pdf"}));
}

TEST(Printing, PdfPrintingHasNoPrinterAndNeedsAFile)
{
    printing::PdfPrinting pdf;
    EXPECT_EQ(pdf.installedPrinter(QString()), QString());
    EXPECT_EQ(pdf.installedPrinter(QStringLiteral("Office Laser")), QString());
    EXPECT_EQ(pdf.open({QStringLiteral("Office Laser"), QString()}, {QSizeF(595, 842), QMarginsF(), true}), nullptr);
}

TEST(Printing, ScriptedChoiceAnswersInTurnThenCancels)
{
    printing::RecordingPrinting printers({QStringLiteral("Office Laser")});
    auto job = printers.open({QStringLiteral("Office Laser"), QString()}, {QSizeF(595, 842), QMarginsF(), true});
    ASSERT_NE(job, nullptr);
    printing::ScriptedPrinterChoice choice;
    choice.answer(nullptr);
    choice.answer(job.get());
    EXPECT_EQ(choice.choosePrinter(), nullptr);
    EXPECT_EQ(choice.choosePrinter(), job.get());
    EXPECT_EQ(choice.choosePrinter(), nullptr) << "no answer left: the user cancels";
    EXPECT_EQ(choice.asked(), 3);
}
