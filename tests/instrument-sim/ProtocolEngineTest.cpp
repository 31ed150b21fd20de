// The simulated instrument's answers, command family by command family, without the line.

#include "instrument-sim/ModelTable.h"
#include "instrument-sim/ParameterTable.h"
#include "instrument-sim/ProtocolEngine.h"
#include "instrument-sim/SimText.h"

#include <gtest/gtest.h>

namespace tovu::sim {
namespace {

const std::string ACK = "\x06\r";
const std::string NAK = "\x15\r";
const std::string NA = "\x07\r";

class Instrument {
 public:
  explicit Instrument(int model = 21, bool seed = false, ProtocolOptions options = {})
      : options_(std::move(options)) {
    InstrumentSetup setup;
    setup.model = model;
    setup.seedMemory = seed;
    state = makeInstrument(setup);
    engine_ = std::make_unique<ProtocolEngine>(state, options_);
    options_.fixedClock = "02/03/2025 10:11:12";
    ask("ARM");
  }
  std::string ask(const std::string& line) {
    std::string out;
    for (const auto& part : engine_->handle(line)) out += part.bytes;
    return out;
  }
  Reply reply(const std::string& line) { return engine_->handle(line); }
  // The comma-separated fields of a data reply, without its carriage return.
  std::vector<std::string> fields(const std::string& line) {
    std::string r = ask(line);
    EXPECT_EQ(r.back(), '\r') << line;
    r.pop_back();
    return splitCommas(r);
  }
  ProtocolOptions& options() { return options_; }
  InstrumentState state;

