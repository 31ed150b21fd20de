#include "FaultPlan.h"

#include "SimText.h"

#include <array>
#include <utility>

namespace tovu::sim {

namespace {
const std::array<std::pair<const char*, FaultKind>, 11> kKinds = {{
    {"nak", FaultKind::Nak},         {"silence", FaultKind::Silence}, {"delay", FaultKind::Delay},
    {"garbage", FaultKind::Garbage}, {"noise", FaultKind::Noise},     {"dribble", FaultKind::Dribble},
    {"nocr", FaultKind::NoCr},       {"close", FaultKind::Close},     {"notnumber", FaultKind::NotANumber},
    {"extrafield", FaultKind::ExtraField}, {"cutshort", FaultKind::CutShort},
}};
}  // namespace

bool garblesReply(FaultKind kind) {
  return kind == FaultKind::NotANumber || kind == FaultKind::ExtraField || kind == FaultKind::CutShort;
}

std::string garbledReply(FaultKind kind, const std::string& reply) {
  const std::size_t comma = reply.find(',');
  if (!garblesReply(kind) || comma == std::string::npos || reply.empty() || reply.back() != '\r') return reply;
  const std::string head = reply.substr(0, comma + 1);
  const std::string value = reply.substr(comma + 1, reply.size() - comma - 2);
  switch (kind) {
    case FaultKind::NotANumber: return head + kGarbledText + "\r";
    case FaultKind::ExtraField: return head + value + "," + kGarbledText + "\r";
    default: return head + "\r";
  }
}

std::string faultKindName(FaultKind kind) {
  for (const auto& [name, k] : kKinds)
    if (k == kind) return name;
  return "?";
}

std::optional<FaultRule> parseFault(const std::string& text) {
  const auto parts = splitOn(text, ':');
  if (parts.size() < 2 || parts.size() > 5) return std::nullopt;
  FaultRule rule;
  rule.command = parts[0];
  if (rule.command != "*" && rule.command.size() != 3) return std::nullopt;
  bool known = false;
  for (const auto& [name, k] : kKinds)
    if (parts[1] == name) rule.kind = k, known = true;
  if (!known) return std::nullopt;
  int* const numbers[] = {&rule.times, &rule.param, &rule.skip};
  for (std::size_t i = 2; i < parts.size(); ++i) {
    const auto v = intArgument(parts[i]);
    if (!v || *v < 0) return std::nullopt;
    *numbers[i - 2] = *v;
  }
  return rule;
}

void FaultPlan::add(const FaultRule& rule) { entries_.push_back({rule, 0}); }
void FaultPlan::clear() { entries_.clear(); }

std::vector<FaultRule> FaultPlan::take(const std::string& command) {
  std::vector<FaultRule> hits;
  for (auto& e : entries_) {
    if (e.rule.command != "*" && e.rule.command != command) continue;
    const int index = e.seen++;
    if (index < e.rule.skip) continue;
    if (e.rule.times == 0 || index < e.rule.skip + e.rule.times) hits.push_back(e.rule);
  }
  return hits;
}

}  // namespace tovu::sim
