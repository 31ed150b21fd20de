#pragma once
// Every two-letter setting the simulated instrument answers to with "R<code>" and "W<code>",
// with the kind of value it accepts and the value a fresh instrument starts with.

#include <string>
#include <vector>

namespace tovu::sim {

enum class ValueKind {
  Number,    // any decimal number; stored as written
  Choice,    // an index 0..limit-1
  Text,      // free text of at most `limit` characters, answered padded with blanks
  ReadOnly,  // computed or measured by the instrument; writes are refused
};

// Settings that only some models have; the others answer "not available".
enum class Feature { All, Tcg, Agc };

struct ParameterInfo {
  const char* code;
  ValueKind kind;
  int limit;
  const char* initial;
  Feature feature;
};

const std::vector<ParameterInfo>& parameterTable();
const ParameterInfo* findParameter(const std::string& code);

// Models below this code have neither TCG nor AGC.
constexpr int kFirstModelWithTcg = 11;
bool modelHasFeature(int model, Feature feature);

}  // namespace tovu::sim
