#include "ModelTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace tovu::sim {

namespace {

// Two blanks in code 35 are part of that instrument's name.
const std::array<std::string, kModelCount> kNames = {
    "UNKNOWN MODEL", "VELTRIS 120",  "VELTRIS 130", "VELTRIS 230",  "KORAVEL 330",  "KORAVEL 335",
    "BRENTIS 400",   "TOLVANE 125",  "QMR400",      "QMR300",       "HJV-244",      "VELTRIS 140",
    "VELTRIS 240",   "KORAVEL 340",  "QMR450",      "QMR500",       "KORAVEL 333",  "TL125 LCD",
    "TL125",         "VELTRIS 123W", "TOLVANE 125", "VELTRIS 150",  "VELTRIS 160",  "VELTRIS 250",
    "KORAVEL 350",   "KORAVEL 380",  "MIRELD 410",  "BRENTIS 450",  "ZANDO 701",    "ZANDO 705",
    "QMR 600",       "QMR 700",      "QMR 800",     "Darvo Dev",    "TOLVANE 150",  "VELTRIS  140",
    "VELTRIS D-10",  "VELTRIS D-20", "HJV-615",     "HJV-625",      "HJV-635",      "HJV-638",
    "Sorvan Dev"};

std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

}  // namespace

const std::string& modelName(int code) {
  return (code >= 0 && code < kModelCount) ? kNames[code] : kNames[0];
}

std::optional<int> modelFromText(const std::string& text) {
  int code = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (ec == std::errc() && end == text.data() + text.size())
    return (code >= 0 && code < kModelCount) ? std::optional<int>(code) : std::nullopt;
  for (int i = 0; i < kModelCount; ++i)
    if (upper(kNames[i]) == upper(text)) return i;
  return std::nullopt;
}

int memoryGeneration(int code) { return code < 19 ? 0 : (code <= 35 ? 1 : 2); }
int panelCount(int generation) { return generation == 0 ? 20 : 100; }
int alogCount(int generation) { return generation == 0 ? 100 : (generation == 1 ? 800 : 10000); }

}  // namespace tovu::sim
