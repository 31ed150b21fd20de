// Get Current Settings in virtual time against the simulator's instrument logic: what
// record 0 holds after the read, which arrays are asked for, and what a refusal or a
// silent instrument leaves.
#include "TransferFixture.h"

#include "app/link/CurrentSettings.h"

#include <gtest/gtest.h>

using namespace tovu;
using namespace tovu::link;
using namespace tovu::link::test;
using tovu::items::DFDRecord;

namespace {

// The commands that fetch arrays and readings, and those that would touch a slot.
QStringList arrayAndSlotCommands(const QStringList& sent)
{
    static const QStringList keep = {"AWT", "ATS", "ACD", "ASH", "ADC", "AYC", "RYC", "AAC",
                                     "WAS", "WAM", "WPS", "WSM", "ADA", "ADP", "WFP"};
    QStringList out;
    for (const QString& s : sent)
        if (keep.contains(s.left(3)))
            out << s;
    return out;
}

// Model 15 has TCG; its live set-up gets DAC and TCG points and a trace on screen.
struct CurrentSettings : TransferFixture {
    CurrentSettings() : TransferFixture(15)
    {
        sim::Settings& live = instrument.state.live;
        live.values["GN"] = "47.5";
        live.dacPoints = {{"20", "40"}, {"60", "30"}};
        live.tcgPoints = {{"25", "6"}, {"70", "12"}};
        trace = instrument.state.alogs.begin()->second.trace.value();
        instrument.state.shownTrace = trace;
    }
    DFDRecord& live() { return store.workItem(0); }
    // Record 0 as a stale earlier read left it: every array and flag set.
    void staleRecord0()
    {
        DFDRecord& r = live();
        r.InUse = r.WaveformPresent = r.DacCurvePresent = r.TcgCurvePresent = r.AvgCurvePresent = true;
        auto& c = r.editCurves();
        c.WaveMin.fill(-7), c.WaveMax.fill(7), c.DacCurveA.fill(9), c.DacCurveB.fill(9);
        c.TcgCurve.fill(9), c.AvgCurveA.fill(9), c.AvgCurveB.fill(9);
        r.editSettings().Gain = QStringLiteral("12.0");
    }
    sim::Trace trace;
    sim::FaultPlan plan;
};

template <typename A>
bool allZero(const A& a)
{
    return std::all_of(a.begin(), a.end(), [](auto v) { return v == 0; });
}

} // namespace

TEST_F(CurrentSettings, TheLiveSetUpItsTraceAndItsCurvesAreReadIntoRecordZero)
{
    // AVG is on when the mode's value is 5, the one rule of every read.
    const struct {
        const char* avgMode;
        bool avgCurve;
    } cases[] = {{"5", true}, {" 5", true}, {"4", false}, {"0", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.avgMode);
        connect();
        instrument.state.live.values["EN"] = c.avgMode;
        staleRecord0();
        store.LiveSettingsShown = false;

        const CurrentSettingsReport r = GetCurrentSettings(env);

        ASSERT_TRUE(r.completed) << r.errorText.toStdString();
        EXPECT_TRUE(r.refused.isEmpty()) << r.refused.join(u',').toStdString();
        EXPECT_TRUE(dialogs.messages.empty()) << "a clean read shows no box";
        EXPECT_TRUE(store.LiveSettingsShown);
        const DFDRecord& rec = live();
        EXPECT_TRUE(rec.InUse);
        EXPECT_EQ(rec.settings().SlotText, QStringLiteral(" 0"));
        EXPECT_EQ(rec.settings().Gain, QStringLiteral("47.5"));
        EXPECT_EQ(rec.settings().DacPointCount, QStringLiteral(" 2"));
        EXPECT_EQ(rec.settings().TcgPointCount, QStringLiteral(" 2"));
        EXPECT_EQ(rec.ModelIndex, 15);
        EXPECT_TRUE(rec.WaveformPresent);
        EXPECT_TRUE(std::equal(trace.min.begin(), trace.min.end(), rec.curves().WaveMin.begin()));
        EXPECT_TRUE(std::equal(trace.max.begin(), trace.max.end(), rec.curves().WaveMax.begin()));
        EXPECT_TRUE(rec.DacCurvePresent);
        EXPECT_TRUE(rec.TcgCurvePresent);
        EXPECT_EQ(rec.AvgCurvePresent, c.avgCurve);
        // The live set-up is read where it is: no slot is selected or recalled, the TCG
        // curve is the live one ("AYC"), and no time stamp is asked for.
        QStringList arrays{"AWT", "ACD", "ASH", "ADC", "AYC"};
        if (c.avgCurve)
            arrays << "AAC";
        EXPECT_EQ(arrayAndSlotCommands(sent()), arrays);
        EXPECT_EQ(sent().first(), QStringLiteral("ARM"));
        EXPECT_EQ(sent().last(), QStringLiteral("ALM"));
        EXPECT_FALSE(port.portOpen());
        port.clearTranscript();
    }
}

