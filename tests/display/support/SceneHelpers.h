#pragma once
// Building scenes from fixtures and reading back what a recorded drawing holds.

#include "app/display/AScanPainter.h"
#include "app/display/AScanText.h"
#include "app/display/Drawing.h"
#include "display/support/FakeStrings.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <vector>

namespace tovu::display::testing {

// Distinct colours per role, so a line's pen tells which overlay drew it.
AScanColours testColours();
constexpr Rgb kMainWave = 0x0000FF, kSecondWave = 0x00FF00, kGates = 0xFF0000, kDac = 0x00FFFF,
              kTcg = 0xFF00FF, kAvg = 0x008080;

struct Segment {
    int x0, y0, x1, y1;
    int width;
    bool operator==(const Segment&) const = default;
};

// Every line segment drawn with a pen of this colour, in order (zero-length ones too).
std::vector<Segment> segmentsOf(const Drawing& d, Rgb colour);
// The number of times a pen of this colour was selected.
int pensOf(const Drawing& d, Rgb colour);
// The dump lines that start with a word ("text", "rect", "symbol", ...).
QStringList linesOf(const Drawing& d, const QString& word);
// The texts written, with position and the alignment in force: "x y align text".
QStringList textsOf(const Drawing& d);

Drawing drawScene(const items::DFDRecord& item, AScanView view = {}, const items::DFDRecord* second = nullptr,
                  const QString& decimalSeparator = QStringLiteral("."));
Drawing drawText(const items::DFDRecord& item, AScanView view = {}, const items::DFDRecord* second = nullptr,
                 const QString& decimalSeparator = QStringLiteral("."), const FakeStrings* strings = nullptr);

} // namespace tovu::display::testing
