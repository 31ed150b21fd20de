#pragma once
// What the simulated instrument remembers: its identity, its live settings, its panel and
// ALog memory, privileges and thickness log. Plain values, so a test can copy a snapshot
// and compare it, or edit one before the simulator starts.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovu::sim {

using PointList = std::vector<std::pair<std::string, std::string>>;  // x, y as texts

struct Settings {
  std::map<std::string, std::string> values;  // two-letter code -> text as answered
  PointList dacPoints;
  PointList tcgPoints;

  std::string value(const std::string& code) const;
  bool operator==(const Settings&) const = default;
};

struct Trace {
  std::array<std::int16_t, 256> min{};
  std::array<std::int16_t, 256> max{};
  bool operator==(const Trace&) const = default;
};

// One occupied panel or ALog location. Panels carry no trace.
struct StoredItem {
  Settings settings;
  std::optional<Trace> trace;
  std::string timeStamp;
  bool operator==(const StoredItem&) const = default;
};

struct ThicknessReading {
  int block = 1;
  int location = 1;
  int number = 1;
  std::string zero = "0";
  std::string velocity = "5920";
  std::string thickness;
};

enum class MemoryAction { None, Store, Recall, Delete };

struct InstrumentState {
  int model = 21;
  int generation = 1;
  int maxPanels = 100;
  int maxALogs = 800;
  std::string identification;  // the "AMD" reply: model name and serial number
  std::string firmware;        // the "AMF" value, first token the version
  std::string secondFirmware;  // the "RMF" value of banked instruments
  std::string program;         // the "AME" value

  bool remote = false;
  Settings live;
  std::optional<Trace> shownTrace;  // the trace of a recalled ALog while it is on screen
  std::string shownTimeStamp;       // its time stamp

  std::map<int, StoredItem> panels;  // location -> item, occupied locations only
  std::map<int, StoredItem> alogs;
  int selectedPanel = 1;
  int selectedALog = 1;
  MemoryAction pendingPanel = MemoryAction::None;
  MemoryAction pendingALog = MemoryAction::None;
  std::optional<Trace> uploadedTrace;  // "AWS" data waiting for the ALog store

  bool hasPrivileges = true;
  int panelLimit = 0;
  int alogLimit = 0;
  int privilegeLevel = 10;

  int thicknessBlock = 1;
  std::vector<ThicknessReading> thickness;

  double firmwareFigure() const;  // number of the first token of `firmware`
};

// Choices that shape a fresh instrument.
struct InstrumentSetup {
  int model = 21;
  unsigned seed = 1;
  bool seedMemory = true;          // some occupied locations with varied contents
  std::string firmware;            // empty: by generation (model 11: a 1.x version)
  std::string secondFirmware;      // empty: by generation
  std::optional<bool> privileges;  // unset: banked instruments have them
};

InstrumentState makeInstrument(const InstrumentSetup& setup);

// The settings of a fresh instrument of that model: every code at its initial value, or
// absent where the model lacks the setting.
Settings defaultSettings(int model);

}  // namespace tovu::sim
