#include "LinkFixture.h"
#include "RecordFixture.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/ParameterGroups.h"

using namespace tovu::link;
using namespace tovu::link::test;

TEST(ParameterCodes, EveryGroupCodeNamesATextFieldOfTheRecord)
{
    for (const QString& code : groupParameterCodes()) {
        const auto* f = tovu::items::fieldByInstrumentCode(code.toStdString());
        ASSERT_NE(f, nullptr) << code.toStdString();
        EXPECT_TRUE(f->isText()) << code.toStdString();
    }
}

TEST(RfGateLevel, HalvesTheLevelAboveTheCentreLine)
{
    EXPECT_EQ(rfGateLevel(QStringLiteral("60")), QStringLiteral(" 80"));
    EXPECT_EQ(rfGateLevel(QStringLiteral("55")), QStringLiteral(" 77.5"));
    EXPECT_EQ(rfGateLevel(QStringLiteral(" 33.3")), QStringLiteral(" 66.65"));  // single precision, shortest text
    EXPECT_EQ(rfGateLevel(QStringLiteral("")), QStringLiteral(" 50"));
    EXPECT_EQ(rfGateLevel(QStringLiteral("-300")), QStringLiteral("-100"));
}

struct GroupTest : LinkFixture {
    void SetUp() override
    {
        openPort();
        fillDistinct(rec(1));
        before = rec(1);
    }
    void expectUnchanged() { EXPECT_TRUE(rec(1) == before) << "the record sent was changed"; }
    tovu::items::DFDRecord before;
};

TEST_F(GroupTest, ReadersStoreEachReplyTextAsItCame)
{
    instrument.values["CT"] = " 3";
    instrument.values["DT"] = "N/A";
    instrument.once["RFS"].push_back(QByteArray(1, NA) + '\r');
    instrument.once["RRJ"].push_back("\r");
    instrument.values["RJ"] = "2";
    ReadParamsCT(ctx, 1);
    // An empty reply is no value of a number: asked once more, as a refusal is.
    EXPECT_EQ(sent(), (QStringList{"RCT", "RDT", "RFS", "RFR", "RRJ", "RRJ"}));
    EXPECT_EQ(rec(1).settings().Contour, QStringLiteral(" 3"));
    EXPECT_EQ(rec(1).settings().Detect, QStringLiteral("N/A"));
    EXPECT_EQ(rec(1).settings().FrequencyText, QStringLiteral("N/A"));
    EXPECT_EQ(rec(1).settings().Reject, QStringLiteral("2"));
}

TEST_F(GroupTest, NAFieldsAreNotSentAndEmptyFieldsGoOutBare)
{
    rec(1).editSettings().Delay = QStringLiteral("N/A");
    rec(1).editSettings().ProbeZero = QString();
    WriteParamsPZ(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{W("WRG", "RG"), "WPZ", W("WVL", "VL"), W("WGR", "GR"), W("WGN", "GN"), W("WUU", "UU"),
                                   W("WUZ", "UZ")}));
}

TEST_F(GroupTest, GateLevelIsRescaledForTheWireOnlyInRFDetection)
{
    rec(1).editSettings().Gates[0].Level = QStringLiteral("60");
    rec(1).editSettings().Detect = QStringLiteral("3");
    before = rec(1);
    WriteGate(ctx, 1, 0);
    rec(1).editSettings().Detect = QStringLiteral("2");
    WriteGate(ctx, 1, 0);
    EXPECT_EQ(sent(), (QStringList{"WLA 80", W("WSA", "SA"), W("WWA", "WA"), W("WGA", "GA"), "WLA60", W("WSA", "SA"),
                                   W("WWA", "WA"), W("WGA", "GA")}));
    EXPECT_EQ(rec(1).settings().Gates[0].Level, QStringLiteral("60"));
}

