#include "app/items/ItemStore.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tovu::items;

namespace {

void fillEverything(DFDRecord& r)
{
    r.ModelIndex = 12;
    r.DataVersion = 3;
    r.InUse = r.DacPresent = r.TcgPresent = r.WaveformPresent = true;
    r.DacCurvePresent = r.AvgCurvePresent = r.TcgCurvePresent = true;
    RecordSettings& s = r.editSettings();
    s.IdentText = "ID";
    s.SlotText = "7";
    s.TimeStamp = "01/02/2024 10:00";
    s.Range = "100";
    s.UZ = "uz";
    s.UU = "uu";
    s.FrequencyText = "N/A";
    s.Volts = "1";
    s.Distance = "12.5";
    s.Peak = "80";
    s.DH = "dh";
    s.HM = "hm";
    s.DB = "db";
    s.EF = "ef";
    s.EJ = "ej";
    s.EP = "ep";
    s.EQ = "eq";
    s.ER = "er";
    s.ES = "es";
    s.EH = "eh";
    s.DisplayType = "2";
    s.AgcHeight = "50";
    s.Output2 = "3";
    s.NoteLabel = "LBL";
    s.Memo = "memo";
    for (auto& g : s.Gates)
        g = Gate{"1", "2", "3", "4"};
    s.DacX[1] = "10";
    s.TcgY[10] = "5";
    RecordCurves& c = r.editCurves();
    c.WaveMin[3] = 7;
    c.DacCurveB[255] = -1;
    c.TcgCurve[0] = 9;
}

} // namespace

TEST(ItemStore, StartsWithTheLargestMemoryAtGenerationZero)
{
    ItemStore store;
    EXPECT_EQ(store.MemoryGeneration, 0);
    EXPECT_EQ(store.MaxPanels, 100);
    EXPECT_EQ(store.MaxALogs, 10000);
    EXPECT_EQ(store.WorkItems.size(), 10101u);
    EXPECT_EQ(store.Panels.size(), 101u);
    EXPECT_EQ(store.ALogs.size(), 10001u);
    EXPECT_EQ(store.PanelOccupied.size(), 101u);
    EXPECT_EQ(store.ALogOccupied.size(), 10001u);
    EXPECT_FALSE(store.LiveSettingsShown);
    EXPECT_EQ(store.ModelNames[35], "VELTRIS  140");
    EXPECT_EQ(store.ThicknessCount, 0);
    // Fresh records hold nothing, and allocate nothing.
    EXPECT_EQ(store.WorkItems[5], DFDRecord{});
    EXPECT_FALSE(store.WorkItems[5].holdsSettings());
    EXPECT_TRUE(store.WorkItems[5].settings().NoteLabel.isEmpty());
}

