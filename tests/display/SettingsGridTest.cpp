// The settings grid of whole records, cell by cell.

#include "app/display/SettingsGridModel.h"
#include "app/display/SettingsGridTableModel.h"
#include "display/support/FakeStrings.h"
#include "support/QtPrinters.h"
#include "support/SampleRecords.h"

#include <QColor>
#include <QFont>
#include <gtest/gtest.h>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;
using tovu::items::DFDRecord;

namespace {
using Rows = std::vector<std::array<const char*, 5>>;

void expectGrid(const SettingsGridModel& g, const Rows& rows)
{
    ASSERT_EQ(g.rowCount(), static_cast<int>(rows.size()));
    for (int r = 0; r < g.rowCount(); ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(g.text(r, c), QString::fromUtf8(rows[r][c])) << "row " << r << " column " << c;
}

const Rows kHeader = {{"Menu", "Item1", "Item2", "Item3", "Item4"}};
} // namespace

TEST(SettingsGrid, FirstGenerationRecordExactly)
{
    const FakeStrings strings;
    SettingsGridModel g;
    g.ShowALogSettings(sampleALog(), strings);
    expectGrid(g, {
                      {"Menu", "Item1", "Item2", "Item3", "Item4"},
                      {"CAL", "Range", "Delay", "Vel", "Zero"},
                      {"", "50", "0", "5920", "0.000"},
                      {"", "Gain", "Ref", "", ""},
                      {"", "40.0", "0.0", "", ""},
                      {"AMP", "Freq", "Detect", "Reject", "Contour"},
                      {"", "5 MHz", "Full", "0", "0"},
                      {"TX", "Tx Width", "Damping", "Volts", "PRF MAX"},
                      {"Single", "100", "100 Ohms", "400v", "1000 Hz"},
                      {"GATE 1", "State", "Start", "Width", "Level"},
                      {"", "On +Ve", "10", "20", "40"},
                      {"GATE 2", "State", "Start", "Width", "Level"},
                      {"", "OFF", "30", "10", "20"},
                      {"IFT GATE", "State", "Start", "Width", "Level"},
                      {"", "OFF", "5", "5", "50"},
                      {"MEAS", "Meas Mode", "Trig Mode", "HUD", "T-Min"},
                      {"", "Depth", "Flank", "Distance", "OFF"},
                      {"", "Blank", "Angle", "Thick", "X_Off"},
                      {"", "10", "0", "20.00", "0"},
                      {"AWS", "Ref", "IL dB", "AF dB", "IR dB"},
                      {"Off", "30", "1.5", "2.5", "3.5"},
                      {"AVG", "Mode", "Probe", "ERS", "Ref Hole"},
                      {"", "Off", "-", "2.0", "3.0"},
                      {"", "T_LOSS", "REF. dB", "MAT. dB", ""},
                      {"", "0.5", "10", "4", ""},
                      {"UTIL", "Units", "Click", "Alarm", "Smooth"},
                      {"", "mm", "On", "Audible", "OFF"},
                      {"VIDEO", "Colour", "Bright", "Video", "Graticule"},
                      {"", "3", "5", "PAL", "Full"},
                  });
    // The rows past the 27 of a fixed grid are kept: VIDEO is there.
    EXPECT_EQ(g.rowStyle(0), GridRowStyle::Header);
    EXPECT_EQ(g.rowStyle(27), GridRowStyle::Label);
    EXPECT_EQ(g.rowStyle(28), GridRowStyle::Value);
}

TEST(SettingsGrid, BankedModelWithAgcAndSecondVideoLayout)
{
    const FakeStrings strings;
    DFDRecord r = sampleALog();
    r.ModelIndex = 25;  // block 1500, memory generation 1
    auto& s = r.editSettings();
    s.FrequencyText = QStringLiteral("2.25");
    s.PE = QStringLiteral("0.5");
    s.Volts = QStringLiteral("2");
    s.PrfMax = QStringLiteral("0500");
    s.DisplayType = QStringLiteral("2");
    s.Colour = QStringLiteral("6");
    s.Graticule = QStringLiteral("N/A");
    s.Detect = QStringLiteral("N/A");
    s.Gates[0].State = QStringLiteral("3");
    SettingsGridModel g;
    g.ShowALogSettings(r, strings, QStringLiteral(","));
    expectGrid(g, {
                      {"Menu", "Item1", "Item2", "Item3", "Item4"},
                      {"CAL", "Range", "Delay", "Vel", "Zero"},
                      {"", "50", "0", "5920", "0.000"},
                      {"", "Gain", "Ref", "", ""},
                      {"", "40.0", "0.0", "", ""},
                      {"AMP", "Freq", "Detect", "Reject", "Contour"},
                      {"", "2.25", "N/A", "0", "0"},
                      {"TX", "Tx Width", "Edge", "Volts", "PRF MAX"},
                      {"Single", "100", "0,5", "200v", "500 Hz"},
                      {"GATE 1", "State", "Start", "Width", "Level"},
                      {"", "Expand", "10", "20", "40"},
                      {"GATE 2", "State", "Start", "Width", "Level"},
                      {"", "OFF", "30", "10", "20"},
                      {"IFT GATE", "State", "Start", "Width", "Level"},
                      {"", "OFF", "5", "5", "50"},
                      {"MEAS", "Meas Mode", "Trig Mode", "HUD", "T-Min"},
                      {"", "Depth", "Flank", "Distance", "OFF"},
                      {"", "Blank", "Angle", "Thick", "X_Off"},
                      {"", "10", "0", "20.00", "0"},
                      {"AWS", "Ref", "IL dB", "AF dB", "IR dB"},
                      {"Off", "30", "1.5", "2.5", "3.5"},
                      {"AVG", "Mode", "Probe", "ERS", "Ref Hole"},
                      {"", "Off", "-", "2.0", "3.0"},
                      {"", "T_LOSS", "REF. dB", "MAT. dB", ""},
                      {"", "0.5", "10", "4", ""},
                      {"AGC", "Mode", "Height %", "", ""},
                      {"", "0", "80", "", ""},
                      {"UTIL", "Units", "Click", "Alarm", "Smooth"},
                      {"", "mm", "On", "Audible", "OFF"},
                      {"VIDEO", "Contrast", "Backlight", "Video", "Graticule"},
                      {"", "Off", "5", "PAL", "OFF"},
                  });
}

TEST(SettingsGrid, TxLayoutFollowsTheRecordsModel)
{
    const FakeStrings strings;
    struct Case {
        int model;
        const char* column2;
    };
    for (const Case& c : {Case{0, "Damping"}, Case{18, "Damping"}, Case{19, "Edge"}, Case{35, "Edge"},
                          Case{36, "Edge"}, Case{42, "Edge"}}) {
        DFDRecord r = sampleALog();
        r.ModelIndex = static_cast<std::int16_t>(c.model);
        SettingsGridModel g;
        g.ShowALogSettings(r, strings);
        EXPECT_EQ(g.text(7, 2), QString::fromUtf8(c.column2)) << c.model;
        EXPECT_EQ(g.rowCount(), c.model >= 11 ? 31 : 29) << c.model;
    }
    // The banked instruments' heading is a literal, the same in every language.
    FakeStrings german;
    for (auto it = german.table.begin(); it != german.table.end(); ++it)
        it.value() += QStringLiteral(" (de)");
    DFDRecord r = sampleALog();
    r.ModelIndex = 19;
    SettingsGridModel g;
    g.ShowALogSettings(r, german);
    EXPECT_EQ(g.text(7, 2), QStringLiteral("Edge"));
    EXPECT_TRUE(g.text(7, 1).endsWith(QStringLiteral(" (de)"))) << "the other headings follow the language";
}

TEST(SettingsGrid, CellsThatCannotBeMadeStayEmpty)
{
    const FakeStrings strings;
    DFDRecord r = sampleALog();
    r.editSettings().Frequency = QStringLiteral("1E10");  // no 32-bit string id
    r.editSettings().Damping = QStringLiteral("9000");    // an id no table holds
    r.editSettings().Frequency.append(QString());
    SettingsGridModel g;
    g.ShowALogSettings(r, strings);
    EXPECT_EQ(g.text(6, 1), QString());
    EXPECT_EQ(g.text(8, 2), QString());
    EXPECT_EQ(g.text(6, 2), u"Full");  // the rest is filled
    EXPECT_EQ(g.text(28, 4), u"Full");

    // A value outside its list shows the text at the computed id (offset 30 for 9).
    r.editSettings().Frequency = QStringLiteral("9");
    g.ShowALogSettings(r, strings);
    EXPECT_EQ(g.text(6, 1), u"Detect");

    // An empty record: choices show their first text, VIDEO takes layout B with "On".
    SettingsGridModel empty;
    empty.ShowALogSettings(DFDRecord{}, strings);
    EXPECT_EQ(empty.text(6, 1), QString());  // FrequencyText empty, not "N/A"
    EXPECT_EQ(empty.text(6, 2), u"-Ve HW");
    EXPECT_EQ(empty.text(empty.rowCount() - 2, 1), u"Contrast");
    EXPECT_EQ(empty.text(empty.rowCount() - 1, 1), u"On");
}

TEST(SettingsGrid, HeaderAfterInitAndColumnWidths)
{
    FakeStrings strings;
    SettingsGridModel g;
    g.InitSettingsGrid(strings);
    expectGrid(g, kHeader);
    strings.table.remove(171);  // a failing lookup leaves the text out, not the grid
    g.InitSettingsGrid(strings);
    EXPECT_EQ(g.text(0, 0), u"Menu");
    EXPECT_EQ(g.text(0, 2), u"2");
    EXPECT_EQ(SettingsGridModel::columnWidthTwips(0, 5000), 700);
    EXPECT_EQ(SettingsGridModel::columnWidthTwips(1, 5000), 1025);
    EXPECT_EQ(SettingsGridModel::columnWidthTwips(4, 5002), 1026);  // 1025.5: half to even
}

TEST(SettingsGrid, TableModelStyles)
{
    const FakeStrings strings;
    SettingsGridTableModel m;
    m.ShowALogSettings(sampleALog(), strings);
    ASSERT_EQ(m.rowCount(), 29);
    ASSERT_EQ(m.columnCount(), 5);
    EXPECT_EQ(m.data(m.index(9, 0)).toString(), u"GATE 1");
    EXPECT_EQ(m.data(m.index(9, 3), Qt::BackgroundRole).value<QColor>(), QColor(200, 200, 200));
    EXPECT_EQ(m.data(m.index(9, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_FALSE(m.data(m.index(9, 1), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(m.data(m.index(10, 1), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(m.data(m.index(0, 1), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(m.data(m.index(2, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    EXPECT_FALSE(m.data(m.index(2, 0), Qt::TextAlignmentRole).isValid());
}

TEST(SettingsGrid, RecordOfTheStoreByIndex)
{
    const FakeStrings strings;
    tovu::items::ItemStore store;
    store.WorkItems[4] = sampleALog();
    SettingsGridModel g;
    EXPECT_TRUE(g.ShowALogSettings(store, 4, strings));
    EXPECT_EQ(g.rowCount(), 29);
    EXPECT_FALSE(g.ShowALogSettings(store, -1, strings));
    EXPECT_FALSE(g.ShowALogSettings(store, static_cast<int>(store.WorkItems.size()), strings));
    expectGrid(g, kHeader);
}