 private:
  ProtocolOptions options_;
  std::unique_ptr<ProtocolEngine> engine_;
};

std::string waveformArgument(int offset) {
  std::string arg;
  for (int i = 0; i < 255; ++i) arg += "," + std::to_string((i + offset) % 50) + "," + std::to_string((i + offset) % 50 + 100);
  return arg;
}

TEST(ProtocolEngine, CommandsNeedRemoteModeAndUnknownOnesAreRefused) {
  Instrument sim;
  EXPECT_EQ(sim.ask("ALM"), ACK);
  EXPECT_EQ(sim.ask("RGN"), NAK);
  EXPECT_EQ(sim.ask("AMD"), NAK);
  EXPECT_EQ(sim.ask("ALM"), ACK) << "leaving remote mode twice is harmless";
  EXPECT_EQ(sim.ask("ARM"), ACK);
  EXPECT_EQ(sim.ask("ARM"), ACK);
  EXPECT_EQ(sim.ask("RGN"), "GN,40.0\r");
  for (const char* bad : {"XYZ", "RQQ", "WQQ1", "AB", "rgn", "WGN", "WGNabc", "WPSx", "WSM 7", "WTB15"})
    EXPECT_EQ(sim.ask(bad), NAK) << bad;
  EXPECT_EQ(sim.ask(""), "") << "an empty line is not a command";
  EXPECT_EQ(sim.ask("\nRGN"), "GN,40.0\r") << "a line feed left from the last line is ignored";

  ProtocolOptions lax;
  lax.requireRemote = false;
  Instrument open(21, false, lax);
  open.ask("ALM");
  EXPECT_EQ(open.ask("RGN"), "GN,40.0\r");
}

TEST(ProtocolEngine, EveryParameterCodeReadsAndWritesByItsKind) {
  Instrument sim(21);
  for (const auto& p : parameterTable()) {
    const std::string code = p.code;
    SCOPED_TRACE(code);
    std::string initial = p.initial;
    if (code == "FS") initial = "5.0";  // follows the frequency choice 2
    if (p.kind == ValueKind::Text) initial.resize(p.limit, ' ');
    EXPECT_EQ(sim.ask("R" + code), code + "," + initial + "\r");
    switch (p.kind) {
      case ValueKind::Number:
        EXPECT_EQ(sim.ask("W" + code + " 12.5"), ACK);
        EXPECT_EQ(sim.ask("R" + code), code + ",12.5\r");
        EXPECT_EQ(sim.ask("W" + code + "-3"), ACK);
        EXPECT_EQ(sim.ask("R" + code), code + ",-3\r");
        EXPECT_EQ(sim.ask("W" + code + "1,2"), NAK);
        EXPECT_EQ(sim.ask("W" + code), NAK) << "a number setting needs a value";
        break;
      case ValueKind::Choice:
        EXPECT_EQ(sim.ask("W" + code + std::to_string(p.limit - 1)), ACK);
        EXPECT_EQ(sim.ask("R" + code), code + "," + std::to_string(p.limit - 1) + "\r");
        for (const std::string& bad : std::vector<std::string>{std::to_string(p.limit), "-1", "1.5", ""})
          EXPECT_EQ(sim.ask("W" + code + bad), NAK) << bad;
        EXPECT_EQ(sim.ask("W" + code + " " + p.initial), ACK);
        break;
      case ValueKind::Text: {
        EXPECT_EQ(sim.ask("W" + code + "AB C"), ACK);
        EXPECT_EQ(sim.ask("R" + code), code + "," + (std::string("AB C") + std::string(p.limit - 4, ' ')) + "\r");
        EXPECT_EQ(sim.ask("W" + code + std::string(p.limit + 5, 'x')), ACK);
        EXPECT_EQ(sim.ask("R" + code), code + "," + std::string(p.limit, 'x') + "\r") << "cut to the field";
        EXPECT_EQ(sim.ask("W" + code), ACK) << "an empty note clears it";
        EXPECT_EQ(sim.ask("R" + code), code + "," + std::string(p.limit, ' ') + "\r");
        break;
      }
      case ValueKind::ReadOnly:
        EXPECT_EQ(sim.ask("W" + code + "1"), NAK);
        EXPECT_EQ(sim.ask("R" + code), code + "," + initial + "\r");
        break;
    }
  }
  EXPECT_EQ(sim.ask("WFR0"), ACK);
  EXPECT_EQ(sim.ask("RFS"), "FS,1.0\r") << "the reported frequency follows the choice";
}

TEST(ProtocolEngine, EchoFieldCanNameTheCommand) {
  ProtocolOptions o;
  o.echo = EchoStyle::Command;
  Instrument sim(21, false, o);
  EXPECT_EQ(sim.ask("RGN"), "RGN,40.0\r");
  EXPECT_EQ(sim.ask("RST"), "RST,0\r");
  EXPECT_EQ(sim.ask("RRP"), "RRP\r");
  EXPECT_EQ(sim.ask("AMF").substr(0, 4), "AMF,");
  EXPECT_EQ(sim.ask("RYC").substr(0, 3), "YC,") << "the TCG curve is always tagged YC";
}

TEST(ProtocolEngine, ModelsBelowElevenHaveNoTcgOrAgc) {
  Instrument old(5);
  for (const char* cmd : {"RYM", "RYS", "WYM1", "RYP", "WYP,1,2", "RYC", "AYC", "RSF", "RSE", "WSF1"})
    EXPECT_EQ(old.ask(cmd), NA) << cmd;
  EXPECT_EQ(old.ask("RYG"), "YG,0.0\r") << "YG is read with the calibration on every model";
  Instrument newer(11);
  EXPECT_EQ(newer.ask("RYM"), "YM,0\r");
  EXPECT_EQ(newer.ask("RSE"), "SE,80\r");
}

TEST(ProtocolEngine, IdentificationAndFirmwareFollowTheModel) {
  struct Case { int model; const char* firmwarePrefix; bool second; };
  for (const Case c : {Case{1, "AMF,V2.", false}, Case{11, "AMF,V1.", false}, Case{18, "AMF,V2.", false},
                       Case{21, "AMF,V3.", true}, Case{35, "AMF,V3.", true}, Case{38, "AMF,V3.", true}}) {
    SCOPED_TRACE(c.model);
    Instrument sim(c.model);
    const std::string id = sim.ask("AMD");
    EXPECT_EQ(id.rfind(modelName(c.model), 0), 0u) << id;
    EXPECT_EQ(id.back(), '\r');
    EXPECT_EQ(sim.ask("AMF").rfind(c.firmwarePrefix, 0), 0u);
    if (c.second) EXPECT_EQ(sim.ask("RMF").rfind("MF,V3.", 0), 0u);
    else EXPECT_EQ(sim.ask("RMF"), NAK);
    EXPECT_EQ(sim.ask("AME"), "AME,FLAWSCAN MAIN\r");
  }
  Instrument v140(35);
  EXPECT_NE(v140.ask("AMD").find("VELTRIS  140"), std::string::npos);
  EXPECT_EQ(v140.ask("AMF").find("1."), std::string::npos) << "the later 140 must not read as the old one";

  ProtocolOptions raw;
  raw.echoRawReplies = true;
  Instrument echoing(21, false, raw);
  EXPECT_EQ(echoing.ask("AMD").rfind("AMD,VELTRIS 150", 0), 0u);
  EXPECT_EQ(echoing.ask("ATS").rfind("ATS,", 0), 0u);
}

TEST(ProtocolEngine, LocationListsOnBankedInstrumentsOnly) {
  Instrument unbanked(3, true);
  EXPECT_EQ(unbanked.ask("APL"), NAK);
  EXPECT_EQ(unbanked.ask("AWL"), NAK);

  Instrument banked(21, true);
  for (const char* cmd : {"APL", "AWL"}) {
    const auto fields = banked.fields(cmd);
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields[0], cmd);
    const auto& memory = std::string(cmd) == "APL" ? banked.state.panels : banked.state.alogs;
    std::vector<std::string> expected{cmd};
    for (const auto& [n, item] : memory) expected.push_back(std::to_string(n));
    EXPECT_EQ(fields, expected);
  }
  Instrument empty(21, false);
  EXPECT_EQ(empty.ask("APL"), "APL\r") << "no occupied location: the echo alone";
}

TEST(ProtocolEngine, SelectingAndTestingLocations) {
  Instrument sim(3);  // 20 panels, 100 ALogs
  EXPECT_EQ(sim.ask("WPS 5"), ACK);
  EXPECT_EQ(sim.ask("RST"), "ST,0\r");
  sim.state.panels[5] = {};
  EXPECT_EQ(sim.ask("RST"), "ST,1\r");
  EXPECT_EQ(sim.ask("WPS 21"), NAK) << "beyond the panel memory";
  EXPECT_EQ(sim.ask("WPS 20"), ACK);
  EXPECT_EQ(sim.ask("WPS1"), ACK) << "a literal argument without the sign blank";
  EXPECT_EQ(sim.ask("WAS 100"), ACK);
  EXPECT_EQ(sim.ask("WAS 101"), NAK);
  EXPECT_EQ(sim.ask("WAS -1"), NAK);
  EXPECT_EQ(sim.ask("RAT"), "AT,0\r");
}

TEST(ProtocolEngine, PanelStoreRecallAndDeleteTakeEffectWhenCompleted) {
  Instrument sim(21);
  EXPECT_EQ(sim.ask("WGN 55.5"), ACK);
  EXPECT_EQ(sim.ask("WNLWELD 4"), ACK);
  EXPECT_EQ(sim.ask("WPS 3"), ACK);
  EXPECT_EQ(sim.ask("WSM 0"), ACK);
  EXPECT_EQ(sim.state.panels.count(3), 0u) << "nothing stored before the completion";
  const Reply done = sim.reply("ADP");
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].bytes, ACK);
  EXPECT_GT(done[0].pauseMs, 0) << "a memory action keeps the instrument busy";
  ASSERT_EQ(sim.state.panels.count(3), 1u);
  EXPECT_EQ(sim.state.panels[3].settings.value("GN"), "55.5");
  EXPECT_FALSE(sim.state.panels[3].trace) << "panels hold no trace";

  EXPECT_EQ(sim.ask("WGN 20"), ACK);
  EXPECT_EQ(sim.ask("WPS 3"), ACK);
  EXPECT_EQ(sim.ask("WSM 1"), ACK);
  EXPECT_EQ(sim.ask("RGN"), "GN,20\r") << "recall completes with ADP";
  EXPECT_EQ(sim.ask("ADP"), ACK);
  EXPECT_EQ(sim.ask("RGN"), "GN,55.5\r");
  EXPECT_EQ(sim.ask("RNL"), "NL,WELD 4  \r") << "notes answer in their full field length";

  EXPECT_EQ(sim.ask("WPS 4"), ACK);
  EXPECT_EQ(sim.ask("WSM 1"), NAK) << "nothing to recall";
  EXPECT_EQ(sim.ask("WPS 3"), ACK);
  EXPECT_EQ(sim.ask("WSM 2"), ACK);
  EXPECT_EQ(sim.ask("ADP"), ACK);
  EXPECT_EQ(sim.state.panels.count(3), 0u);
  EXPECT_EQ(sim.ask("ADP"), ACK) << "nothing outstanding counts as done";
}

