#pragma once
// The models the simulated instrument can pretend to be: the identification names and the
// memory each model's generation brings. Kept here on purpose, apart from the program's own
// table, so that a misreading of the model list cannot hide in both.

#include <optional>
#include <string>

namespace tovu::sim {

constexpr int kModelCount = 43;

// The identification name of model code 0..42 ("UNKNOWN MODEL" for 0 and out of range).
const std::string& modelName(int code);

// Code for "--model": a decimal code 0..42, or a name compared without regard to case
// (the first code wins where two codes share a name).
std::optional<int> modelFromText(const std::string& text);

// Memory generation: 0 for codes below 19, 1 for 19..35, 2 from 36.
int memoryGeneration(int code);
int panelCount(int generation);  // 20, 100, 100
int alogCount(int generation);   // 100, 800, 10000

}  // namespace tovu::sim
