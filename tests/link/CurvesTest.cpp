#include "LinkFixture.h"

#include "app/link/CurvesAndWaveforms.h"
#include "app/link/ParameterGroups.h"
#include "app/link/ReplyParsing.h"

#include <cmath>

using namespace tovu::link;
using namespace tovu::link::test;

TEST(WireSample, WholeNumbersUpTo65535WrapToSixteenBits)
{
    const QString cmd = QStringLiteral("AWT");
    EXPECT_EQ(wireSample(cmd, QStringLiteral("65535")), -1);
    EXPECT_EQ(wireSample(cmd, QStringLiteral("32768")), -32768);
    EXPECT_EQ(wireSample(cmd, QStringLiteral("32767")), 32767);
    EXPECT_EQ(wireSample(cmd, QStringLiteral("-32768")), -32768);
    EXPECT_EQ(wireSample(cmd, QStringLiteral(" 12 ")), 12);
    EXPECT_EQ(wireSample(cmd, QStringLiteral("2.5")), 2);  // halves to even
    for (const char* bad : {"65536", "-32769", "", "x", "1e9", "nan"})
        EXPECT_THROW(wireSample(cmd, QLatin1String(bad)), LinkError) << bad;
}

TEST(ParsePointList, ShapesOfThePointReply)
{
    const QString cmd = QStringLiteral("RRP");
    EXPECT_FALSE(parsePointList(cmd, QStringLiteral("RP,1,2")).present);  // 6 characters: no points
    const auto two = parsePointList(cmd, QStringLiteral("RP,10,20,30,40,"));
    EXPECT_TRUE(two.present);
    ASSERT_EQ(two.points.size(), 2u);
    EXPECT_EQ(two.points[1].second, QStringLiteral("40"));
    EXPECT_THROW(parsePointList(cmd, QStringLiteral("RP,10,20,30")), LinkError);
    EXPECT_THROW(parsePointList(cmd, QStringLiteral("garbage!!")), LinkError);
    EXPECT_THROW(parsePointList(cmd, QStringLiteral("RP,10,X?Z")), LinkError);
    QString eleven = QStringLiteral("RP");
    for (int i = 0; i < 11; ++i)
        eleven += QStringLiteral(",%1,%2").arg(i).arg(i);
    EXPECT_THROW(parsePointList(cmd, eleven), LinkError);
}

TEST(ParseArrayReply, TagsSizesAndPartners)
{
    EXPECT_EQ(parseArrayReply(QStringLiteral("AAC"), QString()).target, ArrayTarget::None);
    EXPECT_EQ(parseArrayReply(QStringLiteral("AAC"), QStringLiteral("\x07")).target, ArrayTarget::None);
    EXPECT_EQ(parseArrayReply(QStringLiteral("AYC"), QStringLiteral("YC,1,2,3")).first.size(), 3u);
    EXPECT_EQ(parseArrayReply(QStringLiteral("RYC"), QStringLiteral("RYC,1")).target, ArrayTarget::TcgCurve);
    EXPECT_THROW(parseArrayReply(QStringLiteral("AWT"), QStringLiteral("AWT,1,2,3")), LinkError);
    EXPECT_THROW(parseArrayReply(QStringLiteral("AWT"), QStringLiteral("XYZ,1,2")), LinkError);
    QString big = QStringLiteral("ADC");
    for (int i = 0; i < 257; ++i)
        big += QStringLiteral(",1,2");
    EXPECT_THROW(parseArrayReply(QStringLiteral("ADC"), big), LinkError);
    QString tcg = QStringLiteral("YC");
    for (int i = 0; i < 256; ++i)
        tcg += QStringLiteral(",1");
    EXPECT_THROW(parseArrayReply(QStringLiteral("AYC"), tcg), LinkError);
}

TEST(SlotListed, MembershipInTheLocationList)
{
    const QString list = QStringLiteral("APL,3,5");
    EXPECT_TRUE(slotListed(list, 3));
    EXPECT_TRUE(slotListed(list, 5));  // the last entry counts too
    EXPECT_FALSE(slotListed(list, 35));
    EXPECT_FALSE(slotListed(list, 0));
    EXPECT_TRUE(slotListed(QStringLiteral("APL, 3 , 12,"), 12));
    EXPECT_FALSE(slotListed(QStringLiteral("3,5"), 3));  // the first field is the echo
}