TEST_F(CurrentSettings, WithoutPointsNoCurveIsAskedForAndNoneIsLeftFromBefore)
{
    connect();
    instrument.state.live.dacPoints.clear();
    instrument.state.live.tcgPoints.clear();
    instrument.state.live.values["EN"] = "0";
    staleRecord0();
    ASSERT_TRUE(GetCurrentSettings(env).completed);
    const DFDRecord& rec = live();
    EXPECT_FALSE(rec.DacPresent || rec.TcgPresent);
    EXPECT_FALSE(rec.DacCurvePresent || rec.TcgCurvePresent || rec.AvgCurvePresent);
    EXPECT_EQ(arrayAndSlotCommands(sent()), QStringList({"AWT", "ACD", "ASH"}));
}

// The one closing box of a read that completed with refusals: the live set-up's line
// ("string 6181" then 6151) naming them as the settings grid does, under 6180.
void expectNotesBox(const ScriptedDialogs& dialogs, const QString& names)
{
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("string 6181 [%1] [%2] string 6151 [") + names + QStringLiteral("] [%2]"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("string 6180 [%1] [%2]"));
    EXPECT_EQ(dialogs.messages[0].icon, LinkIcon::Exclamation);
}

TEST_F(CurrentSettings, ARefusedReadIsNotAvailableOrAbsentNeverTheLastValue)
{
    const struct {
        const char* refused;
        QString listed;  // as the closing box names it
        std::function<void(const DFDRecord&)> check;
    } cases[] = {
        {"RGN", "string 1005 [RGN]", [](const DFDRecord& r) { EXPECT_EQ(r.settings().Gain, QStringLiteral("N/A")); }},
        {"RNL", "string 142 [RNL]", [](const DFDRecord& r) { EXPECT_EQ(r.settings().NoteLabel, QStringLiteral("N/A")); }},
        {"RSA", "string 1090 1 string 1091 [RSA]",
         [](const DFDRecord& r) { EXPECT_EQ(r.settings().Gates[0].Start, QStringLiteral("N/A")); }},
        {"AWT", "string 6156 [%1] [%2] [AWT]",
         [](const DFDRecord& r) {
             EXPECT_FALSE(r.WaveformPresent);
             EXPECT_TRUE(allZero(r.curves().WaveMin) && allZero(r.curves().WaveMax)) << "the stale trace is gone";
             EXPECT_TRUE(r.InUse) << "the settings were read";
         }},
        {"ADC", "string 6148 [%1] [%2] [ADC]",
         [](const DFDRecord& r) {
             EXPECT_TRUE(r.DacPresent);
             EXPECT_FALSE(r.DacCurvePresent);
             EXPECT_TRUE(allZero(r.curves().DacCurveA) && allZero(r.curves().DacCurveB));
         }},
        {"AYC", "string 6155 [%1] [%2] [AYC]",
         [](const DFDRecord& r) {
             EXPECT_FALSE(r.TcgCurvePresent);
             EXPECT_TRUE(allZero(r.curves().TcgCurve));
         }},
        {"AAC", "string 6149 [%1] [%2] [AAC]", [](const DFDRecord& r) { EXPECT_FALSE(r.AvgCurvePresent); }},
        {"ASH", "ASH", [](const DFDRecord& r) { EXPECT_EQ(r.settings().Peak, QString()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        struct Rig : CurrentSettings {
            void TestBody() override {}
        } f;
        f.connect();
        f.instrument.state.live.values["EN"] = "5";
        f.staleRecord0();
        f.instrument.refuseAlways(f.plan, c.refused);

        const CurrentSettingsReport r = GetCurrentSettings(f.env);

        ASSERT_TRUE(r.completed) << r.errorText.toStdString();
        EXPECT_EQ(r.refused, QStringList{QString::fromLatin1(c.refused)});
        EXPECT_EQ(f.sent().count(QString::fromLatin1(c.refused)), 2) << "sent once more, then taken as refused";
        EXPECT_TRUE(f.ctx.refused.isEmpty()) << "the notes are the report's";
        expectNotesBox(f.dialogs, c.listed);
        c.check(f.live());
        EXPECT_FALSE(f.port.portOpen());
    }
}

// Text where a number belongs, or a reply cut after its echo. (A field after the value is
// no garbling of the value: the reply's first field is read, as for every command.)
TEST_F(CurrentSettings, AGarbledNumericReplyIsNotAvailableAndListedNeverAValue)
{
    const struct {
        const char* cmd;
        sim::FaultKind kind;
        QString listed;
        QString items::RecordSettings::*field;
    } cases[] = {
        {"RGN", sim::FaultKind::NotANumber, "string 1005 [RGN]", &items::RecordSettings::Gain},
        {"RGN", sim::FaultKind::CutShort, "string 1005 [RGN]", &items::RecordSettings::Gain},
        {"RRG", sim::FaultKind::NotANumber, "string 1001 [RRG]", &items::RecordSettings::Range},
        {"RDT", sim::FaultKind::CutShort, "string 1030 [RDT]", &items::RecordSettings::Detect},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.cmd) + " " + sim::faultKindName(c.kind));
        struct Rig : CurrentSettings {
            void TestBody() override {}
        } f;
        f.connect();
        f.staleRecord0();
        f.instrument.refuseAlways(f.plan, c.cmd, c.kind);

        const CurrentSettingsReport r = GetCurrentSettings(f.env);

        ASSERT_TRUE(r.completed) << r.errorText.toStdString();
        EXPECT_EQ(f.live().settings().*c.field, QStringLiteral("N/A"));
        EXPECT_EQ(r.refused, QStringList{QString::fromLatin1(c.cmd)});
        EXPECT_EQ(f.sent().count(QString::fromLatin1(c.cmd)), 2) << "read once more, then taken as refused";
        expectNotesBox(f.dialogs, c.listed);
        EXPECT_TRUE(f.live().InUse) << "the rest of the set-up was read";
    }
}

TEST_F(CurrentSettings, ASilentInstrumentEndsTheReadInOneBoxWithTheLinkClosed)
{
    const struct {
        const char* silentFrom;
        QString text;
        const char* refused = "";  // refused before the silence: the error's box alone all the same
    } cases[] = {
        {"RGN", QStringLiteral("WriteComm Communication error executing RGN")},
        {"AWT", QStringLiteral("WriteCommSpecial Communication error executing AWT")},
        {"AWT", QStringLiteral("WriteCommSpecial Communication error executing AWT"), "RGN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.silentFrom) + " " + c.refused);
        struct Rig : CurrentSettings {
            void TestBody() override {}
        } f;
        f.connect();
        f.staleRecord0();
        bool silent = false;
        f.instrument.fault = [&](const QByteArray& line, platform::serial::MemoryPort& p) {
            if (*c.refused && line.startsWith(c.refused)) {
                p.feed(QByteArray("\x15\r"));
                return true;
            }
            silent = silent || line.startsWith(c.silentFrom);
            return silent && !line.startsWith("ALM");
        };
        const std::int64_t start = f.clock.now;

        const CurrentSettingsReport r = GetCurrentSettings(f.env);

        EXPECT_FALSE(r.completed);
        ASSERT_EQ(f.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.dialogs.messages[0].text, c.text);
        EXPECT_EQ(f.dialogs.messages[0].title, QStringLiteral("string 6277"));
        EXPECT_EQ(f.dialogs.messages[0].icon, LinkIcon::Critical);
        EXPECT_EQ(r.errorText, c.text.section(u' ', 1));
        EXPECT_TRUE(f.store.LiveSettingsShown);
        EXPECT_FALSE(f.live().InUse) << "not shown as a whole read";
        EXPECT_EQ(f.sent().last(), QStringLiteral("ALM"));
        EXPECT_FALSE(f.port.portOpen());
        EXPECT_TRUE(f.ctx.Active);
        EXPECT_LT(f.clock.now - start, 60000) << "virtual ms: one timeout, not one per command";
    }
}
