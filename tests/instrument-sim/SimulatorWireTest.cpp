// The simulator on a real pseudo-terminal: rates, faults, pacing, transcript, state changes
// seen from the test's end of the line, and the program itself.

#include "SerialClient.h"

#include "instrument-sim/InstrumentSimulator.h"
#include "instrument-sim/SimText.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tovu::sim {
namespace {

using test::SerialClient;
using test::ack;
using test::nak;
using Clock = std::chrono::steady_clock;

// Waits until cond holds (true) or timeoutMs passes (false), looking every millisecond.
bool eventually(const std::function<bool()>& cond, int timeoutMs = 2000) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!cond()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

struct Rig {
  explicit Rig(SimOptions o = {}, int clientBaud = 0) : sim(std::move(o)) {
    std::string error;
    started = sim.start(&error);
    EXPECT_TRUE(started) << error;
    if (started) {
      EXPECT_TRUE(client.open(sim.slavePath(), clientBaud ? clientBaud : 115200));
    }
  }
  InstrumentSimulator sim;
  SerialClient client;
  bool started = false;
};

SimOptions at(int baud, int model = 21) {
  SimOptions o;
  o.baud = baud;
  o.instrument.model = model;
  o.instrument.seedMemory = false;
  return o;
}

TEST(SimulatorWire, AnswersOverThePseudoTerminalAndKeepsATranscript) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  EXPECT_EQ(rig.client.ask("RGN"), "GN,40.0\r");
  const std::string trace = rig.client.ask("AWT");
  EXPECT_EQ(splitCommas(trace).size(), 513u) << "a long reply arrives whole";
  EXPECT_EQ(rig.client.ask("ZZZ"), nak());
  ASSERT_TRUE(rig.sim.waitForTranscript(4, 1000));
  const auto t = rig.sim.transcript();
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].received, "ARM");
  EXPECT_EQ(t[0].sent, ack());
  EXPECT_EQ(t[1].received, "RGN");
  EXPECT_EQ(t[1].sent, "GN,40.0\r");
  EXPECT_EQ(t[2].sent, trace);
  EXPECT_EQ(t[3].sent, nak());
  EXPECT_LE(t[0].timeMs, t[3].timeMs);
  rig.sim.clearTranscript();
  EXPECT_TRUE(rig.sim.transcript().empty());
}

TEST(SimulatorWire, EveryCommandFamilyOverTheLine) {
  SimOptions o = at(19200, 21);
  o.protocol.fixedClock = "03/04/2025 05:06:07";
  Rig rig(o, 19200);
  ASSERT_TRUE(rig.started);
  struct Case { const char* command; std::string reply; bool prefix; };
  const std::vector<Case> cases = {
      {"ARM", ack(), false},
      {"AMD", "VELTRIS 150 SN ", true},
      {"AMF", "AMF,V3.10 12/05/2006\r", false},
      {"RMF", "MF,V3.02 12/05/2006\r", false},
      {"AME", "AME,FLAWSCAN MAIN\r", false},
      {"APL", "APL\r", false},
      {"AWL", "AWL\r", false},
      {"WPS 4", ack(), false},
      {"RST", "ST,0\r", false},
      {"WSM 0", ack(), false},
      {"ADP", ack(), false},
      {"APL", "APL,4\r", false},
      {"WRP,30,80,90,40", ack(), false},
      {"RRP", "RP,30,80,90,40\r", false},
      {"WYP,30,6,200,18", ack(), false},
      {"RYP", "YP,30,6,200,18\r", false},
      {"ADC", "ADC,", true},
      {"AAC", "AAC,", true},
      {"RYC", "YC,", true},
      {"AYC", "YC,", true},
      {"WAS 9", ack(), false},
      {"RAT", "AT,0\r", false},
      {"WAM 0", ack(), false},
      {"ADA", ack(), false},
      {"WFP 0", ack(), false},
      {"RAT", "AT,1\r", false},
      {"AWT", "AWT,", true},
      {"ATS", "03/04/2025 05:06:07\r", false},
      {"ACD", "ACD,", true},
      {"ASH", "ASH,", true},
      {"WGN 52.5", ack(), false},
      {"RGN", "GN,52.5\r", false},
      {"RFS", "FS,5.0\r", false},
      {"WFS1", nak(), false},
      {"ARD0", ack(), false},
      {"WRT 3", ack(), false},
      {"RYT", "YT,3\r", false},
      {"RSR", "SR,0\r", false},
      {"WSR 5", ack(), false},
      {"RZZ", "ZZ,10\r", false},
      {"WTL0", ack(), false},
      {"WTB1", ack(), false},
      {"ATT0", "complete\r", false},
      {"QQQ", nak(), false},
      {"ALM", ack(), false},
      {"RGN", nak(), false},
  };
  for (const auto& c : cases) {
    const std::string reply = rig.client.ask(c.command);
    if (c.prefix) {
      EXPECT_EQ(reply.rfind(c.reply, 0), 0u) << c.command << " -> " << escapeBytes(reply);
      EXPECT_EQ(reply.back(), '\r') << c.command;
    } else {
      EXPECT_EQ(reply, c.reply) << c.command << " -> " << escapeBytes(reply);
    }
  }
  // The simulator notes a command once its reply is written, which can be after the reply arrived.
  EXPECT_TRUE(rig.sim.waitForTranscript(cases.size(), 1000));
  EXPECT_EQ(rig.sim.transcript().size(), cases.size());
  EXPECT_EQ(rig.sim.state().panelLimit, 5);
}