using CurveTest = LinkFixture;

TEST_F(CurveTest, WaveformReplyFillsPairsAndWrapsTheMarker)
{
    openPort();
    instrument.once["AWT"].push_back("AWT,1,2,65535,4\r");
    ReadWaveformData(ctx, 1, QStringLiteral("AWT"));
    EXPECT_EQ(rec(1).curves().WaveMin[0], 1);
    EXPECT_EQ(rec(1).curves().WaveMax[0], 2);
    EXPECT_EQ(rec(1).curves().WaveMin[1], -1);
    EXPECT_EQ(rec(1).curves().WaveMax[1], 4);

    instrument.once["AYC"].push_back("YC,7,8\rstray");
    ReadWaveformData(ctx, 1, QStringLiteral("AYC"));
    EXPECT_EQ(rec(1).curves().TcgCurve[0], 0);
    EXPECT_EQ(rec(1).curves().TcgCurve[1], 7);
    EXPECT_EQ(rec(1).curves().TcgCurve[2], 8);
    EXPECT_TRUE(port.pendingInput().isEmpty());  // what trailed the TCG reply is gone

    // A reply that is no array is read once more, as a refusal is; twice, it stores nothing.
    const auto keep = rec(1);
    for (const QByteArray& bad : {QByteArray("ADC,1,70000\r"), QByteArray("ADC,1,X?Z\r"), QByteArray("ADC,\r")}) {
        SCOPED_TRACE(bad.toStdString());
        ctx.refused.clear();
        instrument.once["ADC"] = {bad, bad};
        EXPECT_FALSE(ReadWaveformData(ctx, 1, QStringLiteral("ADC")));
        EXPECT_TRUE(rec(1) == keep);
        EXPECT_EQ(ctx.refused, QStringList{"ADC"});
    }
    instrument.once["ADC"] = {"ADC,1,X?Z\r", "ADC,3,4\r"};
    EXPECT_TRUE(ReadWaveformData(ctx, 1, QStringLiteral("ADC")));
    EXPECT_EQ(rec(1).curves().DacCurveB[0], 4);
}

TEST_F(CurveTest, WaveformUploadIsBoundedAndReportsFailure)
{
    openPort();
    rec(1).editCurves().WaveMin[0] = -5;
    rec(1).editCurves().WaveMax[254] = 200;
    rec(1).editCurves().WaveMax[255] = 999;  // never sent
    instrument.override_ = [](const QByteArray&) { return QByteArray(1, NAK) + '\r'; };
    EXPECT_FALSE(WriteALogWaveform(ctx, 1));
    ASSERT_EQ(sent().size(), 6);
    const QStringList fields = sent().first().mid(3).split(',');
    EXPECT_EQ(fields.size(), 511);  // a leading comma, then 510 numbers
    EXPECT_EQ(fields[1], QStringLiteral("-5"));
    EXPECT_EQ(fields[510], QStringLiteral("200"));
    instrument.override_ = nullptr;
    EXPECT_TRUE(WriteALogWaveform(ctx, 1));
}

TEST_F(CurveTest, DataVersionFromTheMarkerInTheSecondDacArray)
{
    EXPECT_EQ(GetDataVersion(ctx, 1), 2);
    rec(2).editCurves().DacCurveB[7] = -1;
    EXPECT_EQ(GetDataVersion(ctx, 2), 3);
    EXPECT_EQ(rec(2).DataVersion, 3);
    rec(3).editCurves().DacCurveB[255] = -1;  // outside 0..254
    EXPECT_EQ(GetDataVersion(ctx, 3), 2);
}

