#include "display/support/Fixtures.h"

#include <cmath>

namespace tovu::display::testing {

items::DFDRecord alogFixture()
{
    items::DFDRecord r;
    r.ModelIndex = 2;
    r.InUse = true;
    r.WaveformPresent = true;
    auto& s = r.editSettings();
    s.SlotText = QStringLiteral("7");
    s.Range = QStringLiteral("50");
    s.Delay = QStringLiteral("0");
    s.Velocity = QStringLiteral("5920");
    s.ProbeZero = QStringLiteral("0.000");
    s.Gain = QStringLiteral("40.0");
    s.GainRef = QStringLiteral("0.0");
    s.Frequency = QStringLiteral("2");
    s.FrequencyText = QStringLiteral("N/A");
    s.Detect = QStringLiteral("2");
    s.Reject = QStringLiteral("0");
    s.Contour = QStringLiteral("0");
    s.TxWidth = QStringLiteral("100");
    s.Damping = QStringLiteral("1");
    s.TxMode = QStringLiteral("0");
    s.PrfMax = QStringLiteral("0");
    s.Volts = QStringLiteral("1");
    s.PE = QStringLiteral("0");
    s.Gates[0] = {QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("40")};
    s.Gates[1] = {QStringLiteral("0"), QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("20")};
    s.Gates[2] = {QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("50")};
    s.MeasMode = QStringLiteral("1");
    s.TrigMode = QStringLiteral("0");
    s.Hud = QStringLiteral("1");
    s.HS = QStringLiteral("N/A");
    s.TMin = QStringLiteral("0");
    s.Blank = QStringLiteral("10");
    s.Angle = QStringLiteral("0");
    s.Thickness = QStringLiteral("20.00");
    s.XOffset = QStringLiteral("0");
    s.Distance = QStringLiteral("12.5");
    s.Peak = QStringLiteral("80");
    s.DacMode = QStringLiteral("0");
    s.DacCurveSet = QStringLiteral("0");
    s.TcgMode = QStringLiteral("0");
    s.AwsMode = QStringLiteral("0");
    s.AwsRef = QStringLiteral("30");
    s.IlDb = QStringLiteral("1.5");
    s.AfDb = QStringLiteral("2.5");
    s.IrDb = QStringLiteral("3.5");
    s.AvgMode = QStringLiteral("0");
    s.Ers = QStringLiteral("2.0");
    s.RefHole = QStringLiteral("3.0");
    s.TLoss = QStringLiteral("0.5");
    s.RefDb = QStringLiteral("10");
    s.MatDb = QStringLiteral("4");
    s.AgcMode = QStringLiteral("0");
    s.AgcHeight = QStringLiteral("80");
    s.Units = QStringLiteral("0");
    s.Click = QStringLiteral("1");
    s.Alarm = QStringLiteral("1");
    s.Smooth = QStringLiteral("0");
    s.Video = QStringLiteral("0");
    s.DisplayType = QStringLiteral("N/A");
    s.Colour = QStringLiteral("3");
    s.Bright = QStringLiteral("5");
    s.Graticule = QStringLiteral("1");
    s.NoteLabel = QStringLiteral("WELD 7 ");
    auto& c = r.editCurves();
    for (int x = 0; x < items::kCurveLength; ++x) {
        const double echo1 = 160 * std::exp(-std::pow((x - 60) / 4.0, 2));
        const double echo2 = 90 * std::exp(-std::pow((x - 150) / 5.0, 2));
        const int noise = (x * 7) % 5;
        c.WaveMax[x] = static_cast<std::int16_t>(noise + echo1 + echo2);
        c.WaveMin[x] = static_cast<std::int16_t>(noise / 2);
    }
    return r;
}

items::DFDRecord dacFixture()
{
    items::DFDRecord r = alogFixture();
    r.editSettings().DacMode = QStringLiteral("1");
    r.DacPresent = true;
    r.DacCurvePresent = true;
    auto& c = r.editCurves();
    for (int x = 0; x < items::kCurveLength; ++x) {
        c.DacCurveA[x] = static_cast<std::int16_t>(180 - x / 2);
        c.DacCurveB[x] = static_cast<std::int16_t>(180 - x / 2);
    }
    return r;
}

void fillFlatTrace(items::DFDRecord& r, int min, int max)
{
    auto& c = r.editCurves();
    c.WaveMin.fill(static_cast<std::int16_t>(min));
    c.WaveMax.fill(static_cast<std::int16_t>(max));
}

} // namespace tovu::display::testing
