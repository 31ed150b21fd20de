#include "app/display/CursorReadout.h"

#include "platform/text/NumberText.h"

namespace tovu::display {

using platform::text::valueOfText;

CursorReadout cursorReadout(const items::DFDRecord& item, double X, double Y, double scaleWidth,
                            double scaleHeight, const items::StringSource& strings,
                            const QString& decimalSeparator)
{
    CursorReadout out;
    if (!item.WaveformPresent)
        return out;
    out.show = true;
    if (!item.InUse || scaleWidth <= 6)
        return out;
    const auto& t = item.settings();
    const double x = platform::text::singlePrecision(valueOfText(t.Delay) + X * valueOfText(t.Range) / (scaleWidth - 6));
    const double h0 = platform::text::singlePrecision(scaleHeight - (scaleHeight / 6 + 2));
    std::optional<std::int32_t> percent;
    if (h0 != 0) {
        const double base = platform::text::singlePrecision((h0 - Y) * 100 / h0);
        const bool rf = valueOfText(t.Detect) == 3;
        const double p = platform::text::singlePrecision(rf ? (base - 50) * 2 : base);
        const double lo = rf ? -100 : 0;
        if (p >= lo && p <= 100)
            percent = platform::text::roundToInt32(p);
    }
    // Units beyond mm, in and us name placeholder rows: no unit is shown for them.
    QString unit;
    const double units = valueOfText(t.Units);
    if (units == 0 || units == 1 || units == 2) {
        try {
            unit = strings.GetResString(1172 + static_cast<int>(units));
        } catch (...) {
            unit.clear();
        }
    }
    out.text = QStringLiteral("Cursor Positions:   X=") + platform::text::formatNumber(x, u"0.##", decimalSeparator) + unit
        + QStringLiteral("  Y=") + (percent ? platform::text::numberText(static_cast<long long>(*percent)) : QStringLiteral("--"))
        + QStringLiteral("%");
    return out;
}

} // namespace tovu::display
