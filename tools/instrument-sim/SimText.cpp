#include "SimText.h"

#include "platform/text/NumberText.h"

#include <cctype>
#include <cstdio>

namespace tovu::sim {

double numberOf(const std::string& text) {
  return tovu::platform::text::valueOfText(QString::fromStdString(text));
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

std::string shortNumber(double value) { return tovu::platform::text::plainNumber(value).toStdString(); }

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
