#include "FaultPlan.h"

#include "SimText.h"

#include <array>
#include <utility>

namespace tovu::sim {

namespace {
const std::array<std::pair<const char*, FaultKind>, 8> kKinds = {{
    {"nak", FaultKind::Nak},         {"silence", FaultKind::Silence}, {"delay", FaultKind::Delay},
    {"garbage", FaultKind::Garbage}, {"noise", FaultKind::Noise},     {"dribble", FaultKind::Dribble},
    {"nocr", FaultKind::NoCr},       {"close", FaultKind::Close},
}};
}  // namespace

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
