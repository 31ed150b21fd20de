#pragma once
// The instrument's side of the serial protocol: one CR-terminated command line in, the bytes
// of the reply out. Pure logic on an InstrumentState; the pseudo-terminal, timing and faults
// live in InstrumentSimulator.

#include "InstrumentState.h"

#include <string>
#include <vector>

namespace tovu::sim {

inline constexpr char kAck = 6;
inline constexpr char kNak = 21;
inline constexpr char kNotAvailable = 7;

// How a data reply names what it answers: "GN,45.0" (the parameter code, for reads of
// R-commands) or "RGN,45.0" (the command as sent).
enum class EchoStyle { Code, Command };

struct ProtocolOptions {
  EchoStyle echo = EchoStyle::Code;
  bool echoRawReplies = false;  // "ATS" and "AMD" answered with their command and a comma first
  bool requireRemote = true;    // outside remote mode every command but ARM/ALM is refused
  bool rfLevelScale = true;     // gate levels written in RF detection are on the 0..100 scale
  double memoryActionMs = 20;   // busy time of a store, recall or delete ("ADP", "ADA")
  double thicknessLineMs = 5;   // pause between thickness log lines
  std::string fixedClock;       // time stamp of stored items; empty: the PC clock
  // "WRP"/"WYP" alone (or with a bare comma) as the empty list that clears the points.
  // The protocol's list form is a comma and x,y pairs, so by default such a line is NAKed.
  bool acceptEmptyPointList = false;
};

struct ReplyPart {
  std::string bytes;
  double pauseMs = 0;  // instrument time before these bytes, before any time scale
};
using Reply = std::vector<ReplyPart>;

class ProtocolEngine {
 public:
  ProtocolEngine(InstrumentState& state, const ProtocolOptions& options);

  // `line` is the command without its carriage return.
  Reply handle(const std::string& line);

 private:
  using Handler = Reply (ProtocolEngine::*)(const std::string& command, const std::string& arg);

  Reply read(const std::string& code, const std::string& command);
  Reply write(const std::string& code, const std::string& arg);
  Reply data(const std::string& command, const std::string& code, const std::string& value) const;

  Reply identification(const std::string&, const std::string&);
  Reply firmware(const std::string&, const std::string&);
  Reply secondFirmware(const std::string&, const std::string&);
  Reply program(const std::string&, const std::string&);
  Reply locationList(const std::string&, const std::string&);
  Reply selectLocation(const std::string&, const std::string&);
  Reply locationState(const std::string&, const std::string&);
  Reply memoryAction(const std::string&, const std::string&);
  Reply completeAction(const std::string&, const std::string&);
  Reply freeze(const std::string&, const std::string&);
  Reply uploadTrace(const std::string&, const std::string&);
  Reply sendTrace(const std::string&, const std::string&);
  Reply sendCurve(const std::string&, const std::string&);
  Reply sendTcgCurve(const std::string&, const std::string&);
  Reply readPoints(const std::string&, const std::string&);
  Reply writePoints(const std::string&, const std::string&);
  Reply timeStamp(const std::string&, const std::string&);
  Reply reading(const std::string&, const std::string&);
  Reply units(const std::string&, const std::string&);
  Reply readPrivilege(const std::string&, const std::string&);
  Reply writePrivilege(const std::string&, const std::string&);
  Reply writeYT(const std::string&, const std::string&);
  Reply thicknessMode(const std::string&, const std::string&);
  Reply thicknessBlock(const std::string&, const std::string&);
  Reply thicknessLog(const std::string&, const std::string&);

  bool isPanel(const std::string& command) const;
  std::string now() const;

  InstrumentState& st_;
  const ProtocolOptions& opt_;
};

}  // namespace tovu::sim
