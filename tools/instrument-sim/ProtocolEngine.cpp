#include "ProtocolEngine.h"

#include "ParameterTable.h"
#include "SignalModel.h"
#include "SimText.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>

namespace tovu::sim {

namespace {

Reply status(char code) { return {{std::string(1, code) + "\r", 0}}; }
Reply line(const std::string& text, double pauseMs = 0) { return {{text + "\r", pauseMs}}; }

template <typename Array>
std::string joinPairs(const Array& a, const Array& b) {
  std::string out;
  for (std::size_t i = 0; i < a.size(); ++i) out += "," + std::to_string(a[i]) + "," + std::to_string(b[i]);
  return out;
}

std::string joinPoints(const PointList& points) {
  std::string out;
  for (const auto& [x, y] : points) out += "," + x + "," + y;
  return out;
}

// Values the instrument shows for its frequency choices.
const char* const kFrequencyText[] = {"1.0", "2.25", "5.0", "10.0", "15.0", "WIDE"};

}  // namespace

ProtocolEngine::ProtocolEngine(InstrumentState& state, const ProtocolOptions& options)
    : st_(state), opt_(options) {}

Reply ProtocolEngine::handle(const std::string& text) {
  std::string cmdLine = text;
  while (!cmdLine.empty() && (cmdLine.back() == '\n' || cmdLine.back() == '\0')) cmdLine.pop_back();
  while (!cmdLine.empty() && (cmdLine.front() == '\n' || cmdLine.front() == '\0')) cmdLine.erase(0, 1);
  if (cmdLine.empty()) return {};
  if (cmdLine.size() < 3) return status(kNak);
  const std::string command = cmdLine.substr(0, 3);
  const std::string arg = cmdLine.substr(3);

  if (command == "ARM" || command == "ALM") {
    st_.remote = command == "ARM";
    return status(kAck);
  }
  if (opt_.requireRemote && !st_.remote) return status(kNak);

  static const std::map<std::string, Handler> kCommands = {
      {"AMD", &ProtocolEngine::identification}, {"AMF", &ProtocolEngine::firmware},
      {"RMF", &ProtocolEngine::secondFirmware}, {"AME", &ProtocolEngine::program},
      {"APL", &ProtocolEngine::locationList},   {"AWL", &ProtocolEngine::locationList},
      {"WPS", &ProtocolEngine::selectLocation}, {"WAS", &ProtocolEngine::selectLocation},
      {"RST", &ProtocolEngine::locationState},  {"RAT", &ProtocolEngine::locationState},
      {"WSM", &ProtocolEngine::memoryAction},   {"WAM", &ProtocolEngine::memoryAction},
      {"ADP", &ProtocolEngine::completeAction}, {"ADA", &ProtocolEngine::completeAction},
      {"WFP", &ProtocolEngine::freeze},         {"AWS", &ProtocolEngine::uploadTrace},
      {"AWT", &ProtocolEngine::sendTrace},      {"ADC", &ProtocolEngine::sendCurve},
      {"AAC", &ProtocolEngine::sendCurve},      {"AYC", &ProtocolEngine::sendTcgCurve},
      {"RYC", &ProtocolEngine::sendTcgCurve},   {"RRP", &ProtocolEngine::readPoints},
      {"RYP", &ProtocolEngine::readPoints},     {"WRP", &ProtocolEngine::writePoints},
      {"WYP", &ProtocolEngine::writePoints},    {"ATS", &ProtocolEngine::timeStamp},
      {"ACD", &ProtocolEngine::reading},        {"ASH", &ProtocolEngine::reading},
      {"ARD", &ProtocolEngine::units},          {"RAR", &ProtocolEngine::readPrivilege},
      {"RSR", &ProtocolEngine::readPrivilege},  {"RZZ", &ProtocolEngine::readPrivilege},
      {"WAR", &ProtocolEngine::writePrivilege}, {"WSR", &ProtocolEngine::writePrivilege},
      {"WZZ", &ProtocolEngine::writePrivilege}, {"WRT", &ProtocolEngine::writeYT},
      {"WTL", &ProtocolEngine::thicknessMode},  {"WTB", &ProtocolEngine::thicknessBlock},
      {"ATT", &ProtocolEngine::thicknessLog},
  };
  if (const auto it = kCommands.find(command); it != kCommands.end()) return (this->*it->second)(command, arg);
  if (command[0] == 'R' && findParameter(command.substr(1))) return read(command.substr(1), command);
  if (command[0] == 'W' && findParameter(command.substr(1))) return write(command.substr(1), arg);
  return status(kNak);
}

Reply ProtocolEngine::data(const std::string& command, const std::string& code, const std::string& value) const {
  return line((opt_.echo == EchoStyle::Command ? command : code) + "," + value);
}

bool ProtocolEngine::isPanel(const std::string& command) const {
  return command == "WPS" || command == "RST" || command == "WSM" || command == "ADP" || command == "APL";
}

std::string ProtocolEngine::now() const {
  if (!opt_.fixedClock.empty()) return opt_.fixedClock;
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%d/%m/%Y %H:%M:%S", &local);
  return buffer;
}

Reply ProtocolEngine::read(const std::string& code, const std::string& command) {
  const ParameterInfo* p = findParameter(code);
  const auto it = st_.live.values.find(code);
  if (it == st_.live.values.end()) return status(kNotAvailable);
  std::string value = it->second;
  if (code == "FS") {
    const int choice = static_cast<int>(numberOf(st_.live.value("FR")));
    value = (choice >= 0 && choice < 6) ? kFrequencyText[choice] : "0.0";
  }
  if (p->kind == ValueKind::Text) value.resize(p->limit, ' ');  // fixed-length fields
  return data(command, code, value);
}

Reply ProtocolEngine::write(const std::string& code, const std::string& arg) {
  const ParameterInfo* p = findParameter(code);
  if (!st_.live.values.count(code)) return status(kNotAvailable);
  std::string value = p->kind == ValueKind::Text ? arg : trimmed(arg);
  switch (p->kind) {
    case ValueKind::ReadOnly: return status(kNak);
    case ValueKind::Text:
      // A fixed field of blanks: trailing blanks are no part of the text.
      if (static_cast<int>(value.size()) > p->limit) value.resize(p->limit);
      value.erase(value.find_last_not_of(' ') + 1);
      break;
    case ValueKind::Choice: {
      const auto choice = intArgument(value);
      if (!choice || *choice < 0 || *choice >= p->limit) return status(kNak);
      break;
    }
    case ValueKind::Number:
      if (!isNumberText(value)) return status(kNak);
      // In RF detection the screen runs from -100 to 100 %, but levels are written on the
      // rectified scale, 50 being the baseline.
      if (opt_.rfLevelScale && code.size() == 2 && code[0] == 'L' && numberOf(st_.live.value("DT")) == 3.0)
        value = shortNumber(2.0 * numberOf(value) - 100.0);
      break;
  }
  st_.live.values[code] = value;
  return status(kAck);
}

Reply ProtocolEngine::identification(const std::string& command, const std::string&) {
  return line((opt_.echoRawReplies ? command + "," : std::string()) + st_.identification);
}

Reply ProtocolEngine::firmware(const std::string& command, const std::string&) {
  return line(command + "," + st_.firmware);
}

Reply ProtocolEngine::secondFirmware(const std::string& command, const std::string&) {
  if (st_.generation == 0 || st_.secondFirmware.empty()) return status(kNak);
  return data(command, "MF", st_.secondFirmware);
}

Reply ProtocolEngine::program(const std::string& command, const std::string&) {
  return line(command + "," + st_.program);
}

Reply ProtocolEngine::locationList(const std::string& command, const std::string&) {
  if (st_.generation == 0) return status(kNak);  // unbanked instruments are asked slot by slot
  std::string text = command;
  for (const auto& [location, item] : (command == "APL" ? st_.panels : st_.alogs)) text += "," + std::to_string(location);
  return line(text);
}

Reply ProtocolEngine::selectLocation(const std::string& command, const std::string& arg) {
  const bool panel = isPanel(command);
  const auto n = intArgument(arg);
  if (!n || *n < 0 || *n > (panel ? st_.maxPanels : st_.maxALogs)) return status(kNak);
  (panel ? st_.selectedPanel : st_.selectedALog) = *n;
  return status(kAck);
}

Reply ProtocolEngine::locationState(const std::string& command, const std::string&) {
  const bool panel = isPanel(command);
  const auto& memory = panel ? st_.panels : st_.alogs;
  const bool used = memory.count(panel ? st_.selectedPanel : st_.selectedALog) > 0;
  return data(command, command.substr(1), used ? "1" : "0");
}

Reply ProtocolEngine::memoryAction(const std::string& command, const std::string& arg) {
  const bool panel = isPanel(command);
  const int location = panel ? st_.selectedPanel : st_.selectedALog;
  const auto& memory = panel ? st_.panels : st_.alogs;
  const auto action = intArgument(arg);
  if (!action || *action < 0 || *action > 2) return status(kNak);
  const MemoryAction kind = *action == 0 ? MemoryAction::Store : (*action == 1 ? MemoryAction::Recall : MemoryAction::Delete);
  // Location 0 means the whole memory, and only deleting makes sense there.
  if (location == 0 && kind != MemoryAction::Delete) return status(kNak);
  if (kind == MemoryAction::Recall && !memory.count(location)) return status(kNak);
  (panel ? st_.pendingPanel : st_.pendingALog) = kind;
  return status(kAck);
}

Reply ProtocolEngine::completeAction(const std::string& command, const std::string&) {
  const bool panel = isPanel(command);
  MemoryAction& pending = panel ? st_.pendingPanel : st_.pendingALog;
  auto& memory = panel ? st_.panels : st_.alogs;
  const int location = panel ? st_.selectedPanel : st_.selectedALog;
  const MemoryAction action = pending;
  pending = MemoryAction::None;
  switch (action) {
    case MemoryAction::None: return status(kAck);  // nothing outstanding: done already
    case MemoryAction::Store: {
      StoredItem item;
      item.settings = st_.live;
      item.settings.values.erase("FP");  // a state of the screen, not of the item
      item.timeStamp = now();
      if (!panel) {
        item.trace = st_.uploadedTrace ? *st_.uploadedTrace : traceFor(st_.live, 0);
        const auto [distance, peak] = gateReading(item.settings, *item.trace);
        item.settings.values["CD"] = distance;
        item.settings.values["SH"] = peak;
        st_.uploadedTrace.reset();
      }
      memory[location] = std::move(item);
      break;
    }
    case MemoryAction::Recall: {
      const auto it = memory.find(location);
      if (it == memory.end()) return status(kNak);
      const std::string screen = st_.live.value("FP");
      st_.live = it->second.settings;
      st_.live.values["FP"] = screen;
      st_.shownTrace = it->second.trace;
      st_.shownTimeStamp = it->second.timeStamp;
      break;
    }
    case MemoryAction::Delete:
      if (location == 0) memory.clear();
      else memory.erase(location);
      break;
  }
  Reply reply = status(kAck);
  reply.front().pauseMs = opt_.memoryActionMs;
  return reply;
}

Reply ProtocolEngine::freeze(const std::string&, const std::string& arg) {
  Reply reply = write("FP", arg);
  if (reply.front().bytes[0] == kAck && st_.live.value("FP") == "0") st_.shownTrace.reset();
  return reply;
}

Reply ProtocolEngine::uploadTrace(const std::string&, const std::string& arg) {
  // A comma, then min and max of samples 0..254.
  if (arg.empty() || arg[0] != ',') return status(kNak);
  const auto fields = splitCommas(arg.substr(1));
  if (fields.size() != 510) return status(kNak);
  Trace trace;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto v = intArgument(fields[i]);
    if (!v || *v < -32768 || *v > 32767) return status(kNak);
    (i % 2 == 0 ? trace.min : trace.max)[i / 2] = static_cast<std::int16_t>(*v);
  }
  st_.uploadedTrace = trace;
  return status(kAck);
}

