// The Word report against a control that records every dispatch call: the call table's
// names, dispatch ids, arguments (with their types) and order, and the faults mended.
#include "ReportFakes.h"

#include "app/items/ItemStore.h"
#include "app/reports/WordReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::reports::testing {
namespace {

using automation::Variant;
using automation::VarType;

// The control's method names by dispatch id, as its interface numbers them.
const std::map<automation::DispId, QString> kNames{
    {0x60030001, QStringLiteral("CreateDocument")},   {0x60030009, QStringLiteral("InsertBlankLines")},
    {0x60030021, QStringLiteral("SwitchToWord")},     {0x60030033, QStringLiteral("ActivateDocument")},
    {0x6003004D, QStringLiteral("OpenDocument")},     {0x6003004F, QStringLiteral("UnhideWord")},
    {0x60030056, QStringLiteral("CloseWord")},        {0x60030057, QStringLiteral("CloseDocument")},
    {0x60030061, QStringLiteral("SaveDocument")},     {0x60030074, QStringLiteral("TextToWord")},
    {0x60030089, QStringLiteral("FlexGridToWordTable")}, {0x6003008B, QStringLiteral("InsertPicture")},
    {0x6003008C, QStringLiteral("InsertPageBreak")},  {0x6003008D, QStringLiteral("InsertLinkedPicture")},
};

// A value with its kind, in the suffix notation: 4% Integer, 0& Long, 135! Single.
QString shown(const Variant& v)
{
    switch (v.type()) {
    case VarType::String: return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    case VarType::Boolean: return v.toBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Integer: return v.toString() + QLatin1Char('%');
    case VarType::Long: return v.toString() + QLatin1Char('&');
    case VarType::Single: return v.toString() + QLatin1Char('!');
    case VarType::Object: return QLatin1Char('<') + v.toObject()->typeName() + QLatin1Char('>');
    default: return QStringLiteral("?");
    }
}

QStringList callsOf(const RecordingControl& control)
{
    QStringList out;
    for (const auto& c : control.calls) {
        QStringList args;
        for (const Variant& v : c.args)
            args << shown(v);
        const auto name = kNames.find(c.id);
        out << (name == kNames.end() ? QString::number(c.id, 16) : name->second) + QLatin1Char('(') +
                   args.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    return out;
}

class WordReportTest : public ::testing::Test {
protected:
    WordReportTest()
    {
        store.WorkItems.resize(10);
        report.WordAvailable = true;
    }
    QString reportFile() const { return dir.filePath(QStringLiteral("report.doc")); }
    void scriptCreation(const QString& title = QStringLiteral("Weld Report"))
    {
        user.inputs.push_back(title);
        user.files.push_back(reportFile());
    }
    int count(const QString& name) const
    {
        int n = 0;
        for (const QString& c : callsOf(*control))
            n += c.startsWith(name + QLatin1Char('(')) ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    items::LanguageContext strings = ownStrings();
    items::ItemStore store;
    FakeWindow window;
    FakeUser user;
    std::shared_ptr<RecordingControl> control = std::make_shared<RecordingControl>();
    ReportFiles files{dir.filePath(QStringLiteral("Logo.bmp")), dir.filePath(QStringLiteral("MetaTest.emf"))};
    WordReport report{control, window, user, store, strings, files};
};

TEST_F(WordReportTest, CreatingAndAppendingCallsTheControlInTheTableOrder)
{
    window.notes = {QStringLiteral("WELD7"), QString(), QStringLiteral("Bay 4"), QStringLiteral("MSEB4"), QStringLiteral(" ")};
    scriptCreation();
    report.Create_Word_Report();
    report.Export_Item_To_Word();

    const QString r = QLatin1Char('"') + reportFile() + QLatin1Char('"');
    const QString note = QStringLiteral(", False, \"Arial\", 10%, 5%, 0&, 0&, False, False, 0&, False, False, False, False, 0&)");
    const QStringList expected{
        QStringLiteral("CreateDocument(%1)").arg(r),
        QStringLiteral("OpenDocument(%1, False, \"\", \"\", \"\", True)").arg(r),
        QStringLiteral("InsertLinkedPicture(\"%1\", 135!, 0!, 150!, 100!)").arg(files.logo),
        QStringLiteral("InsertBlankLines(4%)"),
        QStringLiteral("InsertBlankLines(3%)"),
        QStringLiteral("TextToWord(\"Weld Report\", True, \"Arial\", 25%, 10%, 1&, 16711680&, False, True)"),
        QStringLiteral("InsertPageBreak()"),
        QStringLiteral("ActivateDocument(\"\")"),
        QStringLiteral("InsertPicture(\"%1\", 2!, 0!, 350!, 200!)").arg(files.picture),
        QStringLiteral("InsertBlankLines(14%, 0&)"),
        QStringLiteral("FlexGridToWordTable(<MSFlexGrid>, 0&, 0&, 0&, 0&, 35&, False, \"Arial\", 10%, 10%, 1&, 0%, "
                       "True, True, True, True, True, False, True, False, True, 0&)"),
        QStringLiteral("InsertPageBreak()"),
        QStringLiteral("TextToWord(\"Operator Notes\", True, \"Arial\", 10%, 5%, 1&, 16711680&, True, True, 0&, "
                       "False, False, False, False, 3&)"),
        QStringLiteral("TextToWord(\"Label :WELD7\"") + note,
        QStringLiteral("TextToWord(\"Probe :MSEB4\"") + note,
        QStringLiteral("TextToWord(\"Notes : \"") + note,
        QStringLiteral("InsertPageBreak()"),
        QStringLiteral("SaveDocument()"),
    };
    EXPECT_EQ(callsOf(*control), expected);
    EXPECT_TRUE(report.ReportCreated);
    EXPECT_EQ(report.ReportTitle, QStringLiteral("Weld Report"));
    EXPECT_TRUE(report.reportButtonsEnabled());
    EXPECT_EQ(window.events, (QStringList{QStringLiteral("progress show Create Document"), QStringLiteral("progress 20"),
                                          QStringLiteral("progress 40"), QStringLiteral("buttons on"),
                                          QStringLiteral("progress 50"), QStringLiteral("progress 70"),
                                          QStringLiteral("progress 80"), QStringLiteral("progress 100"),
                                          QStringLiteral("progress hide")}));
    // A save dialog offering the Word document package first; the dialog asks nothing itself.
    ASSERT_EQ(user.requests.size(), 1u);
    EXPECT_EQ(user.requests[0].Filter,
              QStringLiteral("Word document|*.docx|Word 97-2003 document|*.doc"));
    EXPECT_EQ(user.requests[0].Flags, 0);
}

TEST_F(WordReportTest, TheGridHandedToTheControlReadsTheWindowsSettingsGrid)
{
    window.grid.InitSettingsGrid(strings);
    window.grid.ShowALogSettings(test::annotatedALog(), strings);
    report.ReportCreated = true;
    report.Export_Item_To_Word();
    const auto call = std::find_if(control->calls.begin(), control->calls.end(),
                                   [](const auto& c) { return c.id == 0x60030089; });
    ASSERT_NE(call, control->calls.end());
    const automation::DispatchRef grid = call->args.at(0).toObject();
    EXPECT_EQ(grid->get(QStringLiteral("Rows")).toLong(), window.grid.rowCount());
    EXPECT_EQ(grid->get(QStringLiteral("cols")).toLong(), 5);
    const int cols = 5;
    for (int r = 0; r < window.grid.rowCount(); ++r)
        for (int c = 0; c < cols; ++c)
            ASSERT_EQ(grid->call(QStringLiteral("Textarray"), {Variant(std::int32_t{r * cols + c})}).toString(),
                      window.grid.text(r, c));
    EXPECT_EQ(grid->call(QStringLiteral("TextMatrix"), {Variant(std::int32_t{1}), Variant(std::int32_t{0})}).toString(),
              QStringLiteral("CAL"));
    // The report only reads the grid.
    EXPECT_THROW(grid->put(QStringLiteral("Rows"), Variant(std::int32_t{2})), automation::AutomationError);
}

TEST_F(WordReportTest, AnExistingFileIsReplacedOnlyAfterTheUserAgrees)
{
    QFile old(reportFile());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the user's own document");
    old.close();

    scriptCreation();
    user.answers.push_back(false);
    report.Create_Word_Report();
    EXPECT_TRUE(control->calls.empty());
    EXPECT_TRUE(window.events.isEmpty());
    EXPECT_FALSE(report.ReportCreated);
    EXPECT_EQ(QFile(reportFile()).size(), 23);
    ASSERT_EQ(user.asked.filter(QStringLiteral("ask ")).size(), 1);
    EXPECT_TRUE(user.asked.filter(QStringLiteral("ask ")).first().contains(QStringLiteral("report.doc already exists")));

    scriptCreation();
    user.answers.push_back(true);
    report.Create_Word_Report();
    EXPECT_FALSE(QFile::exists(reportFile()));  // the recording control writes nothing
    EXPECT_EQ(count(QStringLiteral("CreateDocument")), 1);
    EXPECT_TRUE(report.ReportCreated);
}

TEST_F(WordReportTest, CancelledOrEmptyAnswersEndTheCreationBeforeAnythingHappens)
{
    struct Case {
        const char* what;
        std::optional<QString> title;
        std::optional<std::optional<QString>> file;  // not asked when empty
    };
    const Case cases[] = {
        {"title cancelled", std::nullopt, std::nullopt},
        {"empty title", QString(), std::nullopt},
        {"file dialog cancelled", QStringLiteral("T"), std::optional<QString>()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        user.inputs.push_back(c.title);
        if (c.file)
            user.files.push_back(*c.file);
        report.Create_Word_Report();
        EXPECT_TRUE(control->calls.empty());
        EXPECT_TRUE(window.events.isEmpty());
        EXPECT_FALSE(report.ReportCreated);
        EXPECT_TRUE(report.ReportFileName.isEmpty());
        EXPECT_TRUE(user.inputs.empty() && user.files.empty());
    }
}

TEST_F(WordReportTest, AFailedCreateOrOpenIsReportedWithItsReasonAndWritesNoTitlePage)
{
    const std::map<automation::DispId, QString> reasons{
        {0x60030001, QStringLiteral("The document control could not create the document (answer -1).")},
        {0x6003004D, QStringLiteral("The document was created but could not be opened (answer -1).")}};
    for (automation::DispId failing : {0x60030001, 0x6003004D}) {
        SCOPED_TRACE(failing);
        control->calls.clear();
        control->results = {{failing, Variant(std::int16_t{-1})}};
        window.events.clear();
        user.asked.clear();
        scriptCreation();
        report.Create_Word_Report();
        EXPECT_EQ(callsOf(*control).size(), failing == 0x60030001 ? 1 : 2);
        EXPECT_EQ(report.ReportCreated, failing != 0x60030001);
        EXPECT_FALSE(report.reportButtonsEnabled());
        EXPECT_TRUE(user.asked.contains(QStringLiteral("message TOVU: Word Document Not Created\r\n") + reasons.at(failing)))
            << user.asked.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(window.events.mid(window.events.size() - 2),
                  (QStringList{QStringLiteral("progress 100"), QStringLiteral("progress hide")}));
    }
}

TEST_F(WordReportTest, AppendingWithoutAReportCreatesOneFirstOrSaysItCannot)
{
    user.inputs.push_back(std::nullopt);
    report.Export_Item_To_Word();
    EXPECT_TRUE(control->calls.empty());
    EXPECT_EQ(user.asked.last(), QStringLiteral("message TOVU: Unable to create Word document file ''."));

    scriptCreation();
    report.Export_Item_To_Word();
    EXPECT_EQ(count(QStringLiteral("CreateDocument")), 1);
    EXPECT_EQ(count(QStringLiteral("SaveDocument")), 1);
}

TEST_F(WordReportTest, TheSelectedRangeShowsAndAppendsEveryRecordWithDataInIt)
{
    window.selected = {false, true, false, false, true, false};
    store.WorkItems[2].InUse = true;
    store.WorkItems[3].WaveformPresent = true;  // an ALog without InUse: the notes stay as shown
    store.WorkItems[5].InUse = true;
    store.WorkItems[6].InUse = true;             // outside the range
    report.ReportCreated = true;
    report.Export_Selected_To_Word();
    EXPECT_EQ(window.selFirst, 2);
    EXPECT_EQ(window.selLast, 5);
    EXPECT_EQ(window.events,
              (QStringList{QStringLiteral("range show Adding the selected items to the report 3"), QStringLiteral("draw 2"),
                           QStringLiteral("grid 2"), QStringLiteral("notes 2"), QStringLiteral("range 1 Item 1 of 3 added"),
                           QStringLiteral("draw 3"), QStringLiteral("grid 3"), QStringLiteral("range 2 Item 2 of 3 added"),
                           QStringLiteral("draw 5"), QStringLiteral("grid 5"), QStringLiteral("notes 5"),
                           QStringLiteral("range 3 Item 3 of 3 added"), QStringLiteral("range hide")}));
    EXPECT_EQ(count(QStringLiteral("SaveDocument")), 3);
    EXPECT_EQ(count(QStringLiteral("FlexGridToWordTable")), 3);
}

TEST_F(WordReportTest, CancelStopsTheRangeAfterTheItemInHandWhichIsSaved)
{
    window.selected = {true, true, true, true};
    for (int k = 1; k <= 4; ++k)
        store.WorkItems[static_cast<std::size_t>(k)].InUse = true;
    report.ReportCreated = true;
    window.cancelAfter = 2;
    report.Export_Selected_To_Word();
    EXPECT_EQ(count(QStringLiteral("SaveDocument")), 2) << "each item added was saved with the document";
    EXPECT_EQ(window.events.filter(QStringLiteral("draw ")), (QStringList{QStringLiteral("draw 1"), QStringLiteral("draw 2")}));
    EXPECT_EQ(window.events.last(), QStringLiteral("range hide"));
    // The last call of all is the save of the second item: nothing is left half written.
    EXPECT_TRUE(callsOf(*control).last().startsWith(QStringLiteral("SaveDocument(")));
}

TEST_F(WordReportTest, AFailedSaveIsToldWithTheFileAndEndsTheRange)
{
    window.selected = {true, true, true};
    for (int k = 1; k <= 3; ++k)
        store.WorkItems[static_cast<std::size_t>(k)].InUse = true;
    report.ReportCreated = true;
    report.ReportFileName = reportFile();
    control->results = {{0x60030061, Variant(std::int16_t{-3})}};
    report.Export_Selected_To_Word();
    EXPECT_EQ(count(QStringLiteral("SaveDocument")), 1);
    ASSERT_FALSE(user.asked.isEmpty());
    EXPECT_EQ(user.asked.last(), QStringLiteral("message TOVU: The report could not be saved to %1 (answer -3).")
                                     .arg(QDir::toNativeSeparators(reportFile())));
    EXPECT_EQ(window.events.last(), QStringLiteral("range hide"));
}

TEST_F(WordReportTest, AReportWithoutControlOrInAFolderThatCannotBeWrittenSaysSo)
{
    struct Case {
        const char* name;
        bool control;
        QString file;
        QString reason;
    };
    const QString missing = dir.filePath(QStringLiteral("no such folder/report.docx"));
    const Case cases[] = {
        {"no control", false, reportFile(), QStringLiteral("The document control is not installed.")},
        {"folder missing", true, missing,
         QStringLiteral("The folder %1 cannot be written to.").arg(QFileInfo(missing).absolutePath())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        user.asked.clear();
        control->results = {{0x60030001, Variant(std::int16_t{-1})}};
        WordReport other{c.control ? automation::DispatchRef(control) : automation::DispatchRef(), window, user, store,
                         strings, files};
        user.inputs.push_back(QStringLiteral("Title"));
        user.files.push_back(c.file);
        other.Create_Word_Report();
        EXPECT_FALSE(other.ReportCreated);
        EXPECT_TRUE(user.asked.contains(QStringLiteral("message TOVU: Word Document Not Created\r\n") + c.reason))
            << user.asked.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(WordReportTest, AFileNameWithoutExtensionBecomesADocxPackage)
{
    struct Case {
        const char* typed;
        const char* written;
    };
    const Case cases[] = {{"weld", "weld.docx"}, {"weld.docx", "weld.docx"}, {"weld.doc", "weld.doc"},
                          {"weld.DOCX", "weld.DOCX"}, {"survey 12/weld", "survey 12/weld.docx"}};
    for (const Case& c : cases)
        EXPECT_EQ(WordReport::reportFileNameOf(QString::fromLatin1(c.typed)), QString::fromLatin1(c.written)) << c.typed;

    // The question about an existing file is put for the name that is written.
    QFile existing(dir.filePath(QStringLiteral("weld.docx")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    user.inputs.push_back(QStringLiteral("Weld Report"));
    user.files.push_back(dir.filePath(QStringLiteral("weld")));
    user.answers.push_back(true);
    report.Create_Word_Report();
    EXPECT_TRUE(user.asked.filter(QStringLiteral("ask ")).value(0).contains(QStringLiteral("weld.docx already exists")));
    EXPECT_EQ(report.ReportFileName, dir.filePath(QStringLiteral("weld.docx")));
    EXPECT_TRUE(callsOf(*control).value(0).startsWith(QStringLiteral("CreateDocument(\"%1\"").arg(report.ReportFileName)));
}

TEST_F(WordReportTest, WithNothingSelectedNothingIsExportedAndTheUserIsTold)
{
    window.selected = {false, false, false};
    store.WorkItems[0].InUse = true;  // the live settings
    report.ReportCreated = true;
    report.Export_Selected_To_Word();
    EXPECT_TRUE(control->calls.empty());
    EXPECT_TRUE(window.events.isEmpty());
    EXPECT_EQ(window.selFirst, 0);
    EXPECT_EQ(window.selLast, 0);
    EXPECT_EQ(user.asked, QStringList{QStringLiteral("message TOVU: No item is selected.")});
}

TEST_F(WordReportTest, SaveAndCloseAndViewCallTheirMethods)
{
    report.Btn_SaveClose_Click();
    report.Btn_View_Word_Click();
    EXPECT_EQ(callsOf(*control), (QStringList{QStringLiteral("CloseDocument(True)"), QStringLiteral("CloseWord(False)"),
                                              QStringLiteral("UnhideWord()"), QStringLiteral("SwitchToWord()")}));
    EXPECT_EQ(window.events, QStringList{QStringLiteral("buttons off")});
    EXPECT_FALSE(report.reportButtonsEnabled());
}

TEST_F(WordReportTest, AFailingStepIsSkippedAndTheNextOneRuns)
{
    control->raising = {0x6003008B, 0x60030089};  // the picture and the table
    report.ReportCreated = true;
    report.Export_Item_To_Word();
    EXPECT_EQ(count(QStringLiteral("InsertPicture")), 1);
    EXPECT_EQ(count(QStringLiteral("InsertPageBreak")), 2);
    EXPECT_EQ(count(QStringLiteral("SaveDocument")), 1);
}

TEST_F(WordReportTest, TheReportFrameMovesTheTreeAndNeedsWord)
{
    const ExportFrameMetrics m{9000, 600, 3000, 7000, 120};
    ExportFrameLayout shown = report.Toggle_Export_Frame(m);
    EXPECT_TRUE(shown.frameVisible);
    EXPECT_EQ(shown.treeHeight, 9000 - 2700);
    EXPECT_EQ(shown.frameTop, 600 + 6300 + 240);
    EXPECT_EQ(shown.frameWidth, 3000 + 7000 - 120);
    ExportFrameLayout hidden = report.Toggle_Export_Frame(m);
    EXPECT_FALSE(hidden.frameVisible);
    EXPECT_EQ(hidden.treeHeight, 8000);
    EXPECT_TRUE(user.asked.isEmpty());

    report.WordAvailable = false;
    hidden = report.Toggle_Export_Frame(m);
    EXPECT_FALSE(hidden.frameVisible);
    EXPECT_EQ(hidden.treeHeight, 8000);
    EXPECT_EQ(user.asked, QStringList{QStringLiteral("message TOVU: Microsoft Word not Detected on this PC")});
}

} // namespace
} // namespace tovu::reports::testing
