// The reports hosted in the window, driven as a user does: the report frame from the
// toolbar, the Word report through the frame's buttons on the word-processor stand-in
// (read back from the saved file, converted to PDF and looked at), Copy Panel onto the
// clipboard, Print onto a PDF printer, and the two ALog exports from the Export menu.
#include "mainwindow/MainWindowFixture.h"

#include "app/items/AlogExport.h"
#include "app/items/FileHandlingModule.h"
#include "app/mainwindow/ReportWiring.h"
#include "app/reports/widgets/ReportFrame.h"
#include "platform/office/word/DocumentFiles.h"
#include "platform/printing/Printing.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>
#include <QPushButton>
#include <QRegularExpression>

// The EMF converter behind the report's pictures loses a few bytes per picture, and
// fontconfig keeps its cache for the process's life; neither is ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libemf2svg.so\n";
}

namespace tovu::mainwindow::testing {
namespace {

namespace word = tovu::platform::word;

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ReportWindowTest : public MainWindowFixture {
protected:
    ReportWindowTest()
    {
        // The report logo is looked for in the program's data folders, the user's first.
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        const QString share = home.filePath(QStringLiteral("share"));
        QDir().mkpath(share + QStringLiteral("/tovu"));
        qputenv("XDG_DATA_HOME", share.toLocal8Bit());
        QImage logo(150, 100, QImage::Format_RGB32);
        logo.fill(Qt::white);
        QPainter(&logo).fillRect(20, 20, 110, 60, Qt::darkGreen);
        logo.save(share + QStringLiteral("/tovu/Logo.bmp"));
    }
    ~ReportWindowTest() override { qputenv("XDG_DATA_HOME", savedDataHome_); }

    // The window started without an instrument, the fixture's items opened from the
    // toolbar, the ALogs shown.
    frmmain& openItems()
    {
        frmmain& w = startWithItems();
        for (int k = 1; k <= w.listModel().count(); ++k)
            if (context().store.WorkItems[static_cast<std::size_t>(k)].InUse)
                used.push_back(k);
        return w;
    }
    void selectRows(frmmain& w, int first, int last)
    {
        QItemSelectionModel* s = w.lvwPanelsALog()->selectionModel();
        s->clearSelection();
        for (int k = first; k <= last; ++k)
            s->select(w.listModel().index(k - 1, 0), QItemSelectionModel::Select);
    }
    items::DFDRecord& record(int k) { return context().store.WorkItems[static_cast<std::size_t>(k)]; }
    reports::ReportFrame& frame() { return window().reportWiring().frame(); }
    QString path(const char* name) const { return home.filePath(QString::fromLatin1(name)); }

    std::vector<int> used;  // the list positions that hold an item

private:
    QByteArray savedDataHome_;
};

TEST_F(ReportWindowTest, ToolbarShowsAndHidesTheReportFrameBelowTheTree)
{
    frmmain& w = openItems();
    ASSERT_TRUE(w.wordAvailable()) << "the word-processor stand-in answers the probe";
    w.show();
    const int treeHeight = w.DFDTree()->height();
    ASSERT_FALSE(w.Frm_Export()->isVisible());

    w.toolbarButton(8)->trigger();  // wordIcon1
    ASSERT_TRUE(w.Frm_Export()->isVisible());
    EXPECT_EQ(w.Frm_Export()->title(), QStringLiteral("Report Controls"));
    EXPECT_LT(w.DFDTree()->height(), treeHeight) << "the tree gives the frame room";
    EXPECT_EQ(w.lvwPanelsALog()->height(), w.DFDTree()->height());
    EXPECT_GE(w.Frm_Export()->y(), w.DFDTree()->geometry().bottom());
    EXPECT_TRUE(frame().Btn_WordExport()->isEnabled());
    for (QPushButton* b : {frame().BtnExport_Current(), frame().BtnExportMulti(), frame().Btn_SaveClose(), frame().Btn_View_Word()})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString() << ": no report is open yet";
    // A look at the window with the frame, kept in the build folder.
    EXPECT_TRUE(w.grab().save(QStringLiteral(TOVU_BIN_DIR "/report-frame-window.png")));

    w.toolbarButton(8)->trigger();
    EXPECT_FALSE(w.Frm_Export()->isVisible());
    EXPECT_EQ(w.DFDTree()->height(), treeHeight);
    EXPECT_EQ(ui.count(QStringLiteral("message")), 0);

    // Without Word the frame stays hidden and the user is told why.
    w.setWordAvailable(false);
    w.toolbarButton(8)->trigger();
    EXPECT_FALSE(w.Frm_Export()->isVisible());
    ASSERT_NE(ui.last(QStringLiteral("message")), nullptr);
    EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("Microsoft Word not Detected on this PC"));
}

TEST_F(ReportWindowTest, WordReportOfTheShownItemAndARangeReadBackConvertedAndRendered)
{
    frmmain& w = openItems();
    // A run of items: the fixture's first ALog copied to the two slots after it, with
    // an empty slot between them that the range skips.
    ASSERT_GE(used.size(), 2u);
    const int first = used[0];
    for (int k = first + 1; k <= first + 3; ++k)
        ASSERT_FALSE(record(k).InUse || record(k).WaveformPresent) << k;
    record(first + 1) = record(first);
    record(first + 3) = record(first);
    used = {first, first + 1, first + 3, used[1]};
    // Distinct notes on every item; the location note is never reported.
    for (int k : used) {
        items::RecordSettings& s = record(k).editSettings();
        s.NoteLabel = QStringLiteral("WELD%1").arg(k);
        s.NoteOperator = QStringLiteral("Operator %1").arg(k);
        s.NoteLocation = QStringLiteral("Bay %1").arg(k);
        s.NoteProbe = QStringLiteral("MSEB%1").arg(k);
        s.NoteText = QString();
    }
    w.show();
    w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
    ASSERT_TRUE(w.Frm_Export()->isVisible());

    const QString doc = path("weld report.doc");
    ui.inputs.push_back(QStringLiteral("Weld Survey"));
    ui.fileNames.push_back(doc);
    frame().Btn_WordExport()->click();
    ASSERT_TRUE(w.reportWiring().report().ReportCreated);
    EXPECT_TRUE(w.reportCreated());
    EXPECT_EQ(w.commonDialog().FileName, doc) << "the window's one file dialog was used";
    EXPECT_EQ(w.commonDialog().Filter,
              QStringLiteral("Word document|*.docx|Word 97-2003 document|*.doc"));
    EXPECT_TRUE(frame().BtnExport_Current()->isEnabled());
    EXPECT_TRUE(frame().Btn_SaveClose()->isEnabled());

    // The shown item: opened by a double click, then appended.
    const int shown = used[3];
    w.lvwPanelsALog()->setCurrentIndex(w.listModel().index(shown - 1, 0));
    w.itemCommands().lvwPanelsALog_DblClick();
    ASSERT_EQ(w.NotesSettingsTab()->NoteIndex()->text(), QString::number(shown));
    frame().BtnExport_Current()->click();

    // The range of the first three items, the empty entry between them skipped.
    selectRows(w, used[0], used[2]);
    frame().BtnExportMulti()->click();
    EXPECT_EQ(w.itemCommands().ListSelFirst(), used[0]);
    EXPECT_EQ(w.itemCommands().ListSelLast(), used[2]);
    EXPECT_EQ(w.NotesSettingsTab()->NoteIndex()->text(), QString::number(used[2])) << "the range was shown item by item";
    const int lastRows = w.NotesSettingsTab()->gridModel().grid().rowCount();
    const QString lastCell = w.NotesSettingsTab()->gridModel().grid().text(2, 1);
    int rangeItems = 0;
    for (int k = used[0]; k <= used[2]; ++k)
        rangeItems += record(k).InUse || record(k).WaveformPresent ? 1 : 0;
    const int exported = 1 + rangeItems;

    frame().Btn_SaveClose()->click();
    EXPECT_FALSE(frame().BtnExport_Current()->isEnabled());
    EXPECT_EQ(ui.count(QStringLiteral("message")), 0);

    // The saved file read back by the stand-in's reader.
    const std::unique_ptr<word::DocumentModel> model = word::readDocumentFile(doc);
    ASSERT_NE(model, nullptr);
    const word::Story& body = model->body;
    const QString text = body.text(0, body.length());
    int at = text.indexOf(QStringLiteral("Weld Survey"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(body.pool().font(body.at(at).font).size, 25.0);
    std::vector<int> reported{shown};
    for (int k = used[0]; k <= used[2]; ++k)
        if (record(k).InUse)
            reported.push_back(k);
    for (int k : reported) {
        for (const QString& line : {QStringLiteral("Operator Notes"), QStringLiteral("Label :WELD%1").arg(k),
                                    QStringLiteral("Operator :Operator %1").arg(k), QStringLiteral("Probe :MSEB%1").arg(k)}) {
            const int next = text.indexOf(line, at);
            ASSERT_GT(next, at) << line.toStdString() << " in report order";
            at = next;
        }
        EXPECT_FALSE(text.contains(QStringLiteral("Bay %1").arg(k)));
    }
    // The title page, then a page break after each item's table and after its notes.
    EXPECT_EQ(text.count(QChar(word::kPageBreak)), 1 + 2 * exported);

    int pictures = 0;
    std::vector<const word::TableModel*> tables;
    for (const auto& object : model->objects) {
        pictures += std::holds_alternative<word::FloatingPicture>(object) || std::holds_alternative<word::InlinePicture>(object) ? 1 : 0;
        if (const auto* t = std::get_if<word::TableModel>(&object))
            tables.push_back(t);
    }
    EXPECT_EQ(pictures, 1 + exported) << "the logo and one A-scan per item";
    ASSERT_EQ(static_cast<int>(tables.size()), exported) << "one settings table per item";
    const word::TableModel& last = *tables.back();
    EXPECT_EQ(last.rows, lastRows);
    EXPECT_EQ(last.columns, 5);
    EXPECT_EQ(last.cell(1, 0).text, QStringLiteral("CAL"));
    EXPECT_EQ(last.cell(2, 1).text, lastCell);

    // Converted to PDF by the stand-in; its text and a rendered page.
    const QString pdf = path("weld report.pdf");
    word::writeDocumentFile(*model, pdf, word::SaveFormat::Pdf);
    const QString pdfText = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const QString& piece : {QStringLiteral("Weld Survey"), QStringLiteral("Operator Notes"),
                                 QStringLiteral("Label :WELD%1").arg(shown), QStringLiteral("Probe :MSEB%1").arg(used[2]), lastCell})
        EXPECT_TRUE(pdfText.contains(piece)) << piece.toStdString() << "\n" << pdfText.left(2000).toStdString();
    // The page of the range's first item (the one with a trace): the first page with a
    // settings table after the shown item's notes.
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch pageCount = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pageCount.hasMatch()) << info.toStdString();
    int itemPage = 0;
    bool shownNotesSeen = false;
    for (int p = 1; p <= pageCount.captured(1).toInt() && itemPage == 0; ++p) {
        const QString n = QString::number(p);
        const QString pageText = run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
        if (pageText.contains(QStringLiteral("Label :WELD%1").arg(shown)))
            shownNotesSeen = true;
        else if (shownNotesSeen && pageText.contains(QStringLiteral("CAL")))
            itemPage = p;
    }
    ASSERT_NE(itemPage, 0);
    const QString image = QStringLiteral(TOVU_BIN_DIR "/report-window-page");
    QFile::remove(image + QStringLiteral(".png"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                                     QString::number(itemPage), QStringLiteral("-l"), QString::number(itemPage),
                                     QStringLiteral("-singlefile"), pdf, image});
    const QImage page(image + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull()) << "the item's page was rendered";
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 500) << "the item's page holds its picture and table";
}

