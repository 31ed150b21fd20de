#include "SignalModel.h"

#include "SimText.h"

#include <algorithm>
#include <cmath>

namespace tovu::sim {

namespace {

std::int16_t clampRow(double v) {
  return static_cast<std::int16_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Linear interpolation of y over the sorted points; nothing outside the first and last x.
std::optional<double> interpolate(const std::vector<std::pair<double, double>>& pts, double x,
                                  bool extend) {
  if (pts.empty()) return std::nullopt;
  if (x <= pts.front().first) return (extend || x == pts.front().first) ? std::optional(pts.front().second) : std::nullopt;
  if (x >= pts.back().first) return (extend || x == pts.back().first) ? std::optional(pts.back().second) : std::nullopt;
  for (std::size_t i = 1; i < pts.size(); ++i) {
    if (x <= pts[i].first) {
      const auto [x0, y0] = pts[i - 1];
      const auto [x1, y1] = pts[i];
      return x1 == x0 ? y1 : y0 + (y1 - y0) * (x - x0) / (x1 - x0);
    }
  }
  return std::nullopt;
}

std::vector<std::pair<double, double>> numeric(const PointList& points) {
  std::vector<std::pair<double, double>> out;
  for (const auto& [x, y] : points) out.emplace_back(numberOf(x), numberOf(y));
  std::sort(out.begin(), out.end());
  return out;
}

double gainFactor(const Settings& s) {
  return std::pow(10.0, (numberOf(s.value("GN")) - numberOf(s.value("GR"))) / 20.0);
}

}  // namespace

Trace traceFor(const Settings& s, unsigned variant) {
  Trace t;
  const double range = std::max(1.0, numberOf(s.value("RG")));
  const double delay = numberOf(s.value("TD"));
  const double gain = numberOf(s.value("GN"));
  const int detect = static_cast<int>(numberOf(s.value("DT")));
  const double amplitude = std::pow(10.0, (gain - 40.0) / 20.0);
  const double thickness = std::max(1.0, numberOf(s.value("TH")));
  const double flawDepth = thickness * (0.25 + 0.5 * ((variant * 37u) % 100u) / 100.0);

  struct Echo { double sample; double height; double width; };
  std::vector<Echo> echoes;
  if (delay < range * 0.05) echoes.push_back({(0.0 - delay) * 255.0 / range + 3.0, 190.0, 3.0});
  echoes.push_back({(flawDepth - delay) * 255.0 / range, 60.0 + (variant % 7u) * 12.0, 2.0});
  for (int n = 1; n <= 3; ++n)
    echoes.push_back({(n * thickness - delay) * 255.0 / range, 150.0 / n, 2.5});

  unsigned noise = variant * 2654435761u + 12345u;
  for (int x = 0; x < 256; ++x) {
    double e = 0.0;
    for (const auto& echo : echoes) {
      const double d = (x - echo.sample) / echo.width;
      if (std::abs(d) < 6.0) e = std::max(e, echo.height * std::exp(-d * d));
    }
    noise = noise * 1103515245u + 12345u;
    const double grass = (noise >> 16) % 5u;
    const double envelope = std::min(e * amplitude + grass, 200.0);
    if (detect == 3) {  // RF: both half-waves around mid screen
      t.max[x] = clampRow(100.0 + envelope / 2.0);
      t.min[x] = clampRow(100.0 - envelope / 2.0);
    } else {
      t.max[x] = clampRow(envelope);
      t.min[x] = clampRow(std::min(grass, envelope));
    }
  }
  return t;
}

std::pair<std::string, std::string> gateReading(const Settings& s, const Trace& t) {
  if (numberOf(s.value("GA")) == 0.0) return {"0.00", "255"};
  const double range = std::max(1.0, numberOf(s.value("RG")));
  const double delay = numberOf(s.value("TD"));
  const int first = std::clamp(static_cast<int>((numberOf(s.value("SA")) - delay) * 255.0 / range), 0, 255);
  const int last = std::clamp(static_cast<int>((numberOf(s.value("SA")) + numberOf(s.value("WA")) - delay) * 255.0 / range), 0, 255);
  int best = -1;
  for (int x = first; x <= last; ++x)
    if (best < 0 || t.max[x] > t.max[best]) best = x;
  if (best < 0 || t.max[best] < 10) return {"0.00", "255"};
  return {fixedNumber(delay + best * range / 255.0, 2), shortNumber(std::round(t.max[best] / 2.0))};
}

CurvePair dacCurve(const Settings& s, bool gainPoints) {
  CurvePair c;
  auto pts = numeric(s.dacPoints);
  if (gainPoints) {
    const double ref = numberOf(s.value("GR"));
    for (auto& p : pts) p.second = 80.0 * std::pow(10.0, (ref - p.second) / 20.0);
  }
  const double factor = gainFactor(s);
  for (int x = 0; x < 256; ++x) {
    const auto h = interpolate(pts, x, false);
    c.a[x] = c.b[x] = h ? clampRow(2.0 * *h * factor) : 255;
  }
  if (gainPoints) c.b[254] = c.b[255] = -1;
  return c;
}

CurvePair avgCurve(const Settings& s) {
  CurvePair c;
  const double ers = std::max(0.5, numberOf(s.value("EK")));
  const double nearField = 20.0 + ers;
  const double factor = gainFactor(s);
  for (int x = 0; x < 256; ++x) {
    const double h = 160.0 * nearField / std::max(static_cast<double>(x), nearField);
    c.a[x] = c.b[x] = clampRow(h * factor);
  }
  return c;
}

std::array<std::int16_t, 256> tcgCurve(const Settings& s) {
  std::array<std::int16_t, 256> c{};
  const auto pts = numeric(s.tcgPoints);
  for (int x = 1; x < 256; ++x) {
    const auto g = interpolate(pts, x, true);
    c[x] = g ? static_cast<std::int16_t>(std::clamp(std::lround(*g * 10.0), -32768L, 32767L)) : 0;
  }
  return c;
}

}  // namespace tovu::sim