TEST(ProtocolEngine, LocationZeroErasesTheWholeMemoryOnly) {
  Instrument sim(21, true);
  ASSERT_FALSE(sim.state.panels.empty());
  ASSERT_FALSE(sim.state.alogs.empty());
  EXPECT_EQ(sim.ask("WPS 0"), ACK);
  EXPECT_EQ(sim.ask("WSM 0"), NAK);
  EXPECT_EQ(sim.ask("WSM 1"), NAK);
  EXPECT_EQ(sim.ask("WSM 2"), ACK);
  EXPECT_EQ(sim.ask("ADP"), ACK);
  EXPECT_TRUE(sim.state.panels.empty());
  EXPECT_FALSE(sim.state.alogs.empty()) << "panel erase leaves the ALogs";
  EXPECT_EQ(sim.ask("WAS 0"), ACK);
  EXPECT_EQ(sim.ask("WAM 2"), ACK);
  EXPECT_EQ(sim.ask("ADA"), ACK);
  EXPECT_TRUE(sim.state.alogs.empty());
}

TEST(ProtocolEngine, ALogStoreKeepsTheUploadedTraceAndRecallShowsIt) {
  Instrument sim(21);
  EXPECT_EQ(sim.ask("WAS 7"), ACK);
  EXPECT_EQ(sim.ask("WAM 0"), ACK);
  EXPECT_EQ(sim.ask("AWS" + waveformArgument(3)), ACK);
  EXPECT_EQ(sim.ask("ADA"), ACK);
  EXPECT_EQ(sim.ask("WFP 0"), ACK);
  ASSERT_EQ(sim.state.alogs.count(7), 1u);
  const StoredItem stored = sim.state.alogs[7];
  ASSERT_TRUE(stored.trace);
  for (int i = 0; i < 255; ++i) {
    EXPECT_EQ(stored.trace->min[i], (i + 3) % 50);
    EXPECT_EQ(stored.trace->max[i], (i + 3) % 50 + 100);
  }
  EXPECT_EQ(stored.trace->max[255], 0) << "the upload carries samples 0 to 254";
  EXPECT_EQ(stored.timeStamp, "02/03/2025 10:11:12");

  // A store without an upload keeps what the instrument shows.
  EXPECT_EQ(sim.ask("WAS 8"), ACK);
  EXPECT_EQ(sim.ask("WAM 0"), ACK);
  EXPECT_EQ(sim.ask("ADA"), ACK);
  ASSERT_TRUE(sim.state.alogs[8].trace);
  EXPECT_NE(*sim.state.alogs[8].trace, *stored.trace);

  // Recall: the trace, the time stamp and the readings are the stored item's.
  const auto live = sim.fields("AWT");
  EXPECT_EQ(sim.ask("WFP 1"), ACK);
  EXPECT_EQ(sim.ask("WAS 7"), ACK);
  EXPECT_EQ(sim.ask("WAM 1"), ACK);
  EXPECT_EQ(sim.ask("ADA"), ACK);
  const auto shown = sim.fields("AWT");
  ASSERT_EQ(shown.size(), 513u);
  EXPECT_EQ(shown[1], "3");
  EXPECT_EQ(shown[2], "103");
  EXPECT_EQ(sim.ask("ATS"), "02/03/2025 10:11:12\r");
  EXPECT_EQ(sim.ask("ACD"), "ACD," + stored.settings.value("CD") + "\r");
  EXPECT_EQ(sim.ask("ASH"), "ASH," + stored.settings.value("SH") + "\r");
  EXPECT_EQ(sim.ask("WFP 0"), ACK);
  EXPECT_EQ(sim.fields("AWT"), live) << "back to the live trace";
}