Reply ProtocolEngine::sendTrace(const std::string& command, const std::string&) {
  const Trace trace = st_.shownTrace ? *st_.shownTrace : traceFor(st_.live, 0);
  return line(command + joinPairs(trace.min, trace.max));
}

Reply ProtocolEngine::sendCurve(const std::string& command, const std::string&) {
  const CurvePair c = command == "ADC" ? dacCurve(st_.live, st_.firmwareFigure() >= 3.0) : avgCurve(st_.live);
  return line(command + joinPairs(c.a, c.b));
}

Reply ProtocolEngine::sendTcgCurve(const std::string&, const std::string&) {
  if (!st_.live.values.count("YM")) return status(kNotAvailable);
  const auto c = tcgCurve(st_.live);
  std::string text = "YC";
  for (int i = 1; i < 256; ++i) text += "," + std::to_string(c[i]);
  return line(text);
}

Reply ProtocolEngine::readPoints(const std::string& command, const std::string&) {
  const bool dac = command == "RRP";
  if (!dac && !st_.live.values.count("YM")) return status(kNotAvailable);
  const std::string echo = opt_.echo == EchoStyle::Command ? command : command.substr(1);
  return line(echo + joinPoints(dac ? st_.live.dacPoints : st_.live.tcgPoints));
}

