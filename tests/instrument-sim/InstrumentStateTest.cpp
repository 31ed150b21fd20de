// Models, generations and the seeded memory of a fresh simulated instrument.

#include "instrument-sim/InstrumentState.h"
#include "instrument-sim/ModelTable.h"
#include "instrument-sim/SimText.h"

#include <gtest/gtest.h>

#include <set>

namespace tovu::sim {
namespace {

TEST(ModelTable, GenerationAndMemoryFollowTheCode) {
  struct Case { int model; int generation; int panels; int alogs; };
  for (const Case c : {Case{0, 0, 20, 100}, Case{18, 0, 20, 100}, Case{19, 1, 100, 800}, Case{35, 1, 100, 800},
                       Case{36, 2, 100, 10000}, Case{42, 2, 100, 10000}}) {
    SCOPED_TRACE(c.model);
    const InstrumentState st = makeInstrument({c.model, 1, false, {}, {}, {}});
    EXPECT_EQ(st.generation, c.generation);
    EXPECT_EQ(st.maxPanels, c.panels);
    EXPECT_EQ(st.maxALogs, c.alogs);
  }
}

TEST(ModelTable, ModelsByCodeOrName) {
  EXPECT_EQ(modelFromText("21"), 21);
  EXPECT_EQ(modelFromText("veltris 150"), 21);
  EXPECT_EQ(modelFromText("TOLVANE 125"), 7) << "the first of two codes with one name";
  EXPECT_EQ(modelFromText("VELTRIS  140"), 35);
  EXPECT_EQ(modelFromText("VELTRIS 140"), 11);
  EXPECT_EQ(modelFromText("0"), 0);
  EXPECT_FALSE(modelFromText("43"));
  EXPECT_FALSE(modelFromText("-1"));
  EXPECT_FALSE(modelFromText("VELTRIS"));
  EXPECT_EQ(modelName(35), "VELTRIS  140");
  EXPECT_EQ(modelName(99), "UNKNOWN MODEL");
}

TEST(SeededMemory, IsReproducibleAndVaried) {
  const InstrumentSetup setup{21, 7, true, {}, {}, {}};
  const InstrumentState a = makeInstrument(setup);
  const InstrumentState b = makeInstrument(setup);
  EXPECT_EQ(a.panels, b.panels);
  EXPECT_EQ(a.alogs, b.alogs);
  EXPECT_EQ(a.identification, b.identification);
  InstrumentSetup other = setup;
  other.seed = 8;
  EXPECT_NE(makeInstrument(other).panels, a.panels);

  ASSERT_TRUE(a.panels.count(1)) << "the first location is always in use";
  EXPECT_GT(a.panels.size(), 3u);
  EXPECT_LT(a.panels.size(), static_cast<std::size_t>(a.maxPanels / 2)) << "and many are empty";
  std::set<std::string> gains, labels;
  int withDac = 0, withTcg = 0, withAvg = 0, withNotes = 0;
  for (const auto& [n, item] : a.alogs) {
    ASSERT_TRUE(item.trace) << n;
    EXPECT_FALSE(item.timeStamp.empty());
    gains.insert(item.settings.value("GN"));
    labels.insert(item.settings.value("NL"));
    withDac += !item.settings.dacPoints.empty();
    withTcg += !item.settings.tcgPoints.empty();
    withAvg += item.settings.value("EN") == "5";
    withNotes += !item.settings.value("NN").empty();
    EXPECT_EQ(item.settings.value("DM") == "1", !item.settings.dacPoints.empty());
  }
  for (const auto& [n, item] : a.panels) EXPECT_FALSE(item.trace) << n;
  EXPECT_GT(gains.size(), 5u);
  EXPECT_GT(labels.size(), 3u);
  EXPECT_GT(withDac, 0);
  EXPECT_GT(withTcg, 0);
  EXPECT_GT(withAvg, 0);
  EXPECT_GT(withNotes, 0);
  EXPECT_FALSE(a.thickness.empty());
  EXPECT_EQ(a.panelLimit, 5);
}

TEST(SeededMemory, DacPointsFollowTheFirmware) {
  // Firmware 2 keeps heights (at most the 80 % reference), firmware 3 gains (at least the reference gain).
  for (int model : {3, 21}) {
    const InstrumentState st = makeInstrument({model, 3, true, {}, {}, {}});
    int points = 0;
    for (const auto* memory : {&st.panels, &st.alogs})
      for (const auto& [n, item] : *memory)
        for (const auto& [x, y] : item.settings.dacPoints) {
          ++points;
          if (model == 3) EXPECT_LE(numberOf(y), 80.0);
          else EXPECT_GE(numberOf(y), numberOf(item.settings.value("GR")) - 1e-9);
        }
    EXPECT_GT(points, 0) << model;
  }
}

TEST(SeededMemory, FillsEveryGenerationAndStaysWithinIt) {
  for (int model : {3, 21, 38}) {
    const InstrumentState st = makeInstrument({model, 1, true, {}, {}, {}});
    ASSERT_FALSE(st.alogs.empty());
    EXPECT_LE(st.panels.rbegin()->first, st.maxPanels);
    EXPECT_LE(st.alogs.rbegin()->first, st.maxALogs);
    if (model == 38) {
      EXPECT_TRUE(st.alogs.count(10000)) << "the last location of a large memory";
      EXPECT_TRUE(st.alogs.count(5000));
    }
    if (model < 11) {
      for (const auto& [n, item] : st.alogs) EXPECT_FALSE(item.settings.values.count("YM"));
    }
  }
  const InstrumentState empty = makeInstrument({21, 1, false, {}, {}, {}});
  EXPECT_TRUE(empty.panels.empty());
  EXPECT_TRUE(empty.alogs.empty());
  EXPECT_TRUE(empty.thickness.empty());
}

TEST(SeededMemory, OverridesOfFirmwareAndPrivileges) {
  InstrumentSetup s{21, 1, false, "V2.40 01/01/2004", "V2.10", false};
  const InstrumentState st = makeInstrument(s);
  EXPECT_EQ(st.firmware, "V2.40 01/01/2004");
  EXPECT_DOUBLE_EQ(st.firmwareFigure(), 2.4);
  EXPECT_EQ(st.secondFirmware, "V2.10");
  EXPECT_FALSE(st.hasPrivileges);
  s.model = 3;
  s.privileges = true;
  EXPECT_TRUE(makeInstrument(s).hasPrivileges);
}

}  // namespace
}  // namespace tovu::sim
