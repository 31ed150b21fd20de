#pragma once
// The six colours of the A-scan picture, kept in the settings store's "Colours"
// section as decimal text of a 24-bit value with red in the low byte.

#include "app/display/Canvas.h"
#include "app/display/SettingsAccess.h"

#include <array>

namespace tovu::display {

enum class ColourRole { MainWave, SecondWave, Gates, Dac, Tcg, Avg };
constexpr int kColourRoles = 6;

struct AScanColours {
    std::array<Rgb, kColourRoles> values{};  // indexed by ColourRole

    Rgb operator[](ColourRole r) const { return values[static_cast<int>(r)]; }
    Rgb& operator[](ColourRole r) { return values[static_cast<int>(r)]; }
    bool operator==(const AScanColours&) const = default;
};

inline const QString kColoursSection = QStringLiteral("Colours");

// The settings key of a colour ("Main Wave", "SecondWave", "Gates", "Dac", "Tcg", "Avg").
QString colourKey(ColourRole role);

// A stored colour: the text's leading number, rounded, kept to 24 bits; a missing or
// unreadable value is 0, black.
Rgb colourOfText(const QString& text);

AScanColours readColours(const SettingsAccess& settings);

// Writes all six, in the order "Dac", "Tcg", "Gates", "Main Wave", "SecondWave", "Avg".
void saveColours(SettingsAccess& settings, const AScanColours& colours);

} // namespace tovu::display