TEST(ProtocolEngine, MalformedWaveformUploadsAreRefused) {
  Instrument sim(21);
  const std::string good = waveformArgument(0);
  for (const std::string& bad : {good.substr(1), good + ",4", good.substr(0, good.rfind(',')), std::string(","),
                                good.substr(0, good.size() - 3) + ",x", good + "0000000"}) {
    EXPECT_EQ(sim.ask("AWS" + bad), NAK) << bad.size();
  }
  EXPECT_FALSE(sim.state.uploadedTrace);
}

TEST(ProtocolEngine, ArrayRepliesHaveTheirTagsAndSizes) {
  struct Case { const char* command; const char* tag; std::size_t fields; };
  for (int model : {3, 21}) {  // firmware 2 and firmware 3
    Instrument sim(model);
    EXPECT_EQ(sim.ask("WRP,20,80,120,40,200,20"), ACK);
    for (const Case c : {Case{"AWT", "AWT", 513}, Case{"ADC", "ADC", 513}, Case{"AAC", "AAC", 513}}) {
      const auto f = sim.fields(c.command);
      ASSERT_EQ(f.size(), c.fields) << c.command;
      EXPECT_EQ(f[0], c.tag);
      for (std::size_t i = 1; i < f.size(); ++i) ASSERT_TRUE(isNumberText(f[i])) << c.command << i;
    }
    const auto dac = sim.fields("ADC");
    const bool marked = dac[2 * 254 + 2] == "-1";
    EXPECT_EQ(marked, model == 21) << "firmware 3 marks its DAC curve with -1";
    EXPECT_EQ(dac[2 * 10 + 1], "255") << "no curve before the first point";
    EXPECT_EQ(dac[2 * 20 + 1], model == 21 ? "2" : "160") << "the first point: 80 % (firmware 2) or 80 dB (firmware 3)";
  }
  Instrument tcg(21);
  EXPECT_EQ(tcg.ask("WYP,10,0,200,20"), ACK);
  for (const char* cmd : {"AYC", "RYC"}) {
    const auto f = tcg.fields(cmd);
    ASSERT_EQ(f.size(), 256u) << "the tag and samples 1 to 255";
    EXPECT_EQ(f[0], "YC");
    EXPECT_EQ(f[10], "0");
    EXPECT_EQ(f[200], "200") << "20 dB in tenths";
  }
}

