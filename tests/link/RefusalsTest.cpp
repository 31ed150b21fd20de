// The one rule for a refusal: one more send, then "N/A" for a read, a note for a write,
// nothing for a raw read; never a status word or control byte in a record or on the wire.
#include "LinkFixture.h"

#include "app/link/CurvesAndWaveforms.h"
#include "app/link/ParameterGroups.h"
#include "app/link/RefusalNames.h"
#include "app/link/Refusals.h"
#include "app/link/SlotOperations.h"

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

QByteArray status(char c) { return QByteArray(1, c) + '\r'; }

struct RefusalTest : LinkFixture {
    void SetUp() override { openPort(); }
    void answer(const QByteArray& cmd, std::initializer_list<QByteArray> replies)
    {
        for (const auto& r : replies)
            instrument.once[cmd].push_back(r);
    }
};

} // namespace

TEST_F(RefusalTest, ReadsAreAskedOnceMoreAndAStillRefusedReadIsNotAvailable)
{
    struct Case {
        const char* name;
        std::vector<QByteArray> replies;
        QString value;
        int sends;
        bool noted;
    };
    const Case cases[] = {
        {"answered", {"GN,40.0\r"}, "40.0", 1, false},
        {"refused once", {status(NAK), "GN,40.0\r"}, "40.0", 2, false},
        {"refused twice", {status(NAK), status(NAK)}, "N/A", 2, true},
        {"acknowledged instead of a value", {status(ACK), status(ACK)}, "N/A", 2, true},
        {"not available", {status(NA)}, "N/A", 1, false},  // the model lacks it: no refusal
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        port.clearTranscript();
        ctx.refused.clear();
        for (const auto& r : c.replies)
            instrument.once["RGN"].push_back(r);
        EXPECT_EQ(readSetting(ctx, QStringLiteral("RGN")), c.value);
        EXPECT_EQ(sent().size(), c.sends);
        EXPECT_EQ(ctx.refused.contains(QStringLiteral("RGN")), c.noted);
        instrument.once.clear();
    }
}