TEST_F(ReportWindowTest, TheAgcCopyOptionFollowsTheModelOfTheItemCopied)
{
    frmmain& w = openItems();
    const int k = used[0];
    QAction* agc = w.menus().mnuCopyClipBoardOptions[12];
    w.menus().mnuoptall[1]->trigger();  // every option checked and stored
    const QString stored = setting(QStringLiteral("Clipboard"), QStringLiteral("Copy Options"));
    struct Case {
        int model;
        bool shown;
    };
    for (const Case c : {Case{21, true}, Case{2, false}, Case{11, true}, Case{10, false}}) {
        SCOPED_TRACE(c.model);
        record(k).ModelIndex = c.model;
        ASSERT_TRUE(w.itemCommands().openItem(k));
        w.toolbarButton(7)->trigger();  // CopyPanel
        EXPECT_EQ(agc->isVisible(), c.shown);
        EXPECT_EQ(agc->isEnabled(), c.shown);
        EXPECT_TRUE(agc->isChecked()) << "the check is kept for the next item that has the section";
        EXPECT_EQ(QApplication::clipboard()->text().contains(QStringLiteral("\r\nAGC\r\n")), c.shown);
        EXPECT_EQ(setting(QStringLiteral("Clipboard"), QStringLiteral("Copy Options")), stored) << "the copy stores nothing";
    }
}