TEST(ProtocolEngine, DacAndTcgPointLists) {
  Instrument sim(21);
  EXPECT_EQ(sim.ask("RRP"), "RP\r") << "no points: the echo alone, shorter than any point list";
  EXPECT_EQ(sim.ask("WRP,10,80,50, 40"), ACK);
  EXPECT_EQ(sim.ask("RRP"), "RP,10,80,50,40\r");
  std::string ten, eleven;
  for (int i = 1; i <= 10; ++i) ten += "," + std::to_string(i * 20) + ",30";
  eleven = ten + ",240,10";
  EXPECT_EQ(sim.ask("WYP" + ten), ACK);
  EXPECT_EQ(sim.state.live.tcgPoints.size(), 10u);
  for (const std::string& bad : {eleven, std::string(",10"), std::string("10,80"), std::string(",a,b")}) {
    EXPECT_EQ(sim.ask("WRP" + bad), NAK) << bad;
    EXPECT_EQ(sim.ask("WYP" + bad), NAK) << bad;
  }
  EXPECT_EQ(sim.state.live.dacPoints.size(), 2u) << "a refused list leaves the points";
  // The command alone, or with a bare comma, is no list of the protocol's form.
  for (const char* bare : {"WRP", "WYP", "WRP,", "WYP ,"}) EXPECT_EQ(sim.ask(bare), NAK) << bare;
  EXPECT_EQ(sim.state.live.dacPoints.size(), 2u);
  EXPECT_EQ(sim.state.live.tcgPoints.size(), 10u);
  EXPECT_EQ(Instrument(5).ask("WYP"), NA) << "a model without TCG has no list to clear";
}

