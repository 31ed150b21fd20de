#pragma once
// The one set of helpers that turns setting texts into numbers and numbers into texts.
// Every layer uses these; none converts on its own.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace tovu::platform::text {

// The number that the leading characters of a text spell: blanks skipped, an optional
// sign, digits with a point as decimal sign whatever the locale, an optional exponent.
// A text that does not begin with a number is 0, so "" and "N/A" read as 0.
double valueOfText(QStringView text);

// Half-to-even rounding to an integer of the given width; nothing when the value is
// not finite or does not fit. Every double-to-integer conversion goes through these.
std::optional<std::int32_t> roundToInt32(double value);
std::optional<std::int16_t> roundToInt16(double value);

// Rounded value of a text, or the fallback when it does not fit.
std::int32_t intOfText(QStringView text, std::int32_t fallback = 0);

// Clamps a rounded value into [lo, hi]; NaN gives lo.
std::int32_t roundClamped(double value, std::int32_t lo, std::int32_t hi);

// A number written in decimal with one leading blank when it is not negative.
QString numberText(long long value);
QString numberText(double value);

// A double in its shortest round-trip decimal form with a point ("2", "3", "2.05").
QString plainNumber(double value);

// ---- Display patterns and the other readings of a setting text ----

// A number written by a pattern of optional digits '#', required digits '0' and at most
// one '.' ("0.##", "###0.00", "0.000"): as many decimals as the pattern allows, rounded;
// trailing optional decimals dropped; the decimal sign, written as decimalSeparator,
// stays whenever the pattern holds one ("0.##" writes 25 as "25."). Not finite: "".
QString formatNumber(double value, QStringView pattern, QStringView decimalSeparator);

// The general number form (up to 15 significant digits, no fixed decimals) with the
// given decimal separator: 0.5 -> "0,5" for a comma locale, 50 -> "50".
QString generalNumber(double value, QStringView decimalSeparator);

// The wider reading used by the settings grid: blanks, tabs and line feeds are ignored
// wherever they stand; "&H" and "&O" prefixes read hexadecimal and octal digits; the
// exponent may be written with E or D. A text that does not begin with a number is 0.
double valOfText(QStringView text);

// A value held in single precision, as the computations that keep a Single do; a value
// beyond the single range becomes an infinity of its sign (never an undefined cast).
double singlePrecision(double value);

// The whole text, blanks around it trimmed, as a number under the given decimal
// separator; nothing when it is not a number ("N/A", "", "2x").
std::optional<double> strictValueOfText(QStringView text, QStringView decimalSeparator);

} // namespace tovu::platform::text