TEST(SimulatorWire, CommandsSplitAcrossWritesAndSeveralInOneWrite) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  rig.client.sendRaw("AR");
  ASSERT_TRUE(eventually([&] { return rig.sim.bytesReceived() >= 2; })) << "the first part was read on its own";
  rig.client.sendRaw("M\rRGN\rRVL\r");
  EXPECT_EQ(rig.client.readLine(), ack());
  EXPECT_EQ(rig.client.readLine(), "GN,40.0\r");
  EXPECT_EQ(rig.client.readLine(), "VL,5920\r");
}

TEST(SimulatorWire, SurvivesThePortBeingClosedAndReopened) {
  Rig rig(at(57600), 57600);
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  rig.client.close();
  // The simulator lifts the exclusive open between its reads; the reopen succeeds then.
  ASSERT_TRUE(eventually([&] { return rig.client.open(rig.sim.slavePath(), 57600); }));
  EXPECT_EQ(rig.client.ask("RGN"), "GN,40.0\r") << "the instrument stays in remote mode";
  EXPECT_EQ(rig.sim.portBaud(), 57600);
}

TEST(SimulatorWire, AnswersOnlyAtItsOwnRate) {
  Rig rig(at(38400));
  ASSERT_TRUE(rig.started);
  std::vector<int> answered;
  for (int rate : {115200, 57600, 38400, 19200, 9600}) {
    ASSERT_TRUE(rig.client.setBaud(rate));
    rig.client.drain();
    if (rig.client.ask("ARM", 300) == ack()) answered.push_back(rate);
  }
  EXPECT_EQ(answered, std::vector<int>{38400});
  const auto t = rig.sim.transcript();
  ASSERT_EQ(t.size(), 5u);
  EXPECT_NE(t[0].note.find("baud mismatch: port at 115200"), std::string::npos) << t[0].note;
  EXPECT_TRUE(t[0].sent.empty()) << "silence at a wrong rate";
  EXPECT_EQ(t[2].sent, ack());
  EXPECT_TRUE(rig.sim.state().remote) << "the ARM at 38400 was understood";
}

