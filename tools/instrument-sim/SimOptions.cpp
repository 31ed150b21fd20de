#include "SimOptions.h"

#include "ModelTable.h"
#include "PtyPort.h"
#include "SimText.h"

#include <functional>
#include <map>

namespace tovu::sim {

std::string usageText() {
  return "usage: instrument-sim [options]\n"
         "  --model CODE|NAME     model code 0..42 or its name (default 21)\n"
         "  --baud N              the instrument's own rate (default 115200)\n"
         "  --mismatch silence|garbage  answer at another rate (default silence)\n"
         "  --seed N              seed of the memory contents (default 1)\n"
         "  --empty               start with empty memory and thickness log\n"
         "  --firmware TEXT       \"AMF\" value (default by model)\n"
         "  --second-firmware TEXT  \"RMF\" value (default by model)\n"
         "  --privileges | --no-privileges  (default: banked instruments have them)\n"
         "  --echo code|command   echo field of data replies (default code)\n"
         "  --echo-raw            \"ATS\" and \"AMD\" replies begin with their command\n"
         "  --no-remote-check     answer commands outside remote mode too\n"
         "  --no-rf-level-scale   store RF gate levels as written\n"
         "  --accept-empty-points \"WRP\"/\"WYP\" alone clear the points (default: NAK)\n"
         "  --fixed-clock TEXT    time stamp given to stored items\n"
         "  --pace                pace bytes at the baud rate (10 bits per byte)\n"
         "  --time-scale F        factor on the instrument's own waits (default 1)\n"
         "  --reply-delay MS      wait before every reply\n"
         "  --action-time MS      busy time of a memory action (default 20)\n"
         "  --fault CMD:KIND[:TIMES[:PARAM[:SKIP]]]  kinds nak silence delay garbage noise\n"
         "                        dribble nocr close notnumber extrafield cutshort;\n"
         "                        TIMES 0 = always (repeatable)\n"
         "  --link PATH           symbolic link to the slave device\n"
         "  --log FILE            transcript of the wire traffic\n"
         "  --quiet               print only the slave device path\n";
}

std::optional<SimOptions> parseArguments(const std::vector<std::string>& args, std::string* error) {
  SimOptions o;
  std::string problem;
  auto number = [&](const std::string& text, double& out) {
    if (!isNumberText(text)) return false;
    out = numberOf(text);
    return true;
  };
  using Valued = std::function<bool(const std::string&)>;
  const std::map<std::string, Valued> valued = {
      {"--model", [&](const std::string& v) {
         const auto m = modelFromText(v);
         if (m) o.instrument.model = *m;
         return m.has_value();
       }},
      {"--baud", [&](const std::string& v) {
         const auto b = intArgument(v);
         if (b && speedOfBaud(*b)) o.baud = *b;
         return b && speedOfBaud(*b);
       }},
      {"--mismatch", [&](const std::string& v) {
         o.mismatch = v == "garbage" ? MismatchMode::Garbage : MismatchMode::Silence;
         return v == "garbage" || v == "silence";
       }},
      {"--seed", [&](const std::string& v) {
         const auto s = intArgument(v);
         if (s && *s >= 0) o.instrument.seed = static_cast<unsigned>(*s);
         return s && *s >= 0;
       }},
      {"--firmware", [&](const std::string& v) { o.instrument.firmware = v; return !v.empty(); }},
      {"--second-firmware", [&](const std::string& v) { o.instrument.secondFirmware = v; return !v.empty(); }},
      {"--echo", [&](const std::string& v) {
         o.protocol.echo = v == "command" ? EchoStyle::Command : EchoStyle::Code;
         return v == "command" || v == "code";
       }},
      {"--fixed-clock", [&](const std::string& v) { o.protocol.fixedClock = v; return true; }},
      {"--time-scale", [&](const std::string& v) { return number(v, o.timeScale) && o.timeScale >= 0; }},
      {"--reply-delay", [&](const std::string& v) { return number(v, o.replyDelayMs) && o.replyDelayMs >= 0; }},
      {"--action-time", [&](const std::string& v) { return number(v, o.protocol.memoryActionMs) && o.protocol.memoryActionMs >= 0; }},
      {"--fault", [&](const std::string& v) {
         const auto f = parseFault(v);
         if (f) o.faults.push_back(*f);
         return f.has_value();
       }},
      {"--link", [&](const std::string& v) { o.linkPath = v; return !v.empty(); }},
      {"--log", [&](const std::string& v) { o.logPath = v; return !v.empty(); }},
  };
  const std::map<std::string, std::function<void()>> flags = {
      {"--empty", [&] { o.instrument.seedMemory = false; }},
      {"--privileges", [&] { o.instrument.privileges = true; }},
      {"--no-privileges", [&] { o.instrument.privileges = false; }},
      {"--echo-raw", [&] { o.protocol.echoRawReplies = true; }},
      {"--no-remote-check", [&] { o.protocol.requireRemote = false; }},
      {"--no-rf-level-scale", [&] { o.protocol.rfLevelScale = false; }},
      {"--accept-empty-points", [&] { o.protocol.acceptEmptyPointList = true; }},
      {"--pace", [&] { o.paceAtBaud = true; }},
      {"--quiet", [&] { o.quiet = true; }},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      if (error) error->clear();
      return std::nullopt;
    }
    if (const auto f = flags.find(a); f != flags.end()) {
      f->second();
    } else if (const auto v = valued.find(a); v != valued.end()) {
      if (i + 1 >= args.size()) problem = a + " needs a value";
      else if (!v->second(args[++i])) problem = "bad value for " + a + ": " + args[i];
    } else {
      problem = "unknown argument: " + a;
    }
    if (!problem.empty()) {
      if (error) *error = problem;
      return std::nullopt;
    }
  }
  return o;
}

}  // namespace tovu::sim