TEST(ItemStore, GenerationOfModelCode)
{
    const struct { int code; int gen; } cases[] = {
        {-1, 0}, {0, 0}, {18, 0}, {19, 1}, {35, 1}, {36, 2}, {42, 2}, {43, 2}, {500, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(MemoryGenerationOfModel(c.code), c.gen) << c.code;
}

TEST(ItemStore, RecreatesEmptyArraysOnlyWhenTheGenerationChanges)
{
    const struct { int gen; std::size_t panels, alogs; } cases[] = {
        {1, 100, 800}, {2, 100, 10000}, {0, 20, 100}};
    ItemStore store;
    for (const auto& c : cases) {
        fillEverything(store.ALogs[1]);
        fillEverything(store.Panels[1]);
        fillEverything(store.WorkItems[1]);
        EXPECT_TRUE(store.ApplyMemoryGeneration(c.gen));
        EXPECT_EQ(store.MemoryGeneration, c.gen);
        EXPECT_EQ(static_cast<std::size_t>(store.MaxPanels), c.panels);
        EXPECT_EQ(static_cast<std::size_t>(store.MaxALogs), c.alogs);
        EXPECT_EQ(store.Panels.size(), c.panels + 1);
        EXPECT_EQ(store.ALogs.size(), c.alogs + 1);
        EXPECT_EQ(store.WorkItems.size(), c.panels + c.alogs + 1);
        EXPECT_EQ(store.ALogs[1], DFDRecord{});
        EXPECT_EQ(store.Panels[1], DFDRecord{});
        EXPECT_EQ(store.WorkItems[1], DFDRecord{});
    }
    // Same generation: the held items stay.
    fillEverything(store.ALogs[2]);
    EXPECT_FALSE(store.ApplyMemoryGeneration(0));
    EXPECT_EQ(store.ALogs[2].settings().IdentText, "ID");
    EXPECT_EQ(store.MaxALogs, 100);
}

TEST(ItemStore, GenerationZeroAtStartKeepsTheStartSizes)
{
    ItemStore store;
    EXPECT_FALSE(store.ApplyMemoryGeneration(MemoryGenerationOfModel(4)));
    EXPECT_EQ(store.MaxALogs, 10000);
    EXPECT_EQ(store.WorkItems.size(), 10101u);
}

TEST(ItemStore, ClearResetsExactlyTheResetFields)
{
    ItemStore store;
    fillEverything(store.WorkItems[3]);
    store.ClearDFDRecord(3);
    const DFDRecord& r = store.WorkItems[3];
    const RecordSettings& s = r.settings();

    EXPECT_FALSE(r.InUse || r.DacPresent || r.TcgPresent || r.WaveformPresent
                 || r.DacCurvePresent || r.AvgCurvePresent || r.TcgCurvePresent);
    EXPECT_EQ(r.DataVersion, 0);
    EXPECT_EQ(r.curves(), RecordCurves{});
    EXPECT_TRUE(s.DacX[1].isEmpty());
    EXPECT_TRUE(s.TcgY[10].isEmpty());
    for (int g = 0; g < 3; ++g)
        EXPECT_EQ(s.Gates[g], Gate{}) << g;
    for (const QString* note : {&s.NoteLabel, &s.NoteOperator, &s.NoteLocation, &s.NoteProbe,
                                &s.NoteText, &s.Memo})
        EXPECT_EQ(*note, " ");
    EXPECT_TRUE(s.Range.isEmpty());
    EXPECT_TRUE(s.AgcHeight.isEmpty());
    EXPECT_TRUE(s.Output2.isEmpty());

    // Left for whoever fills the record next.
    EXPECT_EQ(r.ModelIndex, 12);
    const struct { const QString& field; const char* value; } kept[] = {
        {s.IdentText, "ID"}, {s.SlotText, "7"}, {s.TimeStamp, "01/02/2024 10:00"},
        {s.UZ, "uz"}, {s.UU, "uu"}, {s.FrequencyText, "N/A"}, {s.Volts, "1"},
        {s.Distance, "12.5"}, {s.Peak, "80"}, {s.DH, "dh"}, {s.HM, "hm"}, {s.DB, "db"},
        {s.EF, "ef"}, {s.EJ, "ej"}, {s.EP, "ep"}, {s.EQ, "eq"}, {s.ER, "er"}, {s.ES, "es"},
        {s.EH, "eh"}, {s.DisplayType, "2"}, {s.Gates[3].Level, "4"}};
    for (const auto& k : kept)
        EXPECT_EQ(k.field, k.value);
}

TEST(ItemStore, ClearOutsideTheArrayThrows)
{
    ItemStore store;
    store.RecreateArrays(0);
    EXPECT_NO_THROW(store.ClearDFDRecord(0));
    EXPECT_NO_THROW(store.ClearDFDRecord(120));
    EXPECT_THROW(store.ClearDFDRecord(121), std::out_of_range);
    EXPECT_THROW(store.ClearDFDRecord(-1), std::out_of_range);
}

TEST(ItemStore, RecordsAreIndependentCopies)
{
    ItemStore store;
    fillEverything(store.ALogs[1]);
    store.WorkItems[1] = store.ALogs[1];
    store.WorkItems[1].editSettings().Range = "changed";
    store.WorkItems[1].editCurves().WaveMin[3] = 99;
    EXPECT_EQ(store.ALogs[1].settings().Range, "100");
    EXPECT_EQ(store.ALogs[1].curves().WaveMin[3], 7);
}

TEST(ItemStore, ClearedRecordsWithNothingKeptShareOneBlock)
{
    ItemStore store;
    store.ClearDFDRecord(1);  // fresh record
    EXPECT_FALSE(store.WorkItems[1].holdsSettings());
    EXPECT_EQ(store.WorkItems[1].settings().NoteProbe, " ");
    EXPECT_EQ(store.WorkItems[1].settings().Memo, " ");

    // Editing starts from the cleared texts, not from empty ones.
    store.WorkItems[1].editSettings().Range = "50";
    EXPECT_EQ(store.WorkItems[1].settings().NoteLabel, " ");
    store.ClearDFDRecord(1);
    EXPECT_FALSE(store.WorkItems[1].holdsSettings());
    EXPECT_TRUE(store.WorkItems[1].settings().Range.isEmpty());

    // A kept text keeps the record's own block.
    store.WorkItems[2].editSettings().IdentText = "ID";
    store.WorkItems[2].editSettings().Gain = "3";
    store.ClearDFDRecord(2);
    EXPECT_TRUE(store.WorkItems[2].holdsSettings());
    EXPECT_EQ(store.WorkItems[2].settings().IdentText, "ID");
    EXPECT_TRUE(store.WorkItems[2].settings().Gain.isEmpty());
    EXPECT_EQ(store.WorkItems[2].settings().NoteText, " ");

    // Copies of a shared record are equal to a record cleared the long way.
    DFDRecord copy = store.WorkItems[1];
    DFDRecord explicitBlank;
    RecordSettings& s = explicitBlank.editSettings();
    s.NoteLabel = s.NoteOperator = s.NoteLocation = s.NoteProbe = s.NoteText = s.Memo = " ";
    EXPECT_EQ(copy, explicitBlank);
    EXPECT_FALSE(copy == DFDRecord{});
}
