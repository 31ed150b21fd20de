#pragma once
// Faults the simulated instrument can be told to commit, per command: refuse, keep silent,
// answer late, answer with garbage, dribble its bytes, forget the carriage return, or drop
// the line in the middle of a reply.

#include <optional>
#include <string>
#include <vector>

namespace tovu::sim {

enum class FaultKind {
  Nak,      // answer NAK and do nothing
  Silence,  // answer nothing and do nothing
  Delay,    // answer `param` ms late
  Garbage,  // do the command, but answer `param` bytes of noise and a CR instead of the reply
  Noise,    // `param` bytes of noise before the reply
  Dribble,  // `param` ms between the bytes of the reply
  NoCr,     // the reply without its final carriage return
  Close,    // close the pseudo-terminal after `param` bytes of the reply
  // Garbled data replies: the command is done, but its "echo,value" reply is spoilt.
  NotANumber,  // the value replaced by text that is no number ("GN,X?Z")
  ExtraField,  // a field of such text after the value ("GN,40.0,X?Z")
  CutShort,    // the reply cut after the echo's comma ("GN,")
};

// The text a garbled reply carries in place of (or after) the value.
inline constexpr const char* kGarbledText = "X?Z";
// True for the kinds that garble a data reply.
bool garblesReply(FaultKind kind);
// A data reply ("echo,value" and a CR) garbled as kind says; any other reply (a status
// byte, a raw reply without comma) is left as it is.
std::string garbledReply(FaultKind kind, const std::string& reply);

struct FaultRule {
  std::string command = "*";  // three-letter mnemonic, or "*" for every command
  FaultKind kind = FaultKind::Nak;
  int times = 1;  // how many matching commands it hits; 0 = every one
  int skip = 0;   // matching commands let through before it starts
  int param = 0;
};

// "CMD:KIND[:TIMES[:PARAM[:SKIP]]]", for example "ARM:nak:2", "AWT:close:1:100", "*:delay:0:50".
std::optional<FaultRule> parseFault(const std::string& text);
std::string faultKindName(FaultKind kind);

class FaultPlan {
 public:
  void add(const FaultRule& rule);
  void clear();
  // The rules that hit this command now; counts it against every matching rule.
  std::vector<FaultRule> take(const std::string& command);

 private:
  struct Entry {
    FaultRule rule;
    int seen = 0;
  };
  std::vector<Entry> entries_;
};

}  // namespace tovu::sim