TEST_F(RefusalTest, AReplyThatIsNoValueOfItsSettingIsARefusal)
{
    struct Case {
        const char* cmd;
        std::vector<QByteArray> replies;
        QString value;
        bool noted;
    };
    const Case cases[] = {
        {"RGN", {"GN,X?Z\r", "GN,40.0\r"}, "40.0", false},  // garbled once: the one more send heals it
        {"RGN", {"GN,X?Z\r", "GN,4O\r"}, "N/A", true},
        {"RGN", {"GN,\r", "GN\r"}, "N/A", true},             // cut short: nothing usable
        {"RGN", {"GN,40.0,X?Z\r"}, "40.0", false},          // the value is the second field
        {"RGN", {"GN, -12.5e1 \r"}, " -12.5e1 ", false},    // a number as written stays as written
        {"RDT", {"DT,N/A\r"}, "N/A", false},                // the model has none
        {"RFS", {"FS,WIDE\r"}, "WIDE", false},              // the frequency's name is a text
        {"ACD", {"ACD,X?Z\r", "ACD,X?Z\r"}, "N/A", true},
        {"RST", {"ST,?\r", "ST,1\r"}, "1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cmd) + " " + c.replies.front().toStdString());
        ctx.refused.clear();
        instrument.once.clear();
        for (const auto& r : c.replies)
            instrument.once[c.cmd].push_back(r);
        EXPECT_EQ(readSetting(ctx, QLatin1String(c.cmd)), c.value);
        EXPECT_EQ(ctx.refused.contains(QLatin1String(c.cmd)), c.noted);
    }
    // A note is free text, at most its field long (the label 8).
    instrument.once["RNL"] = {"NL,LABEL   ,X?Z\r", "NL,LABEL,X?Z\r"};
    EXPECT_EQ(readSetting(ctx, QStringLiteral("RNL"), true), QStringLiteral("N/A"));
    instrument.once["RNL"] = {"NL,A,B  C\r"};
    EXPECT_EQ(readSetting(ctx, QStringLiteral("RNL"), true), QStringLiteral("A,B  C"));
}

TEST_F(RefusalTest, AGroupNeverStoresAStatusWord)
{
    answer("RGN", {status(NAK), status(NAK)});
    answer("RVL", {status(ACK), status(ACK)});
    ReadParamsPZ(ctx, 1);
    EXPECT_EQ(rec(1).settings().Gain, QStringLiteral("N/A"));
    EXPECT_EQ(rec(1).settings().Velocity, QStringLiteral("N/A"));
    EXPECT_EQ(ctx.refused, (QStringList{"RVL", "RGN"}));
    // ... and the writer sends neither back.
    port.clearTranscript();
    WriteParamsPZ(ctx, 1);
    for (const QString& line : sent())
        EXPECT_FALSE(line.startsWith(QLatin1String("WGN")) || line.startsWith(QLatin1String("WVL"))) << line.toStdString();
}

TEST_F(RefusalTest, WritesAreSentOnceMoreAndAStillRefusedWriteIsNoted)
{
    answer("WRJ", {status(NAK), status(ACK)});
    EXPECT_EQ(writeSetting(ctx, QStringLiteral("WRJ"), QStringLiteral("1")), QStringLiteral("ACK"));
    EXPECT_TRUE(ctx.refused.isEmpty());
    answer("WRJ", {status(NAK), status(NAK)});
    EXPECT_EQ(writeSetting(ctx, QStringLiteral("WRJ"), QStringLiteral("1")), QStringLiteral("NACK"));
    EXPECT_EQ(ctx.refused, QStringList{"WRJ"});
    EXPECT_EQ(sent(), (QStringList{"WRJ1", "WRJ1", "WRJ1", "WRJ1"}));
}

TEST_F(RefusalTest, AStatusWordOrControlByteInAFieldIsNeverSent)
{
    // Such texts are in items read before refusals were handled.
    for (const QString& arg : {QStringLiteral("NACK"), QStringLiteral("ACK"), QStringLiteral("\x15"),
                               QStringLiteral("12\x06")}) {
        EXPECT_EQ(writeSetting(ctx, QStringLiteral("WNO"), arg), QStringLiteral("N/A"));
    }
    rec(1).editSettings().Reject = QStringLiteral("NACK");
    WriteParamsCT(ctx, 1);
    for (const QString& line : sent())
        EXPECT_FALSE(line.contains(QLatin1String("ACK")) || line.startsWith(QLatin1String("WRJ"))) << line.toStdString();
}

TEST_F(RefusalTest, ARefusedArrayOrPointListFillsNothing)
{
    answer("AWT", {status(NAK), status(NAK)});
    rec(1).editCurves().WaveMax[3] = 77;
    EXPECT_FALSE(ReadWaveformData(ctx, 1, QStringLiteral("AWT")));
    EXPECT_EQ(rec(1).curves().WaveMax[3], 77) << "the caller decides what an absent array means";
    answer("RRP", {status(NAK), status(NAK)});
    rec(1).DacPresent = true;
    ReadCurvePoints(ctx, 1, CurveKind::DAC);
    EXPECT_FALSE(rec(1).DacPresent);
    answer("ATS", {status(NAK), status(NAK)});
    rec(1).editSettings().TimeStamp = QStringLiteral("old");
    ReadParamTS(ctx, 1);
    EXPECT_EQ(rec(1).settings().TimeStamp, QString());
    answer("ACD", {status(NAK), status(NAK)});
    answer("ASH", {status(NAK), status(NAK)});
    ReadParamsCDSH(ctx, 1);
    EXPECT_EQ(rec(1).settings().Distance, QString());
    EXPECT_EQ(rec(1).settings().Peak, QString());
    EXPECT_EQ(ctx.refused, (QStringList{"AWT", "RRP", "ATS", "ACD", "ASH"}));
}

TEST_F(RefusalTest, AnALogCompletionRefusedOnceIsSentOnceMoreAndRefusedTwiceFailsTheAction)
{
    for (const MemoryAction a : {MemoryAction::STORE, MemoryAction::RECALL, MemoryAction::DELETE}) {
        port.clearTranscript();
        answer("ADA", {status(NAK)});
        ALogMemoryAction(ctx, a, 4, 4);
        EXPECT_EQ(sent().filter(QStringLiteral("ADA")).size(), 2);
        port.clearTranscript();
        answer("ADA", {status(NAK), status(NAK)});
        expectLinkError([&] { ALogMemoryAction(ctx, a, 4, 4); }, LinkErrorKind::NotAcknowledged);
        EXPECT_EQ(sent().filter(QStringLiteral("ADA")).size(), 2);
        EXPECT_TRUE(sent().filter(QStringLiteral("WFP")).isEmpty());
    }
}

TEST_F(RefusalTest, ARefusedLocationStateIsNoState)
{
    answer("RST", {status(NAK), status(NAK)});
    expectLinkError([&] { PanelSlotUsed(ctx, 5, QString()); }, LinkErrorKind::NotAcknowledged);
    answer("RAT", {status(NAK), status(NAK)});
    expectLinkError([&] { ALogSlotUsed(ctx, 5, QString()); }, LinkErrorKind::NotAcknowledged);
    answer("WAS", {status(NAK), status(NAK), status(NAK), status(NAK), status(NAK)});
    expectLinkError([&] { ALogSlotUsed(ctx, 5, QString()); }, LinkErrorKind::NotAcknowledged);
    EXPECT_TRUE(ctx.refused.isEmpty()) << "a slot's state is the slot's outcome, not an item's part";
}

TEST(RefusalNames, ACommandIsNamedAsTheSettingsGridAndTheNotesPanesShowIt)
{
    struct Strings : tovu::items::StringSource {
        QString GetResString(int id) const override { return QStringLiteral("s%1 ").arg(id); }
    } strings;
    const int base = tovu::items::GetModelResourceBase(15);
    const auto s = [&](int offset) { return QStringLiteral("s%1").arg(base + offset); };
    struct Case {
        const char* cmd;
        QString name;
    };
    const Case cases[] = {
        {"RGN", s(5) + " [RGN]"},
        {"WGN", s(5) + " [WGN]"},
        {"RFS", s(20) + " [RFS]"},
        {"WPD", s(60) + " [WPD]"},                  // the damping, on an instrument without banks
        {"RLA", s(90) + " 1 " + s(93) + " [RLA]"},  // gate 1's level
        {"WGB", s(90) + " 2 " + s(100) + " [WGB]"},
        {"RWI", "IFT GATE " + s(92) + " [RWI]"},
        {"RNO", "s143 [RNO]"},                      // the notes pane's caption
        {"RRP", "s6146 [RRP]"},
        {"AWT", "s6156 [AWT]"},
        {"RDH", "RDH"},                             // not on the grid: the code alone
        {"ADA", "ADA"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(refusalName(strings, 15, QLatin1String(c.cmd)), c.name) << c.cmd;
    EXPECT_EQ(refusalName(strings, 21, QStringLiteral("WPD")), QStringLiteral("WPD")) << "banked: the grid shows no damping";
    EXPECT_EQ(refusalNames(strings, 15, {"RGN", "ADA"}), s(5) + " [RGN], ADA");
}