TEST_F(CurveTest, DacConversionWorksOnTheCopyGivenBothWays)
{
    openPort();
    tovu::items::DFDRecord r;
    r.DacPresent = true;
    r.DataVersion = 2;
    auto& s = r.editSettings();
    s.DacPointCount = QStringLiteral(" 1");
    s.DacY[1] = QStringLiteral("40");
    s.GainRef = QStringLiteral("30");
    s.Gain = QStringLiteral("45");
    instrument.firmware = "V3.00";
    ConvertDACForFirmware(ctx, r);
    EXPECT_NEAR(s.DacY[1].toDouble(), 36.0206, 5e-5);
    EXPECT_EQ(s.YH, QStringLiteral("45"));
    EXPECT_EQ(s.Gain, QStringLiteral("30"));
    EXPECT_EQ(r.DataVersion, 3);
    EXPECT_EQ(sent(), (QStringList{"AMF", "WRG", "WTD", "WPZ", "WVL", "WGR30", "WGN30", "WUU", "WUZ"}));

    tovu::items::DFDRecord g;
    g.DacPresent = true;
    g.DataVersion = 3;
    g.editSettings().DacPointCount = QStringLiteral(" 1");
    g.editSettings().DacY[1] = QStringLiteral("36");
    g.editSettings().GainRef = QStringLiteral("30");
    instrument.firmware = "V2.10";
    ConvertDACForFirmware(ctx, g);
    // 80 * 10^((30 - 36) / 20), unrounded.
    EXPECT_NEAR(g.settings().DacY[1].toDouble(), 40.09498, 5e-5);
    EXPECT_EQ(g.DataVersion, 2);
}

TEST_F(CurveTest, AHeightOfZeroCannotBecomeAGain)
{
    openPort();
    tovu::items::DFDRecord r;
    r.DacPresent = true;
    r.DataVersion = 2;
    r.editSettings().DacPointCount = QStringLiteral(" 1");
    r.editSettings().DacY[1] = QStringLiteral("0");
    EXPECT_THROW(ConvertDACForFirmware(ctx, r), RecordValueError);
}

TEST_F(CurveTest, WritingDacForOtherFirmwareLeavesTheStoredRecordAlone)
{
    openPort();
    auto& r = rec(1);
    r.DacPresent = true;
    r.DataVersion = 2;
    auto& s = r.editSettings();
    s.DacPointCount = QStringLiteral(" 1");
    s.DacX[1] = QStringLiteral("10");
    s.DacY[1] = QStringLiteral("40");
    s.GainRef = QStringLiteral("30");
    store.FirmwareVersion = 3;
    const auto before = r;
    WriteDACSettings(ctx, 1);
    EXPECT_TRUE(rec(1) == before);
    ASSERT_GE(sent().size(), 10);
    EXPECT_TRUE(sent()[9].startsWith(QStringLiteral("WRP,10,36.02"))) << sent()[9].toStdString();
}

TEST_F(CurveTest, PointListsRefusedThreeTimesAreNotedAsRefused)
{
    openPort();
    auto& s = rec(1).editSettings();
    s.DacPointCount = QStringLiteral(" 1");
    s.DacX[1] = "1", s.DacY[1] = "2";
    instrument.override_ = [](const QByteArray&) { return QByteArray(1, NAK) + '\r'; };
    WriteCurvePoints(ctx, 1, CurveKind::DAC);
    EXPECT_EQ(sent(), (QStringList{"WRP,1,2", "WRP,1,2", "WRP,1,2"}));
    EXPECT_EQ(ctx.refused, QStringList{"WRP"});
    s.DacPointCount = QStringLiteral("x");
    EXPECT_THROW(WriteCurvePoints(ctx, 1, CurveKind::DAC), RecordValueError);
}

TEST_F(CurveTest, TimeStampAndReadings)
{
    openPort();
    instrument.once["ACD"].push_back("ACD,12.40\r");
    instrument.once["ASH"].push_back("ASH,63\r");
    ReadParamTS(ctx, 2);
    ReadParamsCDSH(ctx, 2);
    EXPECT_EQ(rec(2).settings().TimeStamp, QStringLiteral("12/05/2009 10:11"));
    EXPECT_EQ(rec(2).settings().Distance, QStringLiteral("12.40"));
    EXPECT_EQ(rec(2).settings().Peak, QStringLiteral("63"));
    EXPECT_EQ(sent(), (QStringList{"ATS", "ACD", "ASH"}));
    rec(0).ModelIndex = 5;
    rec(2).ModelIndex = 5;
    EXPECT_TRUE(SameModelAsRecord0(ctx, 2));
    rec(2).ModelIndex = 6;
    EXPECT_FALSE(SameModelAsRecord0(ctx, 2));
}
