#include "InstrumentState.h"

#include "ModelTable.h"
#include "ParameterTable.h"
#include "SignalModel.h"
#include "SimText.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace tovu::sim {

std::string Settings::value(const std::string& code) const {
  const auto it = values.find(code);
  return it == values.end() ? std::string() : it->second;
}

double InstrumentState::firmwareFigure() const {
  const std::string token = firmware.substr(0, firmware.find(' '));
  const auto digit = token.find_first_of("0123456789.");
  return digit == std::string::npos ? 0.0 : numberOf(token.substr(digit));
}

Settings defaultSettings(int model) {
  Settings s;
  for (const auto& p : parameterTable())
    if (modelHasFeature(model, p.feature)) s.values[p.code] = p.initial;
  return s;
}

namespace {

// Reproducible across platforms, unlike the standard distributions.
class SeedRandom {
 public:
  explicit SeedRandom(unsigned seed) : state_(seed * 747796405u + 2891336453u) {}
  unsigned below(unsigned n) {
    state_ = state_ * 1664525u + 1013904223u;
    return n == 0 ? 0 : (state_ >> 8) % n;
  }
  bool chance(unsigned percent) { return below(100) < percent; }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) { return items[below(N)]; }

 private:
  unsigned state_;
};

std::string stampText(long long secondsSinceEpoch) {
  using namespace std::chrono;
  const sys_seconds t{seconds{secondsSinceEpoch}};
  const auto day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss hms{t - day};
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02u/%02u/%04d %02d:%02d:%02d", unsigned(ymd.day()),
                unsigned(ymd.month()), int(ymd.year()), int(hms.hours().count()),
                int(hms.minutes().count()), int(hms.seconds().count()));
  return buffer;
}

const char* const kLabels[] = {"WELD 12", "PIPE-A", "FLANGE", "NOZ 3", "BASE", "T-JOINT", "PLATE 7", "ROOT"};
const char* const kOperators[] = {"J. HALVERSEN", "M. OKAFOR", "S. LINDQVIST", "R. DUARTE", "K. MAREK"};
const char* const kLocations[] = {"PIPE RACK 4", "TANK 2 SHELL", "BOILER DRUM", "BRIDGE GIRDER 9", "SITE B BAY 3"};
const char* const kProbes[] = {"MSEB4 4MHZ 0DEG", "WB45 2MHZ 45DEG", "SEB2 2MHZ TWIN", "MWB70 4MHZ 70DEG"};
const char* const kNotes[] = {"Root scan, no indications above reference.",
                              "Lamination check before cutting.",
                              "Indication at 2nd leg, recorded for review.",
                              "Calibrated on V1 block, couplant gel.",
                              "Re-examined after weld repair."};

StoredItem seededItem(int model, bool gainPoints, SeedRandom& rng, int location, bool alog,
                      unsigned seed) {
  StoredItem item;
  Settings& s = item.settings;
  s = defaultSettings(model);
  s.values.erase("FP");  // the screen's state is not stored
  const double ranges[] = {25.0, 50.0, 100.0, 200.0, 250.0};
  const double range = rng.pick(ranges);
  const double gain = 20.0 + 0.5 * rng.below(81);
  const double gainRef = gain - rng.below(13);
  const double thickness = range * (0.3 + rng.below(60) / 100.0);
  const char* const velocities[] = {"5920", "3240", "6320", "2730"};
  s.values["RG"] = fixedNumber(range, 1);
  s.values["TD"] = rng.chance(70) ? "0.0" : fixedNumber(rng.below(50) / 10.0, 1);
  s.values["VL"] = rng.pick(velocities);
  s.values["PZ"] = fixedNumber(rng.below(30) / 100.0, 2);
  s.values["GN"] = fixedNumber(gain, 1);
  s.values["GR"] = fixedNumber(gainRef, 1);
  s.values["FR"] = std::to_string(rng.below(6));
  s.values["DT"] = std::to_string(rng.below(4));
  s.values["RJ"] = std::to_string(rng.below(4) * 5);
  s.values["PD"] = std::to_string(rng.below(4));
  s.values["PF"] = std::to_string(rng.below(6));
  s.values["TH"] = fixedNumber(thickness, 1);
  s.values["GA"] = rng.chance(85) ? "1" : "0";
  s.values["SA"] = fixedNumber(range * (0.1 + rng.below(30) / 100.0), 1);
  s.values["WA"] = fixedNumber(range * 0.3, 1);
  s.values["LA"] = std::to_string(20 + rng.below(61));
  s.values["GB"] = std::to_string(rng.below(3));
  s.values["SB"] = fixedNumber(range * 0.6, 1);
  s.values["WB"] = fixedNumber(range * 0.2, 1);
  s.values["LB"] = std::to_string(20 + rng.below(61));
  s.values["MM"] = std::to_string(rng.below(5));
  s.values["HD"] = std::to_string(rng.below(3));
  const char* const angles[] = {"0.0", "45.0", "60.0", "70.0"};
  s.values["AG"] = rng.pick(angles);
  s.values["GT"] = std::to_string(rng.below(6));
  if (rng.chance(35)) {  // DAC recorded at falling heights along the screen
    const int count = 2 + static_cast<int>(rng.below(5));
    double height = 80.0;
    for (int k = 0; k < count; ++k) {
      const int x = 20 + k * (200 / count) + static_cast<int>(rng.below(10));
      const std::string y = gainPoints ? fixedNumber(gainRef + 20.0 * std::log10(80.0 / height), 1)
                                       : shortNumber(height);
      s.dacPoints.emplace_back(std::to_string(x), y);
      height = std::round(height * (0.55 + rng.below(30) / 100.0));
    }
    s.values["DM"] = "1";
    s.values["CV"] = std::to_string(rng.below(7));
    s.values["DD"] = fixedNumber(rng.below(60) / 10.0, 1);
    s.values["DR"] = fixedNumber(rng.below(120) / 10.0, 1);
    s.values["DB"] = fixedNumber(gainRef, 1);
  }
  if (model >= kFirstModelWithTcg && rng.chance(25)) {
    const int count = 2 + static_cast<int>(rng.below(4));
    double db = rng.below(6);
    for (int k = 0; k < count; ++k) {
      s.tcgPoints.emplace_back(std::to_string(15 + k * (220 / count)), fixedNumber(db, 1));
      db += 2.0 + rng.below(80) / 10.0;
    }
    s.values["YM"] = "1";
    s.values["YS"] = "1";
    s.values["YD"] = fixedNumber(db, 1);
    s.values["YR"] = fixedNumber(rng.below(20) / 10.0, 1);
  }
  if (rng.chance(15)) {
    s.values["EN"] = "5";
    s.values["EK"] = fixedNumber(2.0 + rng.below(40) / 10.0, 1);
    s.values["EL"] = fixedNumber(1.0 + rng.below(5), 1);
    s.values["EC"] = fixedNumber(rng.below(200) / 10.0, 1);
    s.values["EB"] = fixedNumber(rng.below(40) / 10.0, 1);
  }
  if (model >= kFirstModelWithTcg && rng.chance(20)) {
    s.values["SF"] = "1";
    s.values["SE"] = std::to_string(40 + rng.below(50));
  }
  s.values["NL"] = rng.pick(kLabels);
  if (rng.chance(80)) s.values["NO"] = rng.pick(kOperators);
  if (rng.chance(80)) s.values["NC"] = rng.pick(kLocations);
  if (rng.chance(70)) s.values["NP"] = rng.pick(kProbes);
  if (rng.chance(60)) s.values["NN"] = rng.pick(kNotes);
  // A few days apart, in working hours of early 2025.
  item.timeStamp = stampText(1738396800LL + location * 97200LL + rng.below(28800));
  if (alog) {
    item.trace = traceFor(s, seed * 10007u + static_cast<unsigned>(location));
    const auto [distance, peak] = gateReading(s, *item.trace);
    s.values["CD"] = distance;
    s.values["SH"] = peak;
  }
  return item;
}

