#include "app/items/NumberText.h"

#include <cmath>
#include <limits>

namespace tovu::items {

double valueOfText(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    QString digits;
    digits.reserve(n - i);
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        digits.append(text[i++]);
    bool any = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        digits.append(text[i++]);
        any = true;
    }
    if (i < n && text[i] == u'.') {
        digits.append(text[i++]);
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            digits.append(text[i++]);
            any = true;
        }
    }
    if (!any)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        QString exp = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exp.append(text[j++]);
        bool expDigits = false;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            exp.append(text[j++]);
            expDigits = true;
        }
        if (expDigits)
            digits.append(exp);
    }
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return v;
}

namespace {
template <typename Int>
std::optional<Int> roundTo(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value);  // default rounding mode: half to even
    if (r < static_cast<double>(std::numeric_limits<Int>::min())
        || r > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(r);
}
} // namespace

std::optional<std::int32_t> roundToInt32(double value) { return roundTo<std::int32_t>(value); }
std::optional<std::int16_t> roundToInt16(double value) { return roundTo<std::int16_t>(value); }

std::int32_t intOfText(QStringView text, std::int32_t fallback)
{
    return roundToInt32(valueOfText(text)).value_or(fallback);
}

std::int32_t roundClamped(double value, std::int32_t lo, std::int32_t hi)
{
    if (std::isnan(value))
        return lo;
    if (value <= lo)
        return lo;
    if (value >= hi)
        return hi;
    return static_cast<std::int32_t>(std::nearbyint(value));
}

QString numberText(long long value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString numberText(double value)
{
    const QString s = plainNumber(value);
    return value < 0 ? s : QLatin1Char(' ') + s;
}

QString plainNumber(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

} // namespace tovu::items
