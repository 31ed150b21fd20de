// The status read against the scripted instrument, in virtual time: the commands of each
// kind of read, what the window is told, and what is reported back.

#include "LinkFixture.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"
#include "app/link/ModelIdentification.h"
#include "app/link/StatusRead.h"

#include <algorithm>

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

struct RecordingStatusView : StatusReadView {
    void modelRead(int model, bool supported) override
    {
        events << QStringLiteral("model %1%2").arg(model).arg(supported ? "" : " unsupported");
    }
    void bankStarting(SlotRow row, int bank, int perBank) override
    {
        events << QStringLiteral("start %1 %2 of %3").arg(name(row)).arg(bank).arg(perBank);
    }
    void bankRead(SlotRow row, int bank) override { events << QStringLiteral("read %1 %2").arg(name(row)).arg(bank); }
    void allBanksRead(SlotRow row) override { events << QStringLiteral("all %1").arg(name(row)); }
    static QString name(SlotRow row) { return row == SlotRow::Panels ? QStringLiteral("panels") : QStringLiteral("alogs"); }
    QStringList events;
};

// Bank starts and ends for banks first..last of a kind.
QStringList banks(const char* kind, int first, int last, int perBank)
{
    QStringList e;
    for (int b = first; b <= last; ++b)
        e << QStringLiteral("start %1 %2 of %3").arg(QLatin1String(kind)).arg(b).arg(perBank)
          << QStringLiteral("read %1 %2").arg(QLatin1String(kind)).arg(b);
    return e;
}

// The commands the status read ends with, after the lists or location queries: location 1
// of both memories, program and version, and the close.
const QStringList kClosingCommands{"WAS1", "WPS1", "AME", "AMF", "ALM"};

struct StatusReadTest : LinkFixture {
    // What opening the link and identifying the model send for the instrument as it is set
    // up (ModelIdentificationTest covers those); the status read begins with the same.
    // The commands of an identification once the instrument's memory generation is known
    // (the first identification of a generation also reads what its menus need).
    QStringList identification()
    {
        OpenComm(ctx);
        GetInstrumentModel(ctx, 0);
        CloseComm(ctx);
        port.clearTranscript();
        OpenComm(ctx);
        GetInstrumentModel(ctx, 0);
        const QStringList opening = sent();
        CloseComm(ctx);
        port.clearTranscript();
        return opening;
    }
    int modelNamed(const char* name) const
    {
        const auto& names = ctx.ModelNames;
        return static_cast<int>(std::find(names.begin(), names.end(), QLatin1String(name)) - names.begin());
    }
    RecordingStatusView view;
};

} // namespace

