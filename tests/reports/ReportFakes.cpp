#include "ReportFakes.h"

#include "platform/automation/AutomationError.h"

namespace tovu::reports::testing {

items::LanguageContext ownStrings()
{
    return items::LanguageContext([](const QString&) { return automation::DispatchRef(); });
}

items::DFDRecord fixtureRecord()
{
    items::DFDRecord r;
    r.ModelIndex = 2;
    r.InUse = true;
    items::RecordSettings& s = r.editSettings();
    s.Range = QStringLiteral("50.0");
    s.Delay = QStringLiteral("0.00");
    s.Velocity = QStringLiteral("5920");
    s.ProbeZero = QStringLiteral("1.25");
    s.Gain = QStringLiteral("40.0");
    s.GainRef = QStringLiteral("6.0");
    s.Frequency = QStringLiteral("2");
    s.FrequencyText = QStringLiteral("N/A");
    s.Detect = QStringLiteral("2");
    s.Reject = QStringLiteral("10");
    s.Contour = QStringLiteral("0");
    s.TxWidth = QStringLiteral("100");
    s.Damping = QStringLiteral("1");
    s.TxMode = QStringLiteral("0");
    s.PrfMax = QStringLiteral("3");
    s.Volts = QStringLiteral("1");
    s.Gates[0] = {QStringLiteral("1"), QStringLiteral("10.0"), QStringLiteral("20.0"), QStringLiteral("40")};
    s.Gates[1] = {QStringLiteral("0"), QStringLiteral("30.0"), QStringLiteral("5.0"), QStringLiteral("60")};
    s.Gates[2] = {QStringLiteral("3"), QStringLiteral("99"), QStringLiteral("99"), QStringLiteral("99")};
    s.MeasMode = QStringLiteral("1");
    s.TrigMode = QStringLiteral("1");
    s.Hud = QStringLiteral("2");
    s.TMin = QStringLiteral("0");
    s.Blank = QStringLiteral("15");
    s.Angle = QStringLiteral("45.0");
    s.Thickness = QStringLiteral("25.0");
    s.XOffset = QStringLiteral("8.0");
    s.Distance = QStringLiteral("12.34");
    s.Peak = QStringLiteral("78");
    s.Dist1 = QStringLiteral("25.0");
    s.Dist2 = QStringLiteral("50.0");
    s.AwsMode = QStringLiteral("2");
    s.AwsRef = QStringLiteral("80");
    s.IlDb = QStringLiteral("1.5");
    s.AfDb = QStringLiteral("2.5");
    s.IrDb = QStringLiteral("3.5");
    s.AvgMode = QStringLiteral("5");
    s.AvgProbe = QStringLiteral("B2S");
    s.Ers = QStringLiteral("2.0");
    s.RefHole = QStringLiteral("3.0");
    s.TLoss = QStringLiteral("1.0");
    s.RefDb = QStringLiteral("20");
    s.MatDb = QStringLiteral("0.5");
    s.AgcMode = QStringLiteral("1");
    s.AgcHeight = QStringLiteral("80");
    s.Units = QStringLiteral("0");
    s.Click = QStringLiteral("1");
    s.Alarm = QStringLiteral("0");
    s.Smooth = QStringLiteral("1");
    s.Video = QStringLiteral("1");
    s.DisplayType = QStringLiteral("1");
    s.Colour = QStringLiteral("3");
    s.Bright = QStringLiteral("6");
    s.Graticule = QStringLiteral("2");
    s.PoutMode = QStringLiteral("1");
    s.Output1 = QStringLiteral("3");
    s.Output2 = QStringLiteral("2");
    s.OutputTrigger = QStringLiteral("0");
    s.NoteLabel = QStringLiteral("WELD7");
    s.NoteOperator = QStringLiteral("J. Smith");
    s.NoteLocation = QStringLiteral("Bay 4");
    s.NoteProbe = QStringLiteral("MSEB4");
    s.NoteText = QStringLiteral("Root crack indication at 12 mm depth");
    s.Memo = QStringLiteral("Checked twice");
    r.WaveformPresent = true;
    items::RecordCurves& c = r.editCurves();
    for (int i = 0; i < items::kCurveLength; ++i) {
        const int echo = (i > 60 && i < 70) ? 180 : (i > 150 && i < 156) ? 120 : 8;
        c.WaveMax[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(echo);
        c.WaveMin[static_cast<std::size_t>(i)] = 0;
    }
    return r;
}

automation::Variant RecordingControl::invoke(automation::DispId id, std::vector<automation::Variant>& args,
                                             automation::CallKind, std::span<const QString>)
{
    calls.push_back(Call{id, args});
    if (raising.count(id))
        throw automation::AutomationError::standard(automation::ErrorNumber::MemberNotFound);
    const auto it = results.find(id);
    return it != results.end() ? it->second : automation::Variant(std::int16_t{1});
}

} // namespace tovu::reports::testing