TEST(ProtocolEngine, AnInstrumentThatTakesTheBareListAsEmptyClearsThePoints) {
  ProtocolOptions accepting;
  accepting.acceptEmptyPointList = true;
  Instrument sim(21, false, accepting);
  ASSERT_EQ(sim.ask("WRP,10,80,50,40"), ACK);
  ASSERT_EQ(sim.ask("WYP,10,0,200,20"), ACK);
  // The empty list (the command alone, or a bare comma) removes them, and a STORE then
  // stores none.
  EXPECT_EQ(sim.ask("WRP"), ACK);
  EXPECT_EQ(sim.ask("WYP,"), ACK);
  EXPECT_TRUE(sim.state.live.dacPoints.empty());
  EXPECT_TRUE(sim.state.live.tcgPoints.empty());
  EXPECT_EQ(sim.ask("RRP"), "RP\r");
  EXPECT_EQ(sim.ask("WPS 7"), ACK);
  EXPECT_EQ(sim.ask("WSM 0"), ACK);
  EXPECT_EQ(sim.ask("ADP"), ACK);
  EXPECT_TRUE(sim.state.panels.at(7).settings.dacPoints.empty());
}

TEST(ProtocolEngine, GateLevelsWrittenInRfDetectionAreRescaled) {
  Instrument sim(21);
  EXPECT_EQ(sim.ask("WLA60"), ACK);
  EXPECT_EQ(sim.ask("RLA"), "LA,60\r");
  EXPECT_EQ(sim.ask("WDT3"), ACK);
  EXPECT_EQ(sim.ask("WLA 80"), ACK);
  EXPECT_EQ(sim.ask("RLA"), "LA,60\r") << "80 on the rectified scale is 60 % RF";
  EXPECT_EQ(sim.ask("WLB 77.5"), ACK);
  EXPECT_EQ(sim.ask("RLB"), "LB,55\r");
  EXPECT_EQ(sim.ask("WSA 80"), ACK);
  EXPECT_EQ(sim.ask("RSA"), "SA,80\r") << "only levels";

  ProtocolOptions o;
  o.rfLevelScale = false;
  Instrument plain(21, false, o);
  plain.ask("WDT3");
  plain.ask("WLA 80");
  EXPECT_EQ(plain.ask("RLA"), "LA,80\r");
}

TEST(ProtocolEngine, Privileges) {
  Instrument sim(21);
  EXPECT_EQ(sim.ask("RSR"), "SR,0\r");
  EXPECT_EQ(sim.ask("WSR 7"), ACK);
  EXPECT_EQ(sim.ask("RSR"), "SR,7\r");
  EXPECT_EQ(sim.ask("WAR 800"), ACK);
  EXPECT_EQ(sim.ask("RAR"), "AR,800\r");
  EXPECT_EQ(sim.ask("WAR 801"), NAK);
  EXPECT_EQ(sim.ask("WSR 101"), NAK);
  EXPECT_EQ(sim.ask("WSR"), NAK);
  EXPECT_EQ(sim.ask("WZZ 5"), ACK);
  EXPECT_EQ(sim.ask("RZZ"), "ZZ,0\r") << "anything but supervisor is operator";
  EXPECT_EQ(sim.ask("WZZ10"), ACK);
  EXPECT_EQ(sim.ask("RZZ"), "ZZ,10\r");

  Instrument none(3);
  for (const char* cmd : {"RSR", "RAR", "RZZ", "WSR 1", "WAR 1", "WZZ 10"}) EXPECT_EQ(none.ask(cmd), NA) << cmd;
}

TEST(ProtocolEngine, ThicknessLogStreamsTheSelectedBlock) {
  Instrument sim(21);
  sim.state.thickness = {{1, 2, 1, "0", "5920", "10.2"}, {3, 1, 1, "0", "5920", "9.8"}, {3, 2, 2, "0", "5920", "11.0"}};
  EXPECT_EQ(sim.ask("WTL0"), ACK);
  EXPECT_EQ(sim.ask("WTB3"), ACK);
  const Reply stream = sim.reply("ATT0");
  ASSERT_EQ(stream.size(), 3u);
  EXPECT_EQ(stream[0].bytes, "3,1,1,0,5920,9.8\r");
  EXPECT_EQ(stream[1].bytes, "3,2,2,0,5920,11.0\r");
  EXPECT_EQ(stream[2].bytes, "complete\r");
  EXPECT_GT(stream[1].pauseMs, 0) << "readings come one by one";
  EXPECT_EQ(sim.ask("WTB14"), ACK);
  EXPECT_EQ(sim.ask("ATT0"), "complete\r");
  EXPECT_EQ(sim.ask("WTB0"), NAK);
}

