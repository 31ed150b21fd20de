#pragma once
// Small text helpers of the simulated instrument: numbers in and out of setting texts,
// integer arguments, and the escaped form of wire bytes used in transcripts.

#include <optional>
#include <string>
#include <vector>

namespace tovu::sim {

// The leading number of a setting text (0 when there is none): blanks, a sign, digits
// with a point, an exponent; whatever follows is ignored ("12.5mm" is 12.5).
double numberOf(const std::string& text);

// True when the whole text, blanks around it aside, is one decimal number.
bool isNumberText(const std::string& text);

// A whole number 0.. or negative, blanks around it allowed ("  5", "-3"); nothing otherwise.
std::optional<int> intArgument(const std::string& text);

std::string trimmed(const std::string& text);
std::vector<std::string> splitOn(const std::string& text, char separator);
inline std::vector<std::string> splitCommas(const std::string& text) { return splitOn(text, ','); }

// Shortest decimal form ("80", "77.5") and a fixed number of decimals ("40.0").
std::string shortNumber(double value);
std::string fixedNumber(double value, int decimals);

// Printable ASCII as it is, a backslash doubled, every other byte as \xHH.
std::string escapeBytes(const std::string& bytes);

}  // namespace tovu::sim