TEST_F(ReportWindowTest, TheRangeShowsItsProgressAndCancelKeepsWhatWasAdded)
{
    frmmain& w = openItems();
    ASSERT_GE(used.size(), 2u);
    w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
    const QString doc = path("range");
    ui.inputs.push_back(QStringLiteral("Range"));
    ui.fileNames.push_back(doc);
    frame().Btn_WordExport()->click();
    ASSERT_TRUE(w.reportWiring().report().ReportCreated);
    selectRows(w, used[0], used.back());
    // The user presses Cancel while the first item is added.
    QTimer::singleShot(0, &w, [&] {
        if (QProgressDialog* p = w.reportWiring().rangeProgressDialog())
            p->cancel();
    });
    frame().BtnExportMulti()->click();
    QProgressDialog* progress = w.reportWiring().rangeProgressDialog();
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isVisible());
    int withData = 0;
    for (int k = used[0]; k <= used.back(); ++k)
        withData += record(k).InUse || record(k).WaveformPresent ? 1 : 0;
    EXPECT_EQ(progress->maximum(), withData);
    EXPECT_EQ(progress->labelText(), QStringLiteral("Item 1 of %1 added").arg(progress->maximum()));
    EXPECT_EQ(w.NotesSettingsTab()->NoteIndex()->text(), QString::number(used[0])) << "stopped after the first item";
    frame().Btn_SaveClose()->click();
    const std::unique_ptr<word::DocumentModel> model = word::readDocumentFile(doc + QStringLiteral(".docx"));
    ASSERT_NE(model, nullptr);
    int tables = 0;
    for (const auto& object : model->objects)
        tables += std::holds_alternative<word::TableModel>(object) ? 1 : 0;
    EXPECT_EQ(tables, 1) << "the item added before the Cancel is in the saved report";
}

