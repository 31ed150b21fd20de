#include "LinkFixture.h"
#include "RecordFixture.h"

#include "app/link/RecordTransfer.h"

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

QStringList reads(std::initializer_list<const char*> codes)
{
    QStringList out;
    for (const char* c : codes)
        out << QLatin1Char('R') + QLatin1String(c);
    return out;
}

} // namespace

struct RecordTransferTest : LinkFixture {
    void SetUp() override
    {
        openPort();
        ctx.loadTransferDialog();
        dialog.progress.clear();
    }
};

TEST_F(RecordTransferTest, ReadSendsEveryGroupInItsOrder)
{
    instrument.dacPoints = "RP,10,20";  // 8 characters: one point
    instrument.tcgPoints = "YP,1,2,3,4";
    ReadPanelSettings(ctx, 0);
    const QStringList expected = QStringList{"AMD", "AMF"}
        + reads({"CV", "DM", "TR"}) + QStringList{"RRP"} + reads({"DH", "HM", "DR", "DD", "DB"})
        + reads({"YS", "YM"}) + QStringList{"RYP"} + reads({"YR", "YD"})
        + reads({"YT", "YA", "YB"})
        + reads({"EN", "EL", "EB", "EK", "EC", "ED", "EP", "EQ", "ER", "ES", "EF", "EJ", "EH"})
        + reads({"SF", "SE"})
        + reads({"AY", "AX", "AZ", "AV", "AW"})
        + reads({"PZ", "VL", "RG", "TD", "GR", "GN", "UZ", "UU", "YG", "YH"})
        + reads({"CT", "DT", "FS", "FR", "RJ"})
        + reads({"PD", "SD", "PF", "TW", "PV", "PE"})
        + reads({"LA", "SA", "GA", "WA", "LB", "SB", "GB", "WB", "LI", "SI", "GI", "WI"})
        + reads({"AG", "BK", "HD", "HS", "MM", "TH", "TM", "MT", "XO"})
        + reads({"PM", "ZO", "ZT"})
        + reads({"AA", "CL", "VS", "UN"})
        + reads({"VA", "VB", "VC", "VD", "GT"})
        + reads({"PO", "OA", "OB", "OT"})
        + reads({"NL", "NO", "NC", "NP", "NN"});
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(dialog.progress, (std::vector<int>{0, 6, 12, 16, 20, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84, 90, 100}));
    EXPECT_EQ(rec(0).ModelIndex, 37);
    EXPECT_TRUE(rec(0).DacPresent);
    EXPECT_TRUE(rec(0).TcgPresent);
    EXPECT_EQ(rec(0).settings().TcgPointCount, QStringLiteral(" 2"));
}

