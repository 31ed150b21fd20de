// The clipboard settings text of a fixture record, exactly, for a table of copy-option
// masks; the variants of its lines; the copy command and the copy options.
#include "ReportFakes.h"

#include "app/items/ItemStore.h"
#include "app/reports/ClipboardSettingsText.h"

#include <gtest/gtest.h>

namespace tovu::reports::testing {
namespace {

const QString kHead = QStringLiteral("\r\nMODEL X\r\n10/12/2026 09:30\r\n");
const QString kNotes = QStringLiteral("\r\nLabel : WELD7\r\nOperator : J. Smith\r\nLocation : Bay 4\r\nProbe : MSEB4"
                                      "\r\nNotes : Root crack indication at 12 mm depth\r\n");
const QString kReading = QStringLiteral("\r\nDistance: 12.34mm\r\nPeak: 78%\r\n");
const QString kCal = QStringLiteral("\r\nCAL\r\nRange : 50.0mm\r\nDelay : 0.00mm\r\nVel : 5920\r\nZero : 1.25mm"
                                    "\r\nGain : 40.0\r\nRef : 6.0\r\n");
const QString kAmp = QStringLiteral("\r\nAMP\r\nFreq : 5 MHz\r\nDetect : Full\r\nReject : 10\r\nContour : 0\r\n");
const QString kTx = QStringLiteral("\r\nTX\r\nTx Mode : Single\r\nTx Width : 100\r\nDamping : 100 Ohms\r\nVolts : 400v"
                                   "\r\nPRF MAX : 150 Hz\r\n");
const QString kGates = QStringLiteral("\r\nGATE 1\r\nState : On +Ve\r\nStart : 10.0mm\r\nWidth : 20.0mm\r\nLevel : 40%\r\n"
                                      "\r\nGATE 2\r\nState : OFF\r\nStart : 30.0mm\r\nWidth : 5.0mm\r\nLevel : 60%\r\n");
const QString kMeas = QStringLiteral("\r\nMEAS\r\nMeas Mode : Depth\r\nTrig Mode : Peak\r\nHUD : Peak\r\nT-Min : OFF"
                                     "\r\nBlank : 15%\r\nAngle : 45.0\r\nThick : 25.0\r\nX_Off : 8.0\r\n");
const QString kACal = QStringLiteral("\r\nA_CAL\r\nDist1 : 25.0mm\r\nDist2 : 50.0mm\r\n");
const QString kAws = QStringLiteral("\r\nAWS\r\nMode : Meas\r\nRef : 80 %\r\nIL dB : 1.5\r\nAF dB : 2.5\r\nIR dB : 3.5\r\n");
const QString kAvg = QStringLiteral("\r\nAVG\r\nMode : On\r\nProbe : B2S\r\nERS : 2.0 mm\r\nRef Hole : 3.0 mm"
                                    "\r\nT_LOSS : 1.0\r\nREF. dB : 20\r\nMAT. dB : 0.5\r\n");
const QString kAgc = QStringLiteral("\r\nAGC\r\nMode : 1\r\nHeight : 80%\r\n");
const QString kUtil = QStringLiteral("\r\nUTIL\r\nUnits : mm\r\nClick : On\r\nAlarm : Mute\r\nSmooth : On\r\n");
const QString kVideo = QStringLiteral("\r\nVIDEO\r\nVideo : NTSC\r\nGraticule : Sparse\r\nColour : 3\r\nBright : 6\r\n");
const QString kPout = QStringLiteral("\r\nP_O/P\r\nMode : 50 Hz\r\nO/P 1 : E1-E2\r\nO/P 2 : Level 2\r\nTrigger : Flank\r\n");

QString textFor(const items::DFDRecord& record, int mask, const items::StringSource& strings)
{
    CopyOptions options;
    options.setMask(mask);
    options.followModel(record.ModelIndex);
    return ClipboardSettingsText(record, QStringLiteral("MODEL X"), QStringLiteral("10/12/2026 09:30"), options, strings);
}

TEST(ClipboardText, EveryMaskWritesItsSectionsInMenuOrder)
{
    const items::LanguageContext strings = ownStrings();
    struct Case {
        int mask;
        int model;
        QString text;
    };
    const QString all = kCal + kAmp + kTx + kGates + kMeas + kACal + kAws + kAvg;
    const QString tail = kUtil + kVideo + kPout;
    const Case cases[] = {
        {0, 2, kHead + kReading},
        {1 << CopyCal, 2, kHead + kReading + kCal},
        {(1 << CopyCal) | (1 << CopyNotes), 2, kHead + kNotes + kReading + kCal},
        {(1 << CopyGates) | (1 << CopyPout), 2, kHead + kReading + kGates + kPout},
        {kAllCopyOptions, 2, kHead + kNotes + kReading + all + tail},    // no AGC below model 11
        {kAllCopyOptions, 11, kHead + kNotes + kReading + all + kAgc + tail},
        {1 << CopyAgc, 10, kHead + kReading},
        {1 << CopyAgc, 11, kHead + kReading + kAgc},
        {kAllCopyOptions & ~(1 << CopyAgc), 11, kHead + kNotes + kReading + all + tail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mask " << c.mask << " model " << c.model);
        items::DFDRecord r = test::annotatedALog();
        r.ModelIndex = static_cast<std::int16_t>(c.model);
        EXPECT_EQ(textFor(r, c.mask, strings), c.text);
    }
}

TEST(ClipboardText, LinesFollowTheRecordsModesAndTexts)
{
    const items::LanguageContext strings = ownStrings();
    struct Case {
        const char* what;
        std::function<void(items::RecordSettings&)> change;
        int mask;
        QString text;
    };
    const Case cases[] = {
        {"depth reading with one blank", [](auto& s) { s.MeasMode = QStringLiteral("2"); }, 0,
         kHead + QStringLiteral("\r\nDistance 12.34mm\r\n")},
        {"no reading in monitor mode", [](auto& s) { s.MeasMode = QStringLiteral("0"); }, 0, kHead + QStringLiteral("\r\n")},
        {"no reading for N/A", [](auto& s) { s.MeasMode = QStringLiteral("N/A"); }, 0, kHead + QStringLiteral("\r\n")},
        {"units in inches", [](auto& s) { s.Units = QStringLiteral("1"); s.MeasMode = QStringLiteral("0"); },
         1 << CopyACal, kHead + QStringLiteral("\r\n\r\nA_CAL\r\nDist1 : 25.0in\r\nDist2 : 50.0in\r\n")},
        {"free frequency text shown as it is", [](auto& s) { s.FrequencyText = QStringLiteral("3.5 MHz"); }, 1 << CopyAmp,
         kHead + kReading + QString(kAmp).replace(QStringLiteral("5 MHz"), QStringLiteral("3.5 MHz"))},
        {"empty frequency text shown empty", [](auto& s) { s.FrequencyText = QString(); }, 1 << CopyAmp,
         kHead + kReading + QString(kAmp).replace(QStringLiteral("Freq : 5 MHz"), QStringLiteral("Freq : "))},
        {"an empty choice is the first value", [](auto& s) { s.Detect = QString(); }, 1 << CopyAmp,
         kHead + kReading + QString(kAmp).replace(QStringLiteral("Full"), QStringLiteral("-Ve HW"))},
        {"backlight display, contrast off at 6",
         [](auto& s) { s.DisplayType = QStringLiteral("2"); }, 1 << CopyVideo,
         kHead + kReading + QStringLiteral("\r\nVIDEO\r\nVideo : NTSC\r\nGraticule : Sparse\r\nBacklight : 3\r\nContrast : Off\r\n")},
        {"backlight display, contrast on otherwise",
         [](auto& s) { s.DisplayType = QStringLiteral("2"); s.Bright = QStringLiteral("5"); }, 1 << CopyVideo,
         kHead + kReading + QStringLiteral("\r\nVIDEO\r\nVideo : NTSC\r\nGraticule : Sparse\r\nBacklight : 3\r\nContrast : On\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        items::DFDRecord r = test::annotatedALog();
        c.change(r.editSettings());
        EXPECT_EQ(textFor(r, c.mask, strings), c.text);
    }
}

class ClipboardCopyTest : public ::testing::Test {
protected:
    ClipboardCopyTest() { store.WorkItems.resize(5); }
    items::LanguageContext strings = ownStrings();
    items::ItemStore store;
    CopyOptions options;
    FakeClipboard clipboard;
    FakeWindow window;
    FakeUser user;
    ClipboardCopy copy{store, strings, options, clipboard, window, user};
};

TEST_F(ClipboardCopyTest, TheShownItemGoesToTheClipboardAndTheAgcCheckSurvives)
{
    store.WorkItems[3] = test::annotatedALog();
    store.WorkItems[3].ModelIndex = 11;
    window.index = QStringLiteral(" 3");
    options.setMask(1 << CopyAgc);
    copy.mnuCopyPanel_Click();
    EXPECT_EQ(clipboard.clears, 1);
    EXPECT_EQ(clipboard.text, kHead + kReading + kAgc);
    EXPECT_TRUE(options.checked(CopyAgc));
    EXPECT_TRUE(options.agcAvailable());
    EXPECT_TRUE(user.asked.isEmpty());

    // An item of a model without the AGC menu hides the option but keeps its check.
    store.WorkItems[2] = test::annotatedALog();
    window.index = QStringLiteral("2");
    copy.mnuCopyPanel_Click();
    EXPECT_EQ(clipboard.text, kHead + kReading);
    EXPECT_FALSE(options.agcAvailable());
    EXPECT_TRUE(options.checked(CopyAgc));
}

TEST_F(ClipboardCopyTest, AnItemThatIsNotThereLeavesTheClipboardAsItWas)
{
    for (const char* index : {"7", "-1", "40000"}) {
        SCOPED_TRACE(index);
        user.asked.clear();
        window.index = QString::fromLatin1(index);
        copy.mnuCopyPanel_Click();
        EXPECT_EQ(clipboard.clears, 0);
        EXPECT_EQ(clipboard.text, QStringLiteral("before"));
        ASSERT_EQ(user.asked.size(), 1);
        EXPECT_TRUE(user.asked[0].startsWith(QStringLiteral("message Menu Copy error: ")));
        EXPECT_TRUE(user.asked[0].endsWith(QStringLiteral("\r\nTOVU")));
    }
}

TEST(CopyOptionsTest, TheMaskIsStoredByTheMenuHandlersOnly)
{
    CopyOptions options;
    MapSettings settings;
    options.mnuoptall_Click(1, settings);
    EXPECT_EQ(settings.values.value(QStringLiteral("Clipboard/Copy Options")), QStringLiteral("8191"));
    EXPECT_TRUE(options.selectAllChecked());
    EXPECT_FALSE(options.deleteAllChecked());

    options.mnuCopyClipBoardOptions_Click(5, settings);
    EXPECT_EQ(settings.values.value(QStringLiteral("Clipboard/Copy Options")), QString::number(8191 - 32));
    EXPECT_FALSE(options.selectAllChecked());
    EXPECT_FALSE(options.deleteAllChecked());

    options.mnuoptall_Click(2, settings);
    EXPECT_EQ(settings.values.value(QStringLiteral("Clipboard/Copy Options")), QStringLiteral("0"));
    EXPECT_FALSE(options.selectAllChecked());
    EXPECT_TRUE(options.deleteAllChecked());

    CopyOptions loaded;
    settings.values[QStringLiteral("Clipboard/Copy Options")] = QStringLiteral("4097");
    loaded.load(settings);
    EXPECT_TRUE(loaded.checked(CopyCal));
    EXPECT_TRUE(loaded.checked(CopyAgc));
    EXPECT_EQ(loaded.mask(), 4097);
}

} // namespace
} // namespace tovu::reports::testing