TEST_F(StatusReadTest, ABankedInstrumentIsReadFromItsListsBankByBank)
{
    instrument.ident = "VELTRIS D-20 V3.10";
    const int d20 = modelNamed("VELTRIS D-20");
    const QString model = QStringLiteral("model %1").arg(d20);
    // One store for every case: the bank away from the listed locations comes first.
    const struct {
        bool allBanks;
        int panelBank, alogBank;
        QStringList events;
        int validPanels, validALogs;
    } cases[] = {
        // The lists say panels 1 and 3 and ALog 2: bank 0 holds them, the others nothing.
        {false, 2, 3, QStringList{model} + banks("panels", 2, 2, 20) + banks("alogs", 3, 3, 100), 0, 0},
        {false, 0, 0, QStringList{model} + banks("panels", 0, 0, 20) + banks("alogs", 0, 0, 100), 2, 1},
        {true, 2, 3,
         QStringList{model} + banks("panels", 0, 4, 20) + QStringList{"all panels"} + banks("alogs", 0, 7, 100)
             + QStringList{"all alogs"},
         2, 1},
    };
    for (const auto& c : cases) {
        const QStringList opening = identification();
        view.events.clear();
        instrument.once["AME"].push_back("ME,PROGRAM 7\r");
        const StatusResult r =
            ReadInstrumentStatus(ctx, {c.allBanks, true, true, c.panelBank, c.alogBank, true}, view);
        EXPECT_EQ(r.model, d20);
        EXPECT_TRUE(r.supported);
        EXPECT_EQ(sent(), opening + QStringList({"APL", "AWL"}) + kClosingCommands) << c.allBanks;
        EXPECT_EQ(view.events, c.events);
        EXPECT_EQ(r.validPanels, c.validPanels);
        EXPECT_EQ(r.validALogs, c.validALogs);
        EXPECT_EQ(r.program, QStringLiteral("PROGRAM 7"));
        EXPECT_EQ(r.version, QStringLiteral("V3.00 2009"));
        const bool shownBankZero = c.panelBank == 0 || c.allBanks;
        EXPECT_EQ(store.PanelOccupied[1], shownBankZero);
        EXPECT_FALSE(store.PanelOccupied[2]);
        EXPECT_EQ(store.PanelOccupied[3], shownBankZero);
        EXPECT_EQ(store.ALogOccupied[2], shownBankZero);
        EXPECT_EQ(store.workItem(0).ModelIndex, d20);
        EXPECT_TRUE(dialog.destroyed) << "the transfer dialog goes when the read is done";
    }
}

TEST_F(StatusReadTest, AnInstrumentWithoutListsIsAskedLocationByLocation)
{
    instrument.ident = "VELTRIS 120 V1.00";
    const QStringList opening = identification();
    instrument.once["RAT"].push_back("AT,0\r");  // ALog 1 empty, the rest occupied
    const StatusResult r = ReadInstrumentStatus(ctx, {false, true, true, 0, 0, false}, view);
    EXPECT_EQ(r.model, modelNamed("VELTRIS 120"));
    QStringList expected;
    for (int n = 1; n <= 20; ++n)
        expected << QStringLiteral("WPS %1").arg(n) << QStringLiteral("RST");
    for (int n = 1; n <= 100; ++n)
        expected << QStringLiteral("WAS %1").arg(n) << QStringLiteral("RAT");
    EXPECT_EQ(sent(), opening + expected + kClosingCommands);
    EXPECT_EQ(r.validPanels, 20);
    EXPECT_EQ(r.validALogs, 99);
    EXPECT_FALSE(store.ALogOccupied[1]);
    EXPECT_TRUE(store.ALogOccupied[100]);
    EXPECT_EQ(dialog.shown, 0) << "not asked to show the dialog";
}

TEST_F(StatusReadTest, AnUnsupportedModelReadsNoMemoryButStillItsProgramAndVersion)
{
    instrument.ident = "VELTRIS 123W V1.00";
    const QStringList opening = identification();
    const StatusResult r = ReadInstrumentStatus(ctx, {true, true, true, 0, 0, true}, view);
    EXPECT_EQ(r.model, kStatusUnsupportedModel);
    EXPECT_FALSE(r.supported);
    EXPECT_EQ(view.events, QStringList{"model 19 unsupported"});
    EXPECT_EQ(sent(), opening + kClosingCommands);
    EXPECT_EQ(r.validPanels + r.validALogs, 0);
    EXPECT_EQ(dialog.shown, 0) << "nothing to show";
}

TEST_F(StatusReadTest, ASilentInstrumentEndsTheReadAfterTheTimeoutInVirtualTime)
{
    instrument.silent << "AME";
    const std::int64_t start = clock.now;
    expectLinkError([&] { ReadInstrumentStatus(ctx, {false, true, true, 0, 0, true}, view); }, LinkErrorKind::Timeout);
    EXPECT_GE(clock.now - start, kDefaultTimeoutMs);
    EXPECT_EQ(sent().back(), QStringLiteral("AME")) << "nothing is sent after the silent command";
    EXPECT_FALSE(dialog.destroyed) << "the caller unloads the dialog when the read fails";
}
