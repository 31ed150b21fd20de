#pragma once
// Everything that shapes one simulated instrument, and the command line that sets it.

#include "FaultPlan.h"
#include "InstrumentState.h"
#include "ProtocolEngine.h"

#include <optional>
#include <string>
#include <vector>

namespace tovu::sim {

// What the instrument does with bytes that arrive at another rate than its own.
enum class MismatchMode { Silence, Garbage };

struct SimOptions {
  InstrumentSetup instrument;
  ProtocolOptions protocol;
  int baud = 115200;
  MismatchMode mismatch = MismatchMode::Silence;
  bool paceAtBaud = false;  // 10 bit times per byte both ways, as on a real line
  double timeScale = 1.0;   // factor on the instrument's own waits (not on the bit times)
  double replyDelayMs = 0;  // before every reply
  std::vector<FaultRule> faults;
  std::string linkPath;  // a symbolic link to the slave device, made at start, removed at stop
  std::string logPath;   // transcript written here as it happens
  bool quiet = false;
};

// Parses the program's arguments (without the program name). Nothing, with a reason,
// when an argument is unknown or malformed; "--help" gives nothing and an empty reason.
std::optional<SimOptions> parseArguments(const std::vector<std::string>& args, std::string* error);
std::string usageText();

}  // namespace tovu::sim
