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

}  // namespace
}  // namespace tovu::sim
