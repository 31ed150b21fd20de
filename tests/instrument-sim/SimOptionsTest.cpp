// The simulator's command line and its fault rules.

#include "instrument-sim/SimOptions.h"

#include <gtest/gtest.h>

namespace tovu::sim {
namespace {

TEST(SimOptions, ParsesTheCommandLine) {
  std::string error;
  const auto o = parseArguments({"--model", "veltris d-10", "--baud", "38400", "--mismatch", "garbage", "--seed", "9",
                                 "--empty", "--echo", "command", "--echo-raw", "--pace", "--time-scale", "0.5",
                                 "--reply-delay", "30", "--fault", "ARM:nak:2", "--fault", "AWT:close:1:100",
                                 "--link", "/tmp/x", "--log", "/tmp/y", "--no-privileges", "--no-remote-check"},
                                &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->instrument.model, 36);
  EXPECT_EQ(o->baud, 38400);
  EXPECT_EQ(o->mismatch, MismatchMode::Garbage);
  EXPECT_EQ(o->instrument.seed, 9u);
  EXPECT_FALSE(o->instrument.seedMemory);
  EXPECT_EQ(o->protocol.echo, EchoStyle::Command);
  EXPECT_TRUE(o->protocol.echoRawReplies);
  EXPECT_FALSE(o->protocol.requireRemote);
  EXPECT_TRUE(o->paceAtBaud);
  EXPECT_DOUBLE_EQ(o->timeScale, 0.5);
  EXPECT_DOUBLE_EQ(o->replyDelayMs, 30);
  ASSERT_EQ(o->faults.size(), 2u);
  EXPECT_EQ(o->faults[1].kind, FaultKind::Close);
  EXPECT_EQ(o->faults[1].param, 100);
  EXPECT_EQ(o->linkPath, "/tmp/x");
  EXPECT_EQ(o->logPath, "/tmp/y");
  EXPECT_EQ(o->instrument.privileges, false);
}

TEST(SimOptions, RefusesWhatItCannotUse) {
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--model", "43"}, {"--baud", "12345"}, {"--baud"}, {"--mismatch", "loud"}, {"--fault", "ARM"},
           {"--fault", "ARMS:nak"}, {"--fault", "ARM:shout"}, {"--fault", "ARM:nak:-1"}, {"--time-scale", "x"},
           {"--frobnicate"}}) {
    std::string error;
    EXPECT_FALSE(parseArguments(bad, &error)) << bad[0];
    EXPECT_FALSE(error.empty()) << bad[0];
  }
  std::string error = "x";
  EXPECT_FALSE(parseArguments({"--help"}, &error));
  EXPECT_TRUE(error.empty()) << "help is not an error";
}

TEST(FaultPlan, CountsTimesAndSkipsPerRule) {
  FaultPlan plan;
  plan.add(*parseFault("ARM:nak:2"));
  plan.add(*parseFault("*:delay:0:50"));
  plan.add(*parseFault("RGN:silence:1:0:1"));
  auto kinds = [&](const std::string& cmd) {
    std::string out;
    for (const auto& f : plan.take(cmd)) out += faultKindName(f.kind) + " ";
    return out;
  };
  EXPECT_EQ(kinds("ARM"), "nak delay ");
  EXPECT_EQ(kinds("ARM"), "nak delay ");
  EXPECT_EQ(kinds("ARM"), "delay ");
  EXPECT_EQ(kinds("RGN"), "delay ") << "the first RGN is let through";
  EXPECT_EQ(kinds("RGN"), "delay silence ");
  EXPECT_EQ(kinds("RGN"), "delay ");
  plan.clear();
  EXPECT_EQ(kinds("ARM"), "");
}

TEST(FaultPlan, GarbledRepliesSpoilOnlyTheValueOfADataReply) {
  struct Case {
    FaultKind kind;
    const char* reply;
    const char* garbled;
  };
  const Case cases[] = {
      {FaultKind::NotANumber, "GN,40.0\r", "GN,X?Z\r"},
      {FaultKind::ExtraField, "GN,40.0\r", "GN,40.0,X?Z\r"},
      {FaultKind::CutShort, "GN,40.0\r", "GN,\r"},
      {FaultKind::NotANumber, "\x06\r", "\x06\r"},              // a status byte is no data reply
      {FaultKind::CutShort, "12/05/2009 10:11\r", "12/05/2009 10:11\r"},  // nor a raw reply
      {FaultKind::Nak, "GN,40.0\r", "GN,40.0\r"},
  };
  for (const Case& c : cases) EXPECT_EQ(garbledReply(c.kind, c.reply), c.garbled) << c.reply;
  for (const char* text : {"RGN:notnumber", "RGN:extrafield:0", "RGN:cutshort:1"}) {
    const auto rule = parseFault(text);
    ASSERT_TRUE(rule) << text;
    EXPECT_TRUE(garblesReply(rule->kind));
  }
}

TEST(SimOptions, TheBareListIsRefusedUnlessTold) {
  std::string error;
  EXPECT_FALSE(parseArguments({}, &error)->protocol.acceptEmptyPointList);
  EXPECT_TRUE(parseArguments({"--accept-empty-points"}, &error)->protocol.acceptEmptyPointList);
}

}  // namespace
}  // namespace tovu::sim