void seedLocations(std::map<int, StoredItem>& memory, int count, int model, bool gainPoints,
                   SeedRandom& rng, bool alog, unsigned seed) {
  for (int n = 1; n <= count; ++n) {
    const unsigned percent = n <= 20 ? 40 : (n <= 100 ? 30 : (n <= 800 ? 4 : 0));
    if (n == 1 || rng.chance(percent)) memory[n] = seededItem(model, gainPoints, rng, n, alog, seed);
  }
  // A large memory also holds a few items far beyond the first banks, the last location among them.
  if (count > 800) {
    for (int n : {801, 1234, 5000, 9999, count})
      memory[n] = seededItem(model, gainPoints, rng, n, alog, seed);
  }
}

void seedThickness(std::vector<ThicknessReading>& log, SeedRandom& rng) {
  for (int block = 1; block <= 14; ++block) {
    if (block > 3 && !rng.chance(25)) continue;
    const int locations = 1 + static_cast<int>(rng.below(8));
    const int numbers = 1 + static_cast<int>(rng.below(3));
    for (int location = 1; location <= locations; ++location) {
      if (location > 1 && rng.chance(15)) continue;  // a location the operator skipped
      for (int number = 1; number <= numbers; ++number)
        log.push_back({block, location, number, "0", "5920", fixedNumber(5.0 + rng.below(200) / 10.0, 1)});
    }
  }
}

}  // namespace

InstrumentState makeInstrument(const InstrumentSetup& setup) {
  InstrumentState st;
  st.model = (setup.model >= 0 && setup.model < kModelCount) ? setup.model : 0;
  st.generation = memoryGeneration(st.model);
  st.maxPanels = panelCount(st.generation);
  st.maxALogs = alogCount(st.generation);
  SeedRandom rng(setup.seed);
  char serial[16];
  std::snprintf(serial, sizeof serial, "%05u", 10000 + rng.below(90000));
  st.identification = modelName(st.model) + " SN " + serial;
  static const char* const kFirmware[] = {"V2.05 03/02/2001", "V3.10 12/05/2006", "V3.52 21/10/2009"};
  st.firmware = !setup.firmware.empty() ? setup.firmware
                : st.model == 11        ? "V1.05 11/09/1999"
                                        : kFirmware[st.generation];
  st.secondFirmware = !setup.secondFirmware.empty() ? setup.secondFirmware
                      : st.generation >= 1          ? "V3.02 12/05/2006"
                                                    : "";
  st.program = "FLAWSCAN MAIN";
  st.hasPrivileges = setup.privileges.value_or(st.generation >= 1);
  st.live = defaultSettings(st.model);
  if (setup.seedMemory) {
    const bool gainPoints = st.firmwareFigure() >= 3.0;
    seedLocations(st.panels, st.maxPanels, st.model, gainPoints, rng, false, setup.seed);
    seedLocations(st.alogs, st.maxALogs, st.model, gainPoints, rng, true, setup.seed);
    seedThickness(st.thickness, rng);
    if (st.hasPrivileges) {
      st.panelLimit = 5;
      st.alogLimit = 20;
    }
  }
  return st;
}

}  // namespace tovu::sim
