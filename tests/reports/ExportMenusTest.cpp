// The Export menu commands: which item the caption names, the "Info" message, the save
// dialog's settings, Cancel, and the files read back.
#include "ReportFakes.h"

#include "app/items/ItemStore.h"
#include "app/reports/AlogExportMenus.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::reports::testing {
namespace {

TEST(ExportMenus, TheItemIsTheNumberAtTheEndOfTheCaption)
{
    const std::pair<const char*, int> cases[] = {
        {"Save Individual Item   7", 7},   {"Save Individual Item  10000", 10000}, {"Save Individual Item  1234", 1234},
        {"Save Individual Item", 0},       {"Save Individual Item ", 0},           {"", 0},
        {"Save Individual Item  -3", 0},   {"Save Individual Item  7x", 0},        {"Item 12 3", 3},
    };
    for (const auto& [caption, index] : cases)
        EXPECT_EQ(indexOfSaveIndividualCaption(QString::fromLatin1(caption)), index) << caption;
}

class ExportMenusTest : public ::testing::Test {
protected:
    ExportMenusTest()
    {
        store.WorkItems.resize(1001);
        store.WorkItems[1000] = test::annotatedALog();
        store.WorkItems[4].InUse = true;  // a panel: no trace
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray contents(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    items::LanguageContext strings = ownStrings();
    items::ItemStore store;
    FakeUser user;
    AlogExportMenus menus{store, strings, user, 1252};
};

TEST_F(ExportMenusTest, AnItemNotInUseIsRefusedBeforeAnyDialog)
{
    menus.mnuExportExcel_Click(QStringLiteral("Save Individual Item"));  // record 0
    menus.mnuExportMatlab_Click(QStringLiteral("Save Individual Item  9"));
    EXPECT_EQ(user.asked, (QStringList{QStringLiteral("message Info: No File is Selected OR It's Empty!"),
                                       QStringLiteral("message Info: No File is Selected OR It's Empty!")}));
}

TEST_F(ExportMenusTest, TheCsvExportAsksForAFileAndWritesTheTrace)
{
    const QString path = file("scan.csv");
    user.files.push_back(path);
    menus.mnuExportExcel_Click(QStringLiteral("Save Individual Item  1000"));
    ASSERT_EQ(user.requests.size(), 1u);
    EXPECT_EQ(user.requests[0].Filter, QStringLiteral("Excel Comma Separated Files|*.csv"));
    EXPECT_EQ(user.requests[0].Flags, kOverwritePrompt);
    EXPECT_EQ(user.requests[0].DialogTitle, QStringLiteral("Save Individual Memory Item"));

    // Read back by a second parser.
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, sys\n"
                                 "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='cp1252')))\n"
                                 "i = rows.index(['AScan', 'Min', 'Max'])\n"
                                 "print(len(rows) - i - 1, rows[i + 1 + 65][2], rows[i + 1 + 10][2])"),
                  path});
    ASSERT_TRUE(python.waitForFinished(20000));
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()).trimmed(), QStringLiteral("255 180 8"))
        << python.readAllStandardError().toStdString();
}

TEST_F(ExportMenusTest, TheMatlabExportWritesTheUpperEnvelope)
{
    const QString path = file("scan.dat");
    user.files.push_back(path);
    menus.mnuExportMatlab_Click(QStringLiteral("Save Individual Item  1000"));
    EXPECT_EQ(user.requests.at(0).Filter, QStringLiteral("Matlab Files|*.dat"));
    const QList<QByteArray> lines = contents(path).split('\n');
    EXPECT_TRUE(contents(path).contains("180\r\n"));
    EXPECT_GE(lines.size(), 255);
}

TEST_F(ExportMenusTest, CancelWritesNothingAndLeavesAnEarlierFileAlone)
{
    const QString earlier = file("earlier.csv");
    user.files.push_back(earlier);
    menus.mnuExportExcel_Click(QStringLiteral("Item  1000"));
    const QByteArray before = contents(earlier);
    ASSERT_FALSE(before.isEmpty());

    store.WorkItems[1000].editCurves().WaveMax[65] = 99;
    user.files.push_back(std::nullopt);
    menus.mnuExportExcel_Click(QStringLiteral("Item  1000"));
    EXPECT_EQ(contents(earlier), before);
    EXPECT_TRUE(user.files.empty());
}

TEST_F(ExportMenusTest, AnItemWithoutATraceIsToldAndLeavesAnExistingFileUntouched)
{
    const QString path = file("panel.csv");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    for (const char* command : {"csv", "matlab"}) {
        user.asked.clear();
        user.files.push_back(path);
        if (QByteArray(command) == "csv")
            menus.mnuExportExcel_Click(QStringLiteral("Item  4"));
        else
            menus.mnuExportMatlab_Click(QStringLiteral("Item  4"));
        EXPECT_EQ(contents(path), QByteArray("old contents")) << command;
        EXPECT_EQ(user.asked, QStringList{QStringLiteral("message TOVU: This item holds no A-scan to export. No file was written.")})
            << command;
        EXPECT_EQ(user.files.size(), 1u) << command;  // no file was asked for
        user.files.clear();
    }
}

TEST_F(ExportMenusTest, AFileThatCannotBeWrittenIsReported)
{
    user.files.push_back(dir.filePath(QStringLiteral("no/such/folder/scan.csv")));
    menus.mnuExportExcel_Click(QStringLiteral("Item  1000"));
    ASSERT_EQ(user.asked.filter(QStringLiteral("message TOVU:")).size(), 1);
}

} // namespace
} // namespace tovu::reports::testing
