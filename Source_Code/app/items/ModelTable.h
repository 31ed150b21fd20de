#pragma once
// The instrument model table and the mapping from a model code to its block of
// parameter names in the string tables.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace tovu::items {

constexpr int kModelCount = 43;  // model codes 0 to 42

using ModelNameTable = std::array<QString, kModelCount>;

// Fills the table with the model names, indexed by model code.
void InitModelNames(ModelNameTable& ModelNames);
ModelNameTable makeModelNames();

// First string id of the parameter-name block of a model code; any code, in range or
// not, gets a block (1500 for every code not listed).
std::int16_t GetModelResourceBase(int model);

// Label rule of a parameter-name block. base is the block's first id, offset the
// setting's label row.
int settingLabelId(int base, int offset);
// Id of the label of choice v: base + offset + n + 1, n the rounded number value of v.
int choiceLabelId(int base, int offset, const QString& value);

using StringLookup = std::function<QString(int)>;
QString settingLabel(const StringLookup& lookup, int base, int offset);
QString choiceLabel(const StringLookup& lookup, int base, int offset, const QString& value);

} // namespace tovu::items