Reply ProtocolEngine::writePoints(const std::string& command, const std::string& arg) {
  const bool dac = command == "WRP";
  if (!dac && !st_.live.values.count("YM")) return status(kNotAvailable);
  // The command alone (or a bare comma) is no list of the protocol's form; only an
  // instrument told to take it as the empty list clears its points.
  if (trimmed(arg).empty() || trimmed(arg) == ",") {
    if (!opt_.acceptEmptyPointList) return status(kNak);
    (dac ? st_.live.dacPoints : st_.live.tcgPoints).clear();
    return status(kAck);
  }
  if (arg[0] != ',') return status(kNak);
  const auto fields = splitCommas(arg.substr(1));
  if (fields.size() % 2 != 0 || fields.size() < 2 || fields.size() > 20) return status(kNak);
  PointList points;
  for (std::size_t i = 0; i < fields.size(); i += 2) {
    if (!isNumberText(fields[i]) || !isNumberText(fields[i + 1])) return status(kNak);
    points.emplace_back(trimmed(fields[i]), trimmed(fields[i + 1]));
  }
  (dac ? st_.live.dacPoints : st_.live.tcgPoints) = std::move(points);
  return status(kAck);
}

Reply ProtocolEngine::timeStamp(const std::string& command, const std::string&) {
  const std::string stamp = st_.shownTimeStamp.empty() ? now() : st_.shownTimeStamp;
  return line((opt_.echoRawReplies ? command + "," : std::string()) + stamp);
}