TEST_F(ReportWindowTest, ReportCancelledAtTheTitleOrTheFileWritesNothing)
{
    frmmain& w = openItems();
    w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
    frame().Btn_WordExport()->click();  // the title box cancelled
    ui.inputs.push_back(QStringLiteral("Weld Survey"));
    frame().Btn_WordExport()->click();  // the file dialog cancelled
    EXPECT_FALSE(w.reportWiring().report().ReportCreated);
    EXPECT_FALSE(frame().BtnExport_Current()->isEnabled());
    EXPECT_EQ(ui.count(QStringLiteral("input")), 2);
    EXPECT_EQ(ui.count(QStringLiteral("save")), 1);
    EXPECT_TRUE(QDir(home.path()).entryList({QStringLiteral("*.doc")}).isEmpty());

    // While another command runs the report's buttons are refused like the menus.
    ui.inputs.push_back(QStringLiteral("Weld Survey"));
    ASSERT_TRUE(w.runCommand([&] { frame().Btn_WordExport()->click(); }));
    EXPECT_EQ(ui.count(QStringLiteral("input")), 2);
}

// Open, Save and the report's file dialog all start in the folder used last, and in the
// user's documents before any was used or when that folder is gone.
TEST_F(ReportWindowTest, FileDialogsStartInTheFolderUsedLastElseTheDocuments)
{
    mapComToNothing();
    frmmain& w = start();
    const QString documents = context().paths.documentsFolder;
    ASSERT_FALSE(documents.isEmpty());
    ASSERT_NE(documents, context().paths.programFolder);
    w.Toolbar1_ButtonClick(QStringLiteral("Open"));  // cancelled
    EXPECT_EQ(ui.lastDialog.InitDir, documents);

    const QString file = QStringLiteral(TOVU_FIXTURES_DIR "/items/mixed.dfd");
    ui.fileNames.push_back(file);
    w.Toolbar1_ButtonClick(QStringLiteral("Open"));
    const QString used = QFileInfo(file).absolutePath();
    const std::pair<const char*, std::function<void()>> dialogs[] = {
        {"Open", [&] { w.Toolbar1_ButtonClick(QStringLiteral("Open")); }},
        {"Save", [&] { w.Toolbar1_ButtonClick(QStringLiteral("Save")); }},
        {"the report", [&] {
             w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
             ui.inputs.push_back(QStringLiteral("Title"));
             frame().Btn_WordExport()->click();
             w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
         }},
    };
    for (const auto& [name, open] : dialogs) {
        const std::size_t before = ui.shown.size();
        open();  // each cancelled
        ASSERT_GT(ui.shown.size(), before) << name;
        EXPECT_EQ(ui.lastDialog.InitDir, used) << name;
    }
    saveSetting(QStringLiteral("Application"), QStringLiteral("Path"), home.filePath(QStringLiteral("gone")));
    w.Toolbar1_ButtonClick(QStringLiteral("Open"));
    EXPECT_EQ(ui.lastDialog.InitDir, documents);
}