TEST_F(RecordTransferTest, WriteSendsEveryGroupInItsOrderAndLeavesTheRecordAsItWas)
{
    auto& r = rec(3);
    fillDistinct(r);
    auto& s = r.editSettings();
    r.ModelIndex = 37;
    r.DataVersion = 3;
    store.FirmwareVersion = 3;
    r.DacPresent = true;
    s.DacPointCount = QStringLiteral(" 1");
    s.DacX[1] = "5", s.DacY[1] = "6";
    r.TcgPresent = true;
    s.TcgPointCount = QStringLiteral(" 1");
    s.TcgX[1] = "7", s.TcgY[1] = "8";
    s.Detect = QStringLiteral("3");
    s.Gates[1].Level = QStringLiteral("60");
    s.AvgMode = QStringLiteral("5");
    s.NoteLabel.clear();
    const auto before = r;

    EXPECT_TRUE(WritePanelSettings(ctx, 3).isEmpty());

    const QString b8(8, QLatin1Char(' ')), b25(25, QLatin1Char(' ')), b75(75, QLatin1Char(' '));
    // RF detection: every level goes out rescaled (a level with no number counts as 0).
    QStringList gates = gateWrites("A") + QStringList{"WLB 80", "WSBvSB", "WWBvWB", "WGBvGB"} + gateWrites("I");
    gates[0] = QStringLiteral("WLA 50");
    gates[8] = QStringLiteral("WLI 50");
    const QStringList expected = QStringList{"WDM0", "WYM0", "WEN0", "WGA0", "WGB0", W("ARD", "UN"), W("WAA", "AA"),
                                             W("WCL", "CL"), W("WVS", "VS"), W("WUN", "UN")}
        + QStringList{W("WRG", "RG"), W("WTD", "TD"), W("WPZ", "PZ"), W("WVL", "VL"), W("WGR", "GR"), W("WGN", "GN"),
                      W("WUU", "UU"), W("WUZ", "UZ")}
        + QStringList{W("WFR", "FR"), "WDT3", W("WRJ", "RJ"), W("WCT", "CT")}
        + QStringList{W("WPD", "PD"), W("WSD", "SD"), W("WPF", "PF"), W("WTW", "TW"), W("WPV", "PV"), W("WPE", "PE")}
        + gates
        + QStringList{W("WAG", "AG"), W("WBK", "BK"), W("WHD", "HD"), W("WHS", "HS"), W("WMM", "MM"), W("WTH", "TH"),
                      W("WTM", "TM"), W("WMT", "MT"), W("WXO", "XO")}
        + QStringList{W("WPM", "PM"), W("WZO", "ZO"), W("WZT", "ZT")}
        + QStringList{"WRP,5,6", W("WDR", "DR"), W("WDD", "DD"), W("WGN", "GR"), W("WCV", "CV"), W("WDB", "DB"),
                      W("WDM", "DM"), W("WDH", "DH"), W("WHM", "HM"), W("WTR", "TR"), W("WYG", "YG"), W("WYH", "YH")}
        + QStringList{"WYP,7,8", W("WYR", "YR"), W("WYD", "YD"), W("WYS", "YS"), W("WYG", "YG"), W("WYH", "YH"),
                      W("WYM", "YM")}
        + QStringList{W("WRT", "YT"), W("RYA", "YA"), W("RYB", "YB")}
        + QStringList{W("WAV", "AV"), W("WAW", "AW")}
        + QStringList{W("WEK", "EK"), W("WEL", "EL"), W("WEB", "EB"), W("WEC", "EC"), W("WED", "ED"), W("WEP", "EP"),
                      W("WEF", "EF"), W("WEJ", "EJ"), W("WEH", "EH"), W("WEQ", "EQ"), W("WER", "ER"), W("WES", "ES"),
                      "WEN5", W("WYG", "YG"), W("WYH", "YH")}
        + QStringList{W("WSF", "SF"), W("WSE", "SE")}
        + gates
        + QStringList{W("WVB", "VB"), W("WVC", "VC"), W("WVD", "VD"), W("WGT", "GT")}
        + QStringList{W("WPO", "PO"), W("WOA", "OA"), W("WOB", "OB"), W("WOT", "OT")}
        + QStringList{"WNL" + b8, "WNO" + b25, "WNC" + b25, "WNP" + b25, "WNN" + b75, "WNL" + b8, W("WNO", "NO"),
                      W("WNC", "NC"), W("WNP", "NP"), W("WNN", "NN")};
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(dialog.progress, (std::vector<int>{0, 6, 12, 18, 24, 30, 36, 42, 48, 53, 56, 60, 66, 72, 78, 84, 90, 100}));
    EXPECT_TRUE(rec(3) == before);
}

TEST_F(RecordTransferTest, ATimeoutStopsTheWriteWhereItHappened)
{
    auto& r = rec(1);
    r.DacPresent = true;
    r.DataVersion = 3;
    store.FirmwareVersion = 3;
    r.editSettings().DacPointCount = QStringLiteral(" 1");
    r.editSettings().Detect = QStringLiteral("0");
    instrument.silent << "WRP";
    const LinkError e = expectLinkError([&] { WritePanelSettings(ctx, 1); }, LinkErrorKind::Timeout);
    EXPECT_EQ(e.Description(), QStringLiteral("Communication error executing WRP,,"));
    EXPECT_EQ(sent().last(), QStringLiteral("WRP,,"));
    EXPECT_EQ(dialog.progress.back(), 42);
}

TEST_F(RecordTransferTest, ACancelStopsTheWriteAtTheNextCommand)
{
    rec(1).editSettings().Detect = QStringLiteral("0");
    int yields = 0;
    pump.onYield = [&](int) {
        if (++yields == 12)  // during the second command of the calibration group
            ctx.Active = false;
    };
    expectLinkError([&] { WritePanelSettings(ctx, 1); }, LinkErrorKind::Cancelled);
    EXPECT_EQ(sent().size(), 13);
    EXPECT_EQ(sent().last(), QStringLiteral("ALM"));
    EXPECT_FALSE(port.portOpen());
}

TEST_F(RecordTransferTest, AFieldTheWriterCannotUseSkipsOnlyItsStep)
{
    rec(1).editSettings().Detect = QStringLiteral("N/A");  // no gate can be scaled
    const QStringList skipped = WritePanelSettings(ctx, 1);
    EXPECT_EQ(skipped.size(), 2);  // both gate passes
    EXPECT_FALSE(sent().contains(QStringLiteral("WLA")));
    EXPECT_EQ(sent().last().left(3), QStringLiteral("WNN"));
    EXPECT_EQ(dialog.progress.back(), 100);
}

TEST_F(RecordTransferTest, ProgressAfterTheDialogIsGoneGoesNowhere)
{
    ctx.unloadTransferDialog();
    EXPECT_TRUE(dialog.destroyed);
    ctx.Active = false;
    ctx.setProgress(50);
    EXPECT_EQ(ctx.transferDialog(), nullptr);
    EXPECT_FALSE(ctx.Active);  // nothing re-loaded the dialog
    EXPECT_TRUE(dialog.progress.empty());
}