Reply ProtocolEngine::reading(const std::string& command, const std::string&) {
  return line(command + "," + st_.live.value(command == "ACD" ? "CD" : "SH"));
}

Reply ProtocolEngine::units(const std::string&, const std::string& arg) {
  const auto u = intArgument(arg);
  return status(u && *u >= 0 && *u <= 2 ? kAck : kNak);
}

Reply ProtocolEngine::readPrivilege(const std::string& command, const std::string&) {
  if (!st_.hasPrivileges) return status(kNotAvailable);
  const int value = command == "RAR" ? st_.alogLimit : (command == "RSR" ? st_.panelLimit : st_.privilegeLevel);
  return data(command, command.substr(1), std::to_string(value));
}

Reply ProtocolEngine::writePrivilege(const std::string& command, const std::string& arg) {
  if (!st_.hasPrivileges) return status(kNotAvailable);
  const auto v = intArgument(arg);
  if (!v) return status(kNak);
  if (command == "WZZ") {
    st_.privilegeLevel = *v == 10 ? 10 : 0;  // supervisor or operator
  } else {
    const bool alog = command == "WAR";
    if (*v < 0 || *v > (alog ? st_.maxALogs : st_.maxPanels)) return status(kNak);
    (alog ? st_.alogLimit : st_.panelLimit) = *v;
  }
  return status(kAck);
}

Reply ProtocolEngine::writeYT(const std::string&, const std::string& arg) { return write("YT", arg); }

Reply ProtocolEngine::thicknessMode(const std::string&, const std::string& arg) {
  return status(intArgument(arg) ? kAck : kNak);
}

Reply ProtocolEngine::thicknessBlock(const std::string&, const std::string& arg) {
  const auto block = intArgument(arg);
  if (!block || *block < 1 || *block > 14) return status(kNak);
  st_.thicknessBlock = *block;
  return status(kAck);
}

Reply ProtocolEngine::thicknessLog(const std::string&, const std::string&) {
  Reply reply;
  for (const auto& r : st_.thickness) {
    if (r.block != st_.thicknessBlock) continue;
    reply.push_back({std::to_string(r.block) + "," + std::to_string(r.location) + "," + std::to_string(r.number) +
                         "," + r.zero + "," + r.velocity + "," + r.thickness + "\r",
                     opt_.thicknessLineMs});
  }
  reply.push_back({"complete\r", opt_.thicknessLineMs});
  return reply;
}

}  // namespace tovu::sim