TEST_F(GroupTest, GateWithADetectionThatIsNoNumberSendsNothing)
{
    for (const char* detect : {"", "  ", "N/A"}) {
        rec(1).editSettings().Detect = QLatin1String(detect);
        EXPECT_THROW(WriteGate(ctx, 1, 1), RecordValueError) << detect;
    }
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(GroupTest, GateLettersAndBounds)
{
    ReadGate(ctx, 1, 2);
    ReadGate(ctx, 1, 3);
    EXPECT_EQ(sent(), (QStringList{"RLI", "RSI", "RGI", "RWI", "RLI", "RSI", "RGI", "RWI"}));
    EXPECT_THROW(ReadGate(ctx, 1, 4), std::out_of_range);
    EXPECT_THROW(WriteGate(ctx, 1, -1), std::out_of_range);
    EXPECT_THROW(ReadParamsCT(ctx, 100000), std::out_of_range);
    EXPECT_EQ(sent().size(), 8);
}

TEST_F(GroupTest, MeasurementReaderPausesFirstAndWriterDoesNot)
{
    ReadParamsAG(ctx, 1);
    EXPECT_EQ(clock.sleeps.front(), 100);
    clock.sleeps.clear();
    WriteParamsAG(ctx, 1);
    EXPECT_EQ(clock.sleeps.front(), 50);
    EXPECT_EQ(sent()[9], QStringLiteral("WAG0"));  // the value just read
}

TEST_F(GroupTest, UtilityWriteSwitchesCurvesAndGatesOffFirst)
{
    WriteParamsUN(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{"WDM0", "WYM0", "WEN0", "WGA0", "WGB0", W("ARD", "UN"), W("WAA", "AA"), W("WCL", "CL"),
                                   W("WVS", "VS"), W("WUN", "UN")}));
}

TEST_F(GroupTest, AvgWriteEndsWithItsModeAndTheGainsOnlyWhenOn)
{
    WriteParamsE(ctx, 1);
    EXPECT_EQ(sent().last(), W("WEN", "EN"));
    port.clearTranscript();
    rec(1).editSettings().AvgMode = QStringLiteral("5");
    WriteParamsE(ctx, 1);
    EXPECT_EQ(sent().mid(12), (QStringList{"WEN5", W("WYG", "YG"), W("WYH", "YH")}));
    port.clearTranscript();
    rec(1).editSettings().AvgMode = QStringLiteral("5.0");  // the test is on the text
    WriteParamsE(ctx, 1);
    EXPECT_EQ(sent().last(), QStringLiteral("WEN5.0"));
}

TEST_F(GroupTest, YTWriteUsesWRTAndTheReadCommandsForYAAndYB)
{
    WriteParamsYT(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{W("WRT", "YT"), W("RYA", "YA"), W("RYB", "YB")}));
}

TEST_F(GroupTest, NotesAreClearedThenSentWithBlanksForEmptyOnesAndTheRecordKeepsItsTexts)
{
    rec(1).editSettings().NoteLabel.clear();
    before = rec(1);
    WriteNotes(ctx, 1);
    const QString b8(8, QLatin1Char(' ')), b25(25, QLatin1Char(' ')), b75(75, QLatin1Char(' '));
    EXPECT_EQ(sent(), (QStringList{"WNL" + b8, "WNO" + b25, "WNC" + b25, "WNP" + b25, "WNN" + b75, "WNL" + b8,
                                   W("WNO", "NO"), W("WNC", "NC"), W("WNP", "NP"), W("WNN", "NN")}));
    expectUnchanged();
}

TEST_F(GroupTest, NoteTextsKeepTheirCommas)
{
    instrument.once["RNN"].push_back("NN,weld 3, root pass\r");
    instrument.once["RNL"].push_back("NL,        \r");
    ReadNotes(ctx, 1);
    EXPECT_EQ(rec(1).settings().NoteText, QStringLiteral("weld 3, root pass"));
    EXPECT_EQ(rec(1).settings().NoteLabel, QString(8, QLatin1Char(' ')));
}

TEST_F(GroupTest, DacReadWithoutPointsMarksNoCurveAndSkipsItsTail)
{
    rec(1).editSettings().DB = QStringLiteral("keep");
    ReadDACSettings(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{"RCV", "RDM", "RTR", "RRP", "RDH", "RHM"}));
    EXPECT_EQ(rec(1).settings().DR, QStringLiteral("-999"));
    EXPECT_EQ(rec(1).settings().DD, QStringLiteral("-999"));
    EXPECT_EQ(rec(1).settings().DB, QStringLiteral("keep"));
    EXPECT_FALSE(rec(1).DacPresent);
    EXPECT_EQ(rec(1).settings().DacPointCount, QStringLiteral(" 0"));

    port.clearTranscript();
    instrument.dacPoints = "RP,10,20,30,40";
    ReadDACSettings(ctx, 1);
    EXPECT_EQ(sent().mid(6), (QStringList{"RDR", "RDD", "RDB"}));
    EXPECT_TRUE(rec(1).DacPresent);
    EXPECT_EQ(rec(1).settings().DacPointCount, QStringLiteral(" 2"));
    EXPECT_EQ(rec(1).settings().DacX[2], QStringLiteral("30"));
    EXPECT_EQ(rec(1).settings().DacY[2], QStringLiteral("40"));
}