TEST_F(ReportWindowTest, CopyPanelPutsTheShownItemsSettingsOnTheClipboardAsTheOptionsChoose)
{
    frmmain& w = openItems();
    const int k = used[1];
    record(k).editSettings().NoteLabel = QStringLiteral("CLIPWELD");
    ASSERT_TRUE(w.itemCommands().openItem(k));
    QClipboard* clipboard = QApplication::clipboard();

    struct Case {
        const char* options;  // the Edit menu item chosen before the copy
        bool notes;           // the notes section is in the text
    };
    const Case cases[] = {{"all", true}, {"none", false}};
    QString all;
    for (const Case& c : cases) {
        clipboard->setText(QStringLiteral("before"));
        w.menus().mnuoptall[QLatin1String(c.options) == u"all" ? 1 : 2]->trigger();
        w.toolbarButton(7)->trigger();  // CopyPanel
        const QString text = clipboard->text();
        SCOPED_TRACE(c.options);
        ASSERT_NE(text, QStringLiteral("before"));
        EXPECT_TRUE(text.startsWith(QStringLiteral("\r\n")));
        EXPECT_TRUE(text.contains(w.NotesSettingsTab()->ModelLbl()->text()));
        EXPECT_EQ(text.contains(QStringLiteral("CLIPWELD")), c.notes);
        if (c.notes)
            all = text;
        else
            EXPECT_LT(text.size(), all.size());
    }
    // The menu command does the same as the toolbar button.
    w.menus().mnuoptall[1]->trigger();
    clipboard->setText(QStringLiteral("before"));
    w.action(QStringLiteral("mnuCopyPanel"))->trigger();
    EXPECT_EQ(clipboard->text(), all);
    EXPECT_EQ(ui.count(QStringLiteral("message")), 0);

    // A note index that names no record: the error box, the clipboard left as it was.
    w.NotesSettingsTab()->NoteIndex()->setText(QStringLiteral("99999"));
    clipboard->setText(QStringLiteral("kept"));
    w.toolbarButton(7)->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("kept"));
    ASSERT_NE(ui.last(QStringLiteral("message")), nullptr);
    EXPECT_EQ(ui.last(QStringLiteral("message"))->title, QStringLiteral("Menu Copy error"));
    EXPECT_EQ(ui.last(QStringLiteral("message"))->icon, MessageIcon::Critical);
}