TEST(SimulatorWire, GarbageAtAWrongRateNeverLooksLikeAStatus) {
  SimOptions o = at(19200);
  o.mismatch = MismatchMode::Garbage;
  Rig rig(o, 115200);
  ASSERT_TRUE(rig.started);
  for (int i = 0; i < 5; ++i) {
    const std::string reply = rig.client.ask("ARM", 500);
    ASSERT_FALSE(reply.empty());
    EXPECT_EQ(reply.back(), '\r');
    for (std::size_t k = 0; k + 1 < reply.size(); ++k) {
      const unsigned char c = reply[k];
      EXPECT_TRUE(c >= 0x80) << int(c);
    }
  }
  EXPECT_FALSE(rig.sim.state().remote);
  rig.sim.setBaud(115200);  // the instrument's rate changed by its own menu
  EXPECT_EQ(rig.client.ask("ARM"), ack());
}

TEST(SimulatorWire, RefusesTheFirstTimesOfACommand) {
  SimOptions o = at(115200);
  o.faults.push_back(*parseFault("ARM:nak:2"));
  Rig rig(o);
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), nak());
  EXPECT_EQ(rig.client.ask("ARM"), nak());
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  EXPECT_EQ(rig.sim.transcript()[0].note, "fault nak");

  rig.sim.addFault(*parseFault("*:nak:1"));
  rig.client.sendRaw("\r\n");
  EXPECT_EQ(rig.client.ask("RGN"), nak()) << "an empty line is not counted by a rule for every command";
  EXPECT_EQ(rig.client.ask("RGN"), "GN,40.0\r");
}

TEST(SimulatorWire, SilenceLeavesTheCommandUndone) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  rig.sim.addFault({"WGN", FaultKind::Silence, 1, 0, 0});
  EXPECT_EQ(rig.client.ask("WGN 50", 300), "");
  EXPECT_EQ(rig.client.ask("RGN"), "GN,40.0\r");
  EXPECT_EQ(rig.client.ask("WGN 50"), ack());
  EXPECT_EQ(rig.client.ask("RGN"), "GN,50\r");
}

TEST(SimulatorWire, GarbageReplacesTheReplyButTheCommandIsDone) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  rig.sim.addFault({"WGN", FaultKind::Garbage, 1, 0, 6});
  rig.sim.addFault({"RVL", FaultKind::Noise, 1, 0, 4});
  const std::string garbled = rig.client.ask("WGN 50");
  EXPECT_EQ(garbled.size(), 7u);
  EXPECT_EQ(garbled.find('\x06'), std::string::npos);
  EXPECT_EQ(rig.sim.state().live.value("GN"), "50");
  const std::string noisy = rig.client.ask("RVL");
  EXPECT_EQ(noisy.size(), 4u + std::string("VL,5920\r").size());
  EXPECT_EQ(noisy.substr(4), "VL,5920\r");
}

TEST(SimulatorWire, AGarbledReplyKeepsItsEchoAndEndsWithItsCarriageReturn) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  rig.sim.addFault(*parseFault("RVL:notnumber"));
  rig.sim.addFault(*parseFault("RVL:cutshort:1:0:1"));
  EXPECT_EQ(rig.client.ask("RVL"), "VL,X?Z\r");
  EXPECT_EQ(rig.client.ask("RVL"), "VL,\r");
  EXPECT_EQ(rig.client.ask("RVL"), "VL,5920\r");
  EXPECT_EQ(rig.sim.transcript()[1].note, "fault notnumber");
}

TEST(SimulatorWire, DelaysDribblesAndTimeScale) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());

  rig.sim.addFault({"RGN", FaultKind::Delay, 1, 0, 250});
  auto t0 = Clock::now();
  EXPECT_EQ(rig.client.ask("RGN"), "GN,40.0\r");
  EXPECT_GE(msSince(t0), 250.0);

  rig.sim.addFault({"RVL", FaultKind::Dribble, 1, 0, 25});
  t0 = Clock::now();
  EXPECT_EQ(rig.client.ask("RVL"), "VL,5920\r");
  EXPECT_GE(msSince(t0), 7 * 25.0) << "eight bytes, 25 ms apart";

  SimOptions fast = at(115200);
  fast.protocol.memoryActionMs = 400;
  fast.timeScale = 0.1;
  Rig scaled(fast);
  ASSERT_TRUE(scaled.started);
  EXPECT_EQ(scaled.client.ask("ARM"), ack());
  EXPECT_EQ(scaled.client.ask("WPS 2"), ack());
  EXPECT_EQ(scaled.client.ask("WSM 0"), ack());
  t0 = Clock::now();
  EXPECT_EQ(scaled.client.ask("ADP"), ack());
  const double took = msSince(t0);
  EXPECT_GE(took, 40.0);
  EXPECT_LT(took, 300.0) << "the 400 ms store scaled down to 40 ms";
}

