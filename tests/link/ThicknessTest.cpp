// The thickness log: download against the simulator's instrument logic, and the grid file
// compared byte for byte with files written out by hand from the file layout.
#include "TransferFixture.h"

#include "app/link/Thickness.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(TOVU_FIXTURES_DIR "/link/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QStringList kThreeReadings = {"1,2,1,0,5920,10.2", "1,1,2,0,5920,9.8", "1,3,2,0,5920,11.0"};

tovu::sim::ThicknessReading reading(int block, int loc, int num, const char* t)
{
    tovu::sim::ThicknessReading r;
    r.block = block;
    r.location = loc;
    r.number = num;
    r.thickness = t;
    return r;
}

struct Thickness : TransferFixture {
    Thickness() : TransferFixture(21) {}
    void SetUp() override
    {
        connect();
        instrument.state.thickness = {reading(1, 2, 1, "10.2"), reading(2, 5, 5, "7.7"), reading(1, 1, 2, "9.8"),
                                      reading(1, 3, 2, "11.0")};
        hooks.setInfo = [this](const QString& t) { info << t; };
        hooks.onReading = [this](const QStringList& f) { shown << f.join(QLatin1Char('|')); };
        hooks.resetValues = [this] { info << QStringLiteral("reset"); };
    }
    // ATT0 answered by these bytes instead of the instrument's log.
    void answerLogWith(const QByteArray& bytes)
    {
        instrument.fault = [bytes](const QByteArray& line, tovu::platform::serial::MemoryPort& p) {
            if (line != "ATT0")
                return false;
            p.feed(bytes);
            return true;
        };
    }
    ThicknessLog log;
    ThicknessHooks hooks;
    QStringList info, shown;
};

} // namespace

TEST_F(Thickness, ABlockDownloadedAndSavedIsTheFileOfTheLayout)
{
    EXPECT_EQ(downloadThickness(ctx, dialogs, log, QStringLiteral("1"), hooks), 3);
    EXPECT_EQ(log.ThicknessValues, kThreeReadings);
    EXPECT_EQ(store.ThicknessCount, 3);
    EXPECT_EQ(shown.first(), QStringLiteral("1|2|1|0|5920|10.2"));
    EXPECT_EQ(info, (QStringList{"Downloading...", "reset", "Download Complete..."}));
    EXPECT_EQ(sent().mid(1, 3), (QStringList{"WTL0", "WTB1", "ATT0"}));
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(dialogs.messages.empty());

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("t.csv"));
    const QString skv = dir.filePath(QStringLiteral("t.skv"));
    ASSERT_TRUE(Save_Thickness(csv, QStringLiteral("."), log.ThicknessValues));
    ASSERT_TRUE(Save_Thickness(skv, QStringLiteral(","), log.ThicknessValues));
    EXPECT_EQ(fileBytes(csv), fixture("thickness-point.csv"));
    EXPECT_EQ(fileBytes(skv), fixture("thickness-comma.skv"));
}

TEST_F(Thickness, OnlySixFieldLinesCountLineFeedsAreDroppedAndCompleteEnds)
{
    answerLogWith("1,2,1,0,5920,10.2\r\n1,2,1,0,5920\r\n1,2,1,0,5920,1,2\r\n\n1,1,2,0,5920,9.8\r\ncomplete\r\n1,3,3,0,5920,1.0\r");
    EXPECT_EQ(downloadThickness(ctx, dialogs, log, QStringLiteral("4"), hooks), 2);
    EXPECT_EQ(log.ThicknessValues, (QStringList{"1,2,1,0,5920,10.2", "1,1,2,0,5920,9.8"}));
    EXPECT_TRUE(sent().contains(QStringLiteral("WTB4")));
}

TEST_F(Thickness, ASilenceKeepsTheReadingsSoFarShowsErrorAndClosesThePort)
{
    answerLogWith("1,2,1,0,5920,10.2\r1,1,2,0,5920,9.8\r");
    const std::int64_t start = clock.now;
    EXPECT_EQ(downloadThickness(ctx, dialogs, log, QStringLiteral("1"), hooks), 2);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("ERROR"));
    EXPECT_GE(clock.now - start, kThicknessWaitMs);
    EXPECT_FALSE(port.portOpen());
}

TEST_F(Thickness, ALinkErrorEndsWithNoReadingsAndAClosedPort)
{
    log.ThicknessValues = kThreeReadings;
    instrument.fault = [](const QByteArray& line, tovu::platform::serial::MemoryPort&) { return line == "WTL0"; };
    EXPECT_EQ(downloadThickness(ctx, dialogs, log, QStringLiteral("1"), hooks), 0);
    EXPECT_EQ(log.ThicknessCount(), 0);
    EXPECT_EQ(info.last(), QStringLiteral("Error in download..."));
    EXPECT_FALSE(port.portOpen());
}

TEST(ThicknessGrid, CorruptLocationsAndNumbersSizeNoGrid)
{
    const QStringList readings = {"1,2,1,0,5920,10.2", "1,99999999,1,0,5920,3.0", "1,2,1e9,0,5920,3.0",
                                  "1,x,2,0,5920,3.0", "1,0,1,0,5920,3.0", "1,2.5,1,0,5920,3.0", "1,-4,1,0,5920,1"};
    const QStringList lines = thicknessGrid(readings, QStringLiteral("."));
    EXPECT_EQ(lines, (QStringList{"BLOCK 1,,LOCATIONS", ",,1,2,", "Thickness ,1,0,10.2,"}));
}

TEST(ThicknessGrid, LaterReadingsReplaceEarlierOnesAndRowsBeyondThreeHaveNoLabel)
{
    const QStringList lines =
        thicknessGrid({"2,1,1,0,5920,1.0", "2,1,1,0,5920,2.0", "2,2,4,0,5920,4.4"}, QStringLiteral("."));
    EXPECT_EQ(lines, (QStringList{"BLOCK 2,,LOCATIONS", ",,1,2,", "Thickness ,1,2.0,0", "Numeric ,2,0,0", "Mode ,3,0,0",
                                  ",4,0,4.4,"}));
}

TEST(ThicknessSave, NoReadingsACancelledDialogAndAnUnwritableFile)
{
    ScriptedDialogs dialogs;
    ThicknessLog log;
    QString filter;
    EXPECT_FALSE(saveThicknessLog(dialogs, log, QStringLiteral("."), [&](const QString& f) {
        filter = f;
        return QString();
    }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Make sure you have valid thickness readings downloaded."));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("ERROR"));
    EXPECT_TRUE(filter.isEmpty());

    log.ThicknessValues = kThreeReadings;
    dialogs.messages.clear();
    EXPECT_FALSE(saveThicknessLog(dialogs, log, QStringLiteral(","), [&](const QString& f) {
        filter = f;
        return QString();
    }));
    EXPECT_EQ(filter, kSkvFilter);
    EXPECT_TRUE(dialogs.messages.empty());

    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("missing/t.csv"));
    EXPECT_FALSE(saveThicknessLog(dialogs, log, QStringLiteral("."), [&](const QString& f) {
        filter = f;
        return bad;
    }));
    EXPECT_EQ(filter, kCsvFilter);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Unable to save file :- \r\n") + bad + QStringLiteral("\r\n")));
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(QStringLiteral("the folder does not exist")));
}
