#include "platform/text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tovu::platform::text {

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

QString formatNumber(double value, QStringView pattern, QStringView decimalSeparator)
{
    if (!std::isfinite(value))
        return {};
    const qsizetype dot = pattern.indexOf(u'.');
    const QStringView intPattern = dot < 0 ? pattern : pattern.left(dot);
    const QStringView fracPattern = dot < 0 ? QStringView{} : pattern.mid(dot + 1);
    const qsizetype minInt = intPattern.count(u'0');
    int minFrac = 0;
    int maxFrac = 0;
    for (QChar c : fracPattern) {
        if (c == u'0')
            minFrac = ++maxFrac;
        else if (c == u'#')
            ++maxFrac;
    }
    const QString digits = QString::number(std::fabs(value), 'f', maxFrac);
    const qsizetype point = digits.indexOf(u'.');
    QString whole = point < 0 ? digits : digits.left(point);
    QString frac = point < 0 ? QString() : digits.mid(point + 1);
    while (frac.size() > minFrac && frac.endsWith(u'0'))
        frac.chop(1);
    if (whole == u"0" && minInt == 0)
        whole.clear();
    while (whole.size() < minInt)
        whole.prepend(u'0');
    const bool nonZero = std::any_of(digits.cbegin(), digits.cend(),
                                     [](QChar c) { return c.isDigit() && c != u'0'; });
    QString out = (value < 0 && nonZero) ? QStringLiteral("-") : QString();
    out += whole;
    if (dot >= 0)
        out += decimalSeparator.toString() + frac;
    return out;
}

QString generalNumber(double value, QStringView decimalSeparator)
{
    QString s = plainNumber(value);
    s.replace(QLatin1Char('.'), decimalSeparator.toString());
    return s;
}

double valOfText(QStringView text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            s.append(c);
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (radix == 0)
            return 0.0;
        double v = 0;
        for (qsizetype i = 2; i < s.size(); ++i) {
            const int d = QStringView(s).mid(i, 1).toInt(nullptr, radix);
            const bool isDigit = s[i] == u'0' || d > 0;
            if (!isDigit)
                break;
            v = v * radix + d;
        }
        return v;
    }
    // Same shape as valueOfText, with D accepted as the exponent letter.
    qsizetype i = 0;
    QString norm;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        norm.append(s[i++]);
    while (i < s.size() && (s[i].isDigit() || s[i] == u'.') && s[i].unicode() < 128)
        norm.append(s[i++]);
    if (i + 1 < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        norm.append(u'e');
        ++i;
        while (i < s.size() && ((s[i].isDigit() && s[i].unicode() < 128) || s[i] == u'+' || s[i] == u'-'))
            norm.append(s[i++]);
    }
    return valueOfText(norm);
}

double singlePrecision(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(value))
        return value;
    if (value > kMax)
        return std::numeric_limits<double>::infinity();
    if (value < -kMax)
        return -std::numeric_limits<double>::infinity();
    return static_cast<float>(value);
}

std::optional<double> strictValueOfText(QStringView text, QStringView decimalSeparator)
{
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    QString norm;
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        norm.append(t[i++]);
    bool digits = false;
    auto takeDigits = [&] {
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            norm.append(t[i++]);
            digits = true;
        }
    };
    takeDigits();
    if (!decimalSeparator.isEmpty() && t.mid(i).startsWith(decimalSeparator)) {
        norm.append(u'.');
        i += decimalSeparator.size();
        takeDigits();
    }
    if (!digits)
        return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        norm.append(u'e');
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            norm.append(t[i++]);
        digits = false;
        takeDigits();
        if (!digits)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double v = norm.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace tovu::platform::text