TEST(ProtocolEngine, RemainingCommands) {
  Instrument sim(21);
  EXPECT_EQ(sim.ask("ARD0"), ACK);
  EXPECT_EQ(sim.ask("ARD 2"), ACK);
  EXPECT_EQ(sim.ask("ARD5"), NAK);
  EXPECT_EQ(sim.ask("WRT 12"), ACK);
  EXPECT_EQ(sim.ask("RYT"), "YT,12\r") << "WRT writes YT";
  EXPECT_EQ(sim.ask("RYA7"), "YA,0\r") << "a read ignores an argument";
  EXPECT_EQ(sim.ask("ATS"), "02/03/2025 10:11:12\r") << "nothing recalled: the clock";
  EXPECT_EQ(sim.ask("ACD"), "ACD,0.00\r");
  EXPECT_EQ(sim.ask("ASH"), "ASH,255\r") << "no reading";
}

}  // namespace
}  // namespace tovu::sim

namespace tovu::sim {
namespace {

// The value of a data reply: everything after the echo field (notes may hold commas).
std::string valueOf(const std::string& reply) {
  const auto comma = reply.find(',');
  return comma == std::string::npos ? std::string() : reply.substr(comma + 1, reply.size() - comma - 2);
}

TEST(ProtocolEngine, WhatIsReadFromAStoredItemWritesBackIntoAnEqualItem) {
  for (int model : {3, 21}) {
    Instrument source(model, true);
    int checked = 0;
    for (const auto& [location, original] : InstrumentState(source.state).alogs) {
      if (++checked > 12) break;
      SCOPED_TRACE("model " + std::to_string(model) + " ALog " + std::to_string(location));
      const std::string n = " " + std::to_string(location);
      ASSERT_EQ(source.ask("WFP 1"), ACK);
      ASSERT_EQ(source.ask("WAS" + n), ACK);
      ASSERT_EQ(source.ask("WAM 1"), ACK);
      ASSERT_EQ(source.ask("ADA"), ACK);

      Instrument target(model, false);
      for (const auto& p : parameterTable()) {
        const std::string reply = source.ask(std::string("R") + p.code);
        if (reply == NA || p.kind == ValueKind::ReadOnly) continue;
        std::string value = valueOf(reply);
        // Levels in RF detection go back on the rectified scale.
        if (p.code[0] == 'L' && numberOf(target.state.live.value("DT")) == 3.0)
          value = " " + shortNumber((numberOf(value) + 100.0) / 2.0);
        ASSERT_EQ(target.ask("W" + std::string(p.code) + value), ACK) << p.code << value;
      }
      for (const char* points : {"RP", "YP"}) {
        const std::string reply = source.ask(std::string("R") + points);
        if (reply.size() > 3) {
          ASSERT_EQ(target.ask(std::string("W") + points + reply.substr(2, reply.size() - 3)), ACK);
        }
      }
      const auto trace = source.fields("AWT");
      std::string upload;
      for (int i = 0; i < 255; ++i) upload += "," + trace[2 * i + 1] + "," + trace[2 * i + 2];
      ASSERT_EQ(target.ask("WAS" + n), ACK);
      ASSERT_EQ(target.ask("WAM 0"), ACK);
      ASSERT_EQ(target.ask("AWS" + upload), ACK);
      ASSERT_EQ(target.ask("ADA"), ACK);

      const StoredItem& copy = target.state.alogs.at(location);
      EXPECT_EQ(copy.settings, original.settings);
      for (int i = 0; i < 255; ++i) {
        ASSERT_EQ(copy.trace->min[i], original.trace->min[i]) << i;
        ASSERT_EQ(copy.trace->max[i], original.trace->max[i]) << i;
      }
      EXPECT_EQ(source.ask("ATS"), original.timeStamp + "\r");
    }
    EXPECT_GT(checked, 3);
  }
}

}  // namespace
}  // namespace tovu::sim
