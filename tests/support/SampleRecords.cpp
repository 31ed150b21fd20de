#include "support/SampleRecords.h"

#include <cmath>
#include <cstddef>

namespace tovu::test {

namespace {

QString text(const char* latin1) { return QString::fromLatin1(latin1); }

items::Gate gate(const char* state, const char* start, const char* width, const char* level)
{
    return {text(state), text(start), text(width), text(level)};
}

} // namespace

items::DFDRecord sampleALog()
{
    items::DFDRecord r;
    r.ModelIndex = 2;
    r.InUse = true;
    r.WaveformPresent = true;
    items::RecordSettings& s = r.editSettings();
    s.SlotText = text("7");
    s.Range = text("50");
    s.Delay = text("0");
    s.Velocity = text("5920");
    s.ProbeZero = text("0.000");
    s.Gain = text("40.0");
    s.GainRef = text("0.0");
    s.Frequency = text("2");
    s.FrequencyText = text("N/A");
    s.Detect = text("2");
    s.Reject = text("0");
    s.Contour = text("0");
    s.TxWidth = text("100");
    s.Damping = text("1");
    s.TxMode = text("0");
    s.PrfMax = text("0");
    s.Volts = text("1");
    s.PE = text("0");
    s.Gates[0] = gate("1", "10", "20", "40");
    s.Gates[1] = gate("0", "30", "10", "20");
    s.Gates[2] = gate("0", "5", "5", "50");
    s.MeasMode = text("1");
    s.TrigMode = text("0");
    s.Hud = text("1");
    s.HS = text("N/A");
    s.TMin = text("0");
    s.Blank = text("10");
    s.Angle = text("0");
    s.Thickness = text("20.00");
    s.XOffset = text("0");
    s.Distance = text("12.5");
    s.Peak = text("80");
    s.DacMode = text("0");
    s.DacCurveSet = text("0");
    s.TcgMode = text("0");
    s.AwsMode = text("0");
    s.AwsRef = text("30");
    s.IlDb = text("1.5");
    s.AfDb = text("2.5");
    s.IrDb = text("3.5");
    s.AvgMode = text("0");
    s.Ers = text("2.0");
    s.RefHole = text("3.0");
    s.TLoss = text("0.5");
    s.RefDb = text("10");
    s.MatDb = text("4");
    s.AgcMode = text("0");
    s.AgcHeight = text("80");
    s.Units = text("0");
    s.Click = text("1");
    s.Alarm = text("1");
    s.Smooth = text("0");
    s.Video = text("0");
    s.DisplayType = text("N/A");
    s.Colour = text("3");
    s.Bright = text("5");
    s.Graticule = text("1");
    s.NoteLabel = text("WELD 7 ");
    items::RecordCurves& c = r.editCurves();
    for (int x = 0; x < items::kCurveLength; ++x) {
        const double echo1 = 160 * std::exp(-std::pow((x - 60) / 4.0, 2));
        const double echo2 = 90 * std::exp(-std::pow((x - 150) / 5.0, 2));
        const int ripple = (x * 7) % 5;
        c.WaveMax[static_cast<std::size_t>(x)] = static_cast<std::int16_t>(ripple + echo1 + echo2);
        c.WaveMin[static_cast<std::size_t>(x)] = static_cast<std::int16_t>(ripple / 2);
    }
    return r;
}

items::DFDRecord sampleALogWithDac()
{
    items::DFDRecord r = sampleALog();
    r.editSettings().DacMode = text("1");
    r.DacPresent = true;
    r.DacCurvePresent = true;
    items::RecordCurves& c = r.editCurves();
    for (int x = 0; x < items::kCurveLength; ++x)
        c.DacCurveA[static_cast<std::size_t>(x)] = c.DacCurveB[static_cast<std::size_t>(x)]
            = static_cast<std::int16_t>(180 - x / 2);
    return r;
}

items::DFDRecord annotatedALog()
{
    items::DFDRecord r = sampleALog();
    items::RecordSettings& s = r.editSettings();
    s.SlotText.clear();
    s.Range = text("50.0");
    s.Delay = text("0.00");
    s.ProbeZero = text("1.25");
    s.GainRef = text("6.0");
    s.Reject = text("10");
    s.PrfMax = text("3");
    s.PE.clear();
    s.Gates[0] = gate("1", "10.0", "20.0", "40");
    s.Gates[1] = gate("0", "30.0", "5.0", "60");
    s.Gates[2] = gate("3", "99", "99", "99");
    s.TrigMode = text("1");
    s.Hud = text("2");
    s.HS.clear();
    s.Blank = text("15");
    s.Angle = text("45.0");
    s.Thickness = text("25.0");
    s.XOffset = text("8.0");
    s.Distance = text("12.34");
    s.Peak = text("78");
    s.Dist1 = text("25.0");
    s.Dist2 = text("50.0");
    s.DacMode.clear();
    s.DacCurveSet.clear();
    s.TcgMode.clear();
    s.AwsMode = text("2");
    s.AwsRef = text("80");
    s.AvgMode = text("5");
    s.AvgProbe = text("B2S");
    s.TLoss = text("1.0");
    s.RefDb = text("20");
    s.MatDb = text("0.5");
    s.AgcMode = text("1");
    s.Alarm = text("0");
    s.Smooth = text("1");
    s.Video = text("1");
    s.DisplayType = text("1");
    s.Bright = text("6");
    s.Graticule = text("2");
    s.PoutMode = text("1");
    s.Output1 = text("3");
    s.Output2 = text("2");
    s.OutputTrigger = text("0");
    s.NoteLabel = text("WELD7");
    s.NoteOperator = text("J. Smith");
    s.NoteLocation = text("Bay 4");
    s.NoteProbe = text("MSEB4");
    s.NoteText = text("Root crack indication at 12 mm depth");
    s.Memo = text("Checked twice");
    items::RecordCurves& c = r.editCurves();
    for (int x = 0; x < items::kCurveLength; ++x) {
        const int echo = (x > 60 && x < 70) ? 180 : (x > 150 && x < 156) ? 120 : 8;
        c.WaveMax[static_cast<std::size_t>(x)] = static_cast<std::int16_t>(echo);
        c.WaveMin[static_cast<std::size_t>(x)] = 0;
    }
    return r;
}

void fillFlatTrace(items::DFDRecord& r, int min, int max)
{
    items::RecordCurves& c = r.editCurves();
    c.WaveMin.fill(static_cast<std::int16_t>(min));
    c.WaveMax.fill(static_cast<std::int16_t>(max));
}

items::DFDRecord numberedALog(int n)
{
    items::DFDRecord r;
    r.InUse = true;
    r.WaveformPresent = true;
    r.ModelIndex = 21;
    items::RecordSettings& s = r.editSettings();
    s.SlotText = QString::number(n);
    s.IdentText = text("VELTRIS 150 V2.10");
    s.TimeStamp = text("14/03/2024 10:42:07");
    s.Range = QString::number(100 + n % 400) + text(".0");
    s.Velocity = text("5920");
    s.Gain = QString::number(20 + n % 40) + text(".5");
    s.Gates[0] = gate("1", "10.0", "20.0", "40");
    s.NoteLabel = text("W") + QString::number(n);
    s.NoteOperator = text("J. Smith");
    s.NoteProbe = text("MSEB4");
    s.NoteText = text("Root indication near the cap, 12 mm");
    items::RecordCurves& c = r.editCurves();
    for (int i = 0; i < items::kCurveLength; ++i) {
        c.WaveMin[static_cast<std::size_t>(i)] = static_cast<std::int16_t>((i * 11 + n) % 128);
        c.WaveMax[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(128 + (i * 13 + n) % 127);
    }
    return r;
}

items::DFDRecord fullItem(int n, bool alog)
{
    items::DFDRecord r = numberedALog(n);
    r.ModelIndex = static_cast<std::int16_t>(36 + n % 7);
    r.DataVersion = 3;
    r.WaveformPresent = alog;
    r.DacCurvePresent = r.AvgCurvePresent = r.TcgCurvePresent = true;
    r.DacPresent = r.TcgPresent = true;  // the ten points below, as a download leaves them
    items::RecordSettings& s = r.editSettings();
    s.IdentText = text("VELTRIS D-10 V3.02");
    s.Delay = text("0.00");
    s.Gates.fill(s.Gates[0]);
    s.DacMode = text("1");
    s.DacPointCount = text("10");
    s.TcgMode = text("1");
    s.TcgPointCount = text("10");
    for (std::size_t i = 1; i <= 10; ++i) {
        s.DacX[i] = s.TcgX[i] = QString::number(i * 10) + text(".0");
        s.DacY[i] = s.TcgY[i] = QString::number(100 - static_cast<int>(i) * 7);
    }
    s.NoteLocation = text("Pipe rack 4, north");
    s.NoteProbe = text("MWB45");
    s.NoteText = text("Root indication near the cap, 12 mm; to be re-tested next shift");
    s.Memo = text("first line of the memo\r\nsecond line\r\nthird");
    items::RecordCurves& c = r.editCurves();
    for (int i = 0; i < items::kCurveLength; ++i) {
        const auto k = static_cast<std::size_t>(i);
        c.DacCurveA[k] = static_cast<std::int16_t>(200 - i % 200);
        c.DacCurveB[k] = static_cast<std::int16_t>(i % 50 == 0 ? -1 : i);
        c.AvgCurveA[k] = static_cast<std::int16_t>(i * 3 % 255);
        c.AvgCurveB[k] = static_cast<std::int16_t>(i * 5 % 255);
        c.TcgCurve[k] = static_cast<std::int16_t>(i * 7 % 120 - 20);
    }
    return r;
}

} // namespace tovu::test