TEST(SimulatorWire, ReplyWithoutCarriageReturn) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  rig.sim.addFault({"ARM", FaultKind::NoCr, 1, 0, 0});
  rig.client.send("ARM");
  EXPECT_FALSE(rig.client.readLine(300));
  EXPECT_EQ(rig.client.readQuiet(50), "\x06");
  EXPECT_TRUE(rig.sim.state().remote);
}

TEST(SimulatorWire, ClosesTheLineInTheMiddleOfAReply) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  rig.sim.addFault({"AWT", FaultKind::Close, 1, 0, 100});
  rig.client.send("AWT");
  const std::string part = rig.client.readQuiet(300);
  EXPECT_EQ(part.size(), 100u);
  EXPECT_EQ(part.substr(0, 4), "AWT,");
  EXPECT_TRUE(eventually([&] { return !rig.sim.running(); }));
  EXPECT_TRUE(rig.sim.closed());
  EXPECT_FALSE(rig.sim.running());
  EXPECT_NE(rig.sim.transcript().back().note.find("line closed"), std::string::npos);
  EXPECT_FALSE(rig.client.readLine(100)) << "nothing more comes";
}

TEST(SimulatorWire, PacesBytesAtTheBaudRate) {
  SimOptions o = at(9600);
  o.paceAtBaud = true;
  Rig rig(o, 9600);
  ASSERT_TRUE(rig.started);
  EXPECT_EQ(rig.client.ask("ARM"), ack());
  const auto t0 = Clock::now();
  const std::string reply = rig.client.ask("AWT", 10000);
  const double took = msSince(t0);
  // Command and reply on the wire at 10 bits per byte.
  const double floor = (4.0 + reply.size()) * 10.0 * 1000.0 / 9600.0;
  ASSERT_GT(reply.size(), 1000u);
  EXPECT_GE(took, floor * 0.98);
  EXPECT_LT(took, floor * 1.3 + 150.0) << "pacing should sit close to the wire floor";
}

TEST(SimulatorWire, StoreRecallAndDeleteChangeTheInstrumentState) {
  SimOptions o = at(115200);
  o.protocol.fixedClock = "01/01/2026 08:00:00";
  Rig rig(o);
  ASSERT_TRUE(rig.started);
  auto& c = rig.client;
  EXPECT_EQ(c.ask("ARM"), ack());
  EXPECT_EQ(c.ask("WNOA. TESTER"), ack());
  EXPECT_EQ(c.ask("WRP,20,50,100,25"), ack());
  EXPECT_EQ(c.ask("WPS 12"), ack());
  EXPECT_EQ(c.ask("WSM 0"), ack());
  EXPECT_EQ(c.ask("ADP"), ack());
  InstrumentState st = rig.sim.state();
  ASSERT_TRUE(st.panels.count(12));
  EXPECT_EQ(st.panels[12].settings.value("NO"), "A. TESTER");
  EXPECT_EQ(st.panels[12].settings.dacPoints.size(), 2u);
  EXPECT_EQ(c.ask("APL"), "APL,12\r");

  rig.sim.editState([](InstrumentState& s) { s.panels[12].settings.values["GN"] = "61.5"; });
  EXPECT_EQ(c.ask("WPS 12"), ack());
  EXPECT_EQ(c.ask("WSM 1"), ack());
  EXPECT_EQ(c.ask("ADP"), ack());
  EXPECT_EQ(c.ask("RGN"), "GN,61.5\r");
  EXPECT_EQ(c.ask("RRP"), "RP,20,50,100,25\r");

  EXPECT_EQ(c.ask("WAS 3"), ack());
  EXPECT_EQ(c.ask("WAM 0"), ack());
  EXPECT_EQ(c.ask("ADA"), ack());
  EXPECT_EQ(c.ask("WFP 0"), ack());
  EXPECT_EQ(c.ask("RAT"), "AT,1\r");
  EXPECT_EQ(rig.sim.state().alogs.at(3).timeStamp, "01/01/2026 08:00:00");
  EXPECT_EQ(c.ask("WAM 2"), ack());
  EXPECT_EQ(c.ask("ADA"), ack());
  EXPECT_EQ(c.ask("RAT"), "AT,0\r");
  EXPECT_TRUE(rig.sim.state().alogs.empty());
}

