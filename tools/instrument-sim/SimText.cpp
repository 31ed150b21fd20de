#include "SimText.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace tovu::sim {

// The instrument's own reading of numbers: blanks first, a sign, digits with at most one
// point, an exponent; the rest of the text is ignored. Written here and not borrowed from
// the program, so a misreading cannot hide in both.
double numberOf(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0.0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  // from_chars would also take "inf" and "nan", which no setting spells.
  if (i >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) return 0.0;
  double value = 0.0;
  const auto res = std::from_chars(text.data() + i, text.data() + text.size(), value);
  if (res.ec != std::errc()) return 0.0;
  return negative ? -value : value;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool isNumberText(const std::string& text) {
  const std::string t = trimmed(text);
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  bool digits = false, point = false;
  for (; i < t.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(t[i]))) {
      digits = true;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

std::optional<int> intArgument(const std::string& text) {
  const std::string t = trimmed(text);
  if (t.empty() || t.size() > 9) return std::nullopt;
  std::size_t i = (t[0] == '-') ? 1 : 0;
  if (i == t.size()) return std::nullopt;
  for (std::size_t k = i; k < t.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(t[k]))) return std::nullopt;
  return std::stoi(t);
}

std::vector<std::string> splitOn(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  while (true) {
    const auto comma = text.find(separator, start);
    fields.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return fields;
}

// The shortest text that reads back as the same double ("80", "77.5", "0.1").
std::string shortNumber(double value) {
  if (value == 0.0) return "0";
  char buffer[64];
  const auto res = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, res.ptr);
}

std::string fixedNumber(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string s = buffer;
  if (s.rfind("-0", 0) == 0 && numberOf(s) == 0.0) s.erase(0, 1);  // no "-0.0"
  return s;
}

std::string escapeBytes(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace tovu::sim