TEST_F(GroupTest, DacWriteClearsThePointsWithoutPointsAndSendsTheReferenceGainWithThem)
{
    rec(1).DacPresent = false;
    WriteDACSettings(ctx, 1);
    EXPECT_EQ(sent(), QStringList{"WRP"}) << "nothing known of the live points yet: the empty list, so none stay";
    WriteDACSettings(ctx, 1);
    EXPECT_EQ(sent(), QStringList{"WRP"}) << "the instrument holds none now: nothing to clear";
    ctx.livePoints[0].mayHold = true;
    instrument.once["WRP"].push_back(QByteArray(1, NA) + '\r');  // no such curve: nothing to clear
    WriteDACSettings(ctx, 1);
    EXPECT_TRUE(ctx.refused.isEmpty() && ctx.keptPoints.isEmpty());
    EXPECT_FALSE(ctx.livePoints[0].mayHold);
    // An instrument that refuses the empty list keeps its points; the item is told, not
    // the refusals, and the instrument is not asked again on this connection.
    ctx.livePoints[0].mayHold = true;
    instrument.once["WRP"] = {QByteArray(1, NAK) + '\r', QByteArray(1, NAK) + '\r'};
    port.clearTranscript();
    WriteDACSettings(ctx, 1);
    WriteDACSettings(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{"WRP", "WRP"})) << "one more send, as for any refusal, then never again";
    EXPECT_TRUE(ctx.refused.isEmpty());
    EXPECT_EQ(ctx.keptPoints, QStringList{"DAC"});
    ctx.keptPoints.clear();
    port.clearTranscript();

    auto& s = rec(1).editSettings();
    rec(1).DacPresent = true;
    rec(1).DataVersion = 3;
    store.FirmwareVersion = 3;
    s.DacPointCount = QStringLiteral(" 2");
    s.DacX[1] = "1", s.DacY[1] = "2", s.DacX[2] = "3", s.DacY[2] = "4";
    s.YG.clear();
    before = rec(1);
    WriteDACSettings(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{"WRP,1,2,3,4", W("WDR", "DR"), W("WDD", "DD"), W("WGN", "GR"), W("WCV", "CV"),
                                   W("WDB", "DB"), W("WDM", "DM"), W("WDH", "DH"), W("WHM", "HM"), W("WTR", "TR"),
                                   "WYG0", W("WYH", "YH")}));
    expectUnchanged();  // the empty YG went out as "0" but stays empty
}

TEST_F(GroupTest, TcgWriteNeedsModelElevenAndPointsAndSendsAtMostNine)
{
    auto& s = rec(1).editSettings();
    rec(1).TcgPresent = true;
    s.TcgPointCount = QStringLiteral("10");
    for (int k = 1; k <= 10; ++k)
        s.TcgX[k] = QString::number(k), s.TcgY[k] = QString::number(10 * k);
    rec(1).ModelIndex = 10;
    before = rec(1);
    WriteTCGSettings(ctx, 1);
    EXPECT_TRUE(sent().isEmpty());
    rec(1).TcgPresent = false;
    rec(1).ModelIndex = 11;
    WriteTCGSettings(ctx, 1);
    EXPECT_EQ(sent(), QStringList{"WYP"});
    port.clearTranscript();
    rec(1).TcgPresent = true;

    rec(1).ModelIndex = 11;
    before = rec(1);
    WriteTCGSettings(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{"WYP,1,10,2,20,3,30,4,40,5,50,6,60,7,70,8,80,9,90", W("WYR", "YR"), W("WYD", "YD"),
                                   W("WYS", "YS"), W("WYG", "YG"), W("WYH", "YH"), W("WYM", "YM")}));
    expectUnchanged();  // the count stays 10
}

TEST_F(GroupTest, TcgReadWithoutPointsMarksNoCurve)
{
    ReadTCGSettings(ctx, 1);
    EXPECT_EQ(sent(), (QStringList{"RYS", "RYM", "RYP"}));
    EXPECT_EQ(rec(1).settings().YR, QStringLiteral("-999"));
    EXPECT_EQ(rec(1).settings().YD, QStringLiteral("-999"));
}