TEST(SimulatorWire, ThicknessLogStreamsLineByLine) {
  Rig rig(at(115200));
  ASSERT_TRUE(rig.started);
  rig.sim.editState([](InstrumentState& s) {
    s.thickness = {{2, 1, 1, "0", "5920", "12.5"}, {2, 2, 1, "0", "5920", "12.7"}};
  });
  auto& c = rig.client;
  EXPECT_EQ(c.ask("ARM"), ack());
  EXPECT_EQ(c.ask("WTL0"), ack());
  EXPECT_EQ(c.ask("WTB2"), ack());
  c.send("ATT0");
  EXPECT_EQ(c.readLine(), "2,1,1,0,5920,12.5\r");
  EXPECT_EQ(c.readLine(), "2,2,1,0,5920,12.7\r");
  EXPECT_EQ(c.readLine(), "complete\r");
}

TEST(SimulatorWire, TranscriptFileAndLinkToTheDevice) {
  const auto dir = std::filesystem::temp_directory_path() / ("tovu-sim-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  SimOptions o = at(115200);
  o.logPath = (dir / "wire.log").string();
  o.linkPath = (dir / "ttyDFD").string();
  {
    Rig rig(o);
    ASSERT_TRUE(rig.started);
    EXPECT_EQ(std::filesystem::read_symlink(o.linkPath).string(), rig.sim.slavePath());
    SerialClient viaLink;
    ASSERT_TRUE(viaLink.open(o.linkPath, 115200));
    EXPECT_EQ(viaLink.ask("ARM"), ack());
    EXPECT_EQ(viaLink.ask("RNL"), "NL,        \r");
    ASSERT_TRUE(rig.sim.waitForTranscript(2, 1000));
    rig.sim.stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(o.linkPath))) << "the link goes with the simulator";
    const auto copy = (dir / "copy.log").string();
    EXPECT_TRUE(rig.sim.writeTranscript(copy));
    std::ifstream in(copy);
    const std::string copied((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(copied, "> ARM\n< \\x06\\x0D\n> RNL\n< NL,        \\x0D\n");
  }
  std::ifstream in(o.logPath);
  const std::string logged((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(logged, "> ARM\n< \\x06\\x0D\n> RNL\n< NL,        \\x0D\n");
  std::filesystem::remove_all(dir);
}

TEST(SimulatorWire, TheProgramPrintsItsDeviceAndStopsOnTerm) {
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::execl(TOVU_BIN_DIR "/instrument-sim", "instrument-sim", "--model", "36", "--baud", "19200", "--quiet", nullptr);
    ::_exit(127);
  }
  ::close(out[1]);
  std::string path;
  char ch;
  while (::read(out[0], &ch, 1) == 1 && ch != '\n') path += ch;
  ::close(out[0]);
  ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
  SerialClient c;
  ASSERT_TRUE(c.open(path, 19200));
  EXPECT_EQ(c.ask("ARM"), ack());
  EXPECT_EQ(c.ask("AMD").rfind("VELTRIS D-10 SN ", 0), 0u);
  const auto list = splitCommas(c.ask("AWL"));
  EXPECT_EQ(list.back(), "10000\r") << "generation 2 memory";
  c.close();
  ::kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace tovu::sim