TEST_F(ReportWindowTest, PrintOfTheShownItemOntoAChosenPdfPrinter)
{
    options.commandLine = QStringLiteral("/Z");  // Print is a service command
    frmmain& w = openItems();
    ASSERT_TRUE(w.action(QStringLiteral("mnuPrint"))->isEnabled());
    const int k = used[0];
    record(k).editSettings().NoteLabel = QStringLiteral("PRINTWELD");
    ASSERT_TRUE(w.itemCommands().openItem(k));

    const QString pdf = path("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    int asked = 0;
    bool cancel = true;
    const auto job = platform::printing::deviceJob(printer);
    w.reportWiring().setPrinterChooser([&]() -> platform::printing::PrintJob* {
        ++asked;
        return cancel ? nullptr : job.get();
    });
    w.action(QStringLiteral("mnuPrint"))->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(pdf)) << "Cancel in the printer dialog prints nothing";

    cancel = false;
    w.action(QStringLiteral("mnuPrint"))->trigger();
    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("PRINTWELD"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::number(k))) << "the item's number in the title";
    EXPECT_TRUE(text.contains(w.NotesSettingsTab()->ModelLbl()->text()));
}

TEST_F(ReportWindowTest, AlogExportsFromTheExportMenuWriteTheItemLastClicked)
{
    frmmain& w = openItems();
    ASSERT_GE(used.size(), 2u);
    struct Case {
        const char* menu;
        const char* file;
        bool csv;
        const char* filter;
    };
    const Case cases[] = {{"mnuExportExcel", "item.csv", true, "Excel Comma Separated Files|*.csv"},
                          {"mnuExportMatlab", "item.dat", false, "Matlab Files|*.dat"}};
    // The item with a trace, and one without.
    int k = 0;
    int traceless = 0;
    for (int u : used)
        (record(u).WaveformPresent ? k : traceless) = u;
    ASSERT_NE(k, 0);
    ASSERT_NE(traceless, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menu);
        w.itemCommands().lvwPanelsALog_ItemClick(k);
        ui.fileNames.push_back(path(c.file));
        w.action(QString::fromLatin1(c.menu))->trigger();
        EXPECT_EQ(w.commonDialog().Filter, QString::fromLatin1(c.filter));
        EXPECT_EQ(w.commonDialog().Flags & kOverwritePrompt, kOverwritePrompt);
        const QByteArray written = fileBytes(path(c.file));
        ASSERT_FALSE(written.isEmpty());
        // The same item written directly, and another item, for comparison.
        const QString same = path("same.out");
        const QString other = path("other.out");
        const int cp = w.languageCodePage();
        const items::StringSource& strings = context().language;
        if (c.csv) {
            items::ExportAlogCsv(context().store, k, same, strings, cp);
            items::ExportAlogCsv(context().store, traceless, other, strings, cp);
        } else {
            items::ExportAlogMatlab(context().store, k, same, cp);
            items::ExportAlogMatlab(context().store, traceless, other, cp);
        }
        EXPECT_EQ(written, fileBytes(same));
        EXPECT_NE(written, fileBytes(other)) << "the item named by the Save Individual caption";

        // Cancel writes nothing.
        QFile::remove(path(c.file));
        w.action(QString::fromLatin1(c.menu))->trigger();
        EXPECT_FALSE(QFile::exists(path(c.file)));

        // An item without a trace is told so; no file is asked for and the file of that
        // name keeps what it held.
        QFile stale(path(c.file));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("stale");
        stale.close();
        w.itemCommands().lvwPanelsALog_ItemClick(traceless);
        const int saves = ui.count(QStringLiteral("save"));
        w.action(QString::fromLatin1(c.menu))->trigger();
        EXPECT_EQ(ui.count(QStringLiteral("save")), saves);
        EXPECT_EQ(fileBytes(path(c.file)), QByteArray("stale"));
        ASSERT_NE(ui.last(QStringLiteral("message")), nullptr);
        EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("This item holds no A-scan to export. No file was written."));
    }
    // An empty entry: the message, no dialog.
    int empty = 1;
    while (record(empty).InUse)
        ++empty;
    w.itemCommands().lvwPanelsALog_ItemClick(empty);
    const int dialogs = ui.count(QStringLiteral("save"));
    w.action(QStringLiteral("mnuExportExcel"))->trigger();
    EXPECT_EQ(ui.count(QStringLiteral("save")), dialogs);
    ASSERT_NE(ui.last(QStringLiteral("message")), nullptr);
    EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("No File is Selected OR It's Empty!"));
}

} // namespace
} // namespace tovu::mainwindow::testing
