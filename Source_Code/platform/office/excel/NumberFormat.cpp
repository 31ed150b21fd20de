#include "platform/office/excel/NumberFormat.h"

#include <QDate>
#include <cmath>
#include <cstdint>

namespace tovu::platform::excel {

namespace {

enum class Tok { Literal, Digit, Point, Comma, Percent, Exponent, General, Text, DatePart };

struct Token {
    Tok kind;
    QString text;  // Literal: the text; Digit: 0 # ?; Exponent: "E+" / "E-"; DatePart: lower-case code
};

bool isCurrencySign(QChar c)
{
    return c == QLatin1Char('$') || c == QChar(0x20AC) || c == QChar(0x00A3) || c == QChar(0x00A5);
}

std::vector<QString> splitSections(const QString& code)
{
    std::vector<QString> sections(1);
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (!quoted && !bracket && c == QLatin1Char('\\') && i + 1 < code.size()) {
            sections.back() += c;
            sections.back() += code[++i];
            continue;
        }
        if (c == QLatin1Char('"') && !bracket)
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('['))
            bracket = true;
        else if (!quoted && c == QLatin1Char(']'))
            bracket = false;
        if (c == QLatin1Char(';') && !quoted && !bracket) {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

std::vector<Token> tokenize(const QString& s, bool* currency = nullptr)
{
    std::vector<Token> out;
    auto literal = [&](const QString& text) {
        if (currency)
            for (QChar c : text)
                if (isCurrencySign(c))
                    *currency = true;
        if (!out.empty() && out.back().kind == Tok::Literal)
            out.back().text += text;
        else
            out.push_back({Tok::Literal, text});
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype end = s.indexOf(QLatin1Char('"'), i + 1);
            literal(s.mid(i + 1, end < 0 ? -1 : end - i - 1));
            i = end < 0 ? s.size() : end;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < s.size())
                literal(QString(s[++i]));
        } else if (c == QLatin1Char('_')) {
            ++i;  // room for the next character: a blank
            literal(QStringLiteral(" "));
        } else if (c == QLatin1Char('*')) {
            ++i;  // fill to the cell's width: nothing in a cell wide enough
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = s.indexOf(QLatin1Char(']'), i + 1);
            const QString inner = s.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? s.size() : end;
            if (inner.startsWith(QLatin1Char('$'))) {
                const QString sign = inner.mid(1).section(QLatin1Char('-'), 0, 0);
                if (!sign.isEmpty()) {
                    literal(sign);
                    if (currency)
                        *currency = true;
                }
            } else {
                const QString code = inner.toLower();
                if (!code.isEmpty() && (code.count(code[0]) == code.size()) &&
                    (code[0] == QLatin1Char('h') || code[0] == QLatin1Char('m') || code[0] == QLatin1Char('s')))
                    out.push_back({Tok::DatePart, QLatin1Char('[') + code.left(1) + QLatin1Char(']')});
                // colours and conditions change nothing in the text
            }
        } else if (s.mid(i, 7).compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
            out.push_back({Tok::General, {}});
            i += 6;
        } else if (s.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            out.push_back({Tok::DatePart, s.mid(i, 5)});
            i += 4;
        } else if (s.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            out.push_back({Tok::DatePart, s.mid(i, 3)});
            i += 2;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?')) {
            out.push_back({Tok::Digit, QString(c)});
        } else if (c == QLatin1Char('.')) {
            out.push_back({Tok::Point, {}});
        } else if (c == QLatin1Char(',')) {
            out.push_back({Tok::Comma, {}});
        } else if (c == QLatin1Char('%')) {
            out.push_back({Tok::Percent, {}});
        } else if (lower == QLatin1Char('e') && i + 1 < s.size() &&
                   (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'))) {
            out.push_back({Tok::Exponent, QStringLiteral("E") + s[++i]});
        } else if (c == QLatin1Char('@')) {
            out.push_back({Tok::Text, {}});
        } else if (lower == QLatin1Char('y') || lower == QLatin1Char('m') || lower == QLatin1Char('d') ||
                   lower == QLatin1Char('h') || lower == QLatin1Char('s')) {
            qsizetype j = i;
            while (j < s.size() && s[j].toLower() == lower)
                ++j;
            out.push_back({Tok::DatePart, s.mid(i, j - i).toLower()});
            i = j - 1;
        } else {
            literal(QString(c));
        }
    }
    return out;
}

bool hasDatePart(const std::vector<Token>& tokens)
{
    for (const Token& t : tokens)
        if (t.kind == Tok::DatePart)
            return true;
    return false;
}

// A non-negative value rounded half away from zero to the given decimals, from its 15
// significant digits (as the spreadsheet shows numbers): the integer digits without leading
// zeros ("" for none) and exactly `decimals` fraction digits.
std::pair<QString, QString> roundedDigits(double value, int decimals)
{
    const QString e = QString::number(value, 'e', 14);  // d.dddddddddddddde+XX
    QString digits = e.left(1) + e.mid(2, 14);
    int intDigits = e.mid(e.indexOf(QLatin1Char('e')) + 1).toInt() + 1;
    if (intDigits <= 0) {
        digits.prepend(QString(1 - intDigits, QLatin1Char('0')));
        intDigits = 1;
    }
    if (digits.size() < intDigits + decimals)
        digits += QString(intDigits + decimals - digits.size(), QLatin1Char('0'));
    const qsizetype cut = intDigits + decimals;
    const bool up = cut < digits.size() && digits[cut] >= QLatin1Char('5');
    digits.truncate(cut);
    if (up) {
        qsizetype k = digits.size() - 1;
        for (; k >= 0; --k) {
            if (digits[k] == QLatin1Char('9')) {
                digits[k] = QLatin1Char('0');
            } else {
                digits[k] = QChar(digits[k].unicode() + 1);
                break;
            }
        }
        if (k < 0) {
            digits.prepend(QLatin1Char('1'));
            ++intDigits;
        }
    }
    QString integer = digits.left(intDigits);
    while (!integer.isEmpty() && integer[0] == QLatin1Char('0'))
        integer.remove(0, 1);
    return {integer, digits.mid(intDigits)};
}

QString trimFraction(QString integer, QString fraction)
{
    while (!fraction.isEmpty() && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    return fraction.isEmpty() ? integer : integer + QLatin1Char('.') + fraction;
}

// The General format: as many digits as an eleven-character cell shows, scientific
// notation for numbers too large or too small for that.
QString generalText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return value == 0.0 ? QStringLiteral("0") : QStringLiteral("#NUM!");
    const double a = std::fabs(value);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (a < 1e11 && a >= 1e-4) {
        const int intLen = a >= 1.0 ? static_cast<int>(std::floor(std::log10(a))) + 1 : 1;
        const auto [integer, fraction] = roundedDigits(a, std::max(0, 10 - intLen));
        return sign + trimFraction(integer, fraction);
    }
    int exponent = static_cast<int>(std::floor(std::log10(a)));
    auto [integer, fraction] = roundedDigits(a / std::pow(10.0, exponent), 5);
    if (integer.size() > 1) {  // rounded up to 10
        ++exponent;
        std::tie(integer, fraction) = roundedDigits(a / std::pow(10.0, exponent), 5);
    }
    const QString exp = QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return sign + trimFraction(integer, fraction) + (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + exp;
}

QString groupThousands(const QString& digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        out += digits[i];
        const qsizetype left = n - 1 - i;
        if (left > 0 && left % 3 == 0 && digits[i].isDigit())
            out += QLatin1Char(',');
    }
    return out;
}

// A number section: placeholders give the digits, literals stand before or after them.
QString renderNumber(const std::vector<Token>& tokens, double value)
{
    QString prefix, suffix;
    QString intPlaces, fracPlaces, expPlaces, expSign;
    bool point = false, grouping = false, seenDigit = false, general = false;
    int scaleCommas = 0, percents = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
        case Tok::Literal:
        case Tok::Text:
            (seenDigit || general ? suffix : prefix) += t.kind == Tok::Literal ? t.text : QString();
            break;
        case Tok::General:
            general = true;
            break;
        case Tok::Digit:
            seenDigit = true;
            if (!expSign.isEmpty())
                expPlaces += t.text;
            else
                (point ? fracPlaces : intPlaces) += t.text;
            break;
        case Tok::Point:
            if (expSign.isEmpty())
                point = true;
            break;
        case Tok::Comma: {
            const bool digitFollows = i + 1 < tokens.size() && tokens[i + 1].kind == Tok::Digit;
            if (!point && seenDigit && digitFollows)
                grouping = true;
            else if (seenDigit)
                ++scaleCommas;
            break;
        }
        case Tok::Percent:
            ++percents;
            (seenDigit ? suffix : prefix) += QLatin1Char('%');
            break;
        case Tok::Exponent:
            expSign = t.text;
            break;
        case Tok::DatePart:
            break;
        }
    }
    if (general)
        return prefix + generalText(value) + suffix;
    if (!seenDigit)
        return prefix + suffix;
    double v = value * std::pow(100.0, percents) / std::pow(1000.0, scaleCommas);
    int exponent = 0;
    if (!expSign.isEmpty() && v != 0.0) {
        const int step = std::max<qsizetype>(1, intPlaces.size());
        exponent = static_cast<int>(std::floor(std::log10(v)));
        exponent = step > 1 ? static_cast<int>(std::floor(static_cast<double>(exponent) / step)) * step : exponent;
        v /= std::pow(10.0, exponent);
    }
    auto [integer, fraction] = roundedDigits(v, static_cast<int>(fracPlaces.size()));
    // Fraction places: optional digits from the right drop their zeros ('#') or blank them ('?').
    for (qsizetype k = fracPlaces.size() - 1; k >= 0; --k) {
        if (fraction[k] != QLatin1Char('0') || fracPlaces[k] == QLatin1Char('0'))
            break;
        if (fracPlaces[k] == QLatin1Char('#'))
            fraction.chop(1);
        else
            fraction[k] = QLatin1Char(' ');
    }
    // Integer places from the right: a missing digit shows as 0 ('0'), a blank ('?') or nothing.
    QString intText = integer;
    for (qsizetype k = intPlaces.size() - 1 - integer.size(); k >= 0; --k) {
        if (intPlaces[k] == QLatin1Char('0'))
            intText.prepend(QLatin1Char('0'));
        else if (intPlaces[k] == QLatin1Char('?'))
            intText.prepend(QLatin1Char(' '));
    }
    if (grouping)
        intText = groupThousands(intText);
    QString text = intText;
    if (point)
        text += QLatin1Char('.') + fraction;
    if (!expSign.isEmpty()) {
        text += QLatin1Char('E');
        if (exponent < 0)
            text += QLatin1Char('-');
        else if (expSign == QLatin1String("E+"))
            text += QLatin1Char('+');
        text += QString::number(std::abs(exponent)).rightJustified(std::max<qsizetype>(1, expPlaces.size()), QLatin1Char('0'));
    }
    return prefix + text + suffix;
}

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

bool isHourPart(const Token& t) { return t.kind == Tok::DatePart && (t.text.startsWith(QLatin1Char('h')) || t.text == QLatin1String("[h]")); }
bool isSecondPart(const Token& t) { return t.kind == Tok::DatePart && (t.text.startsWith(QLatin1Char('s')) || t.text == QLatin1String("[s]")); }

// Whether the "m" or "mm" at i means minutes: after an hour (lastDatePart the date part
// before it) or before a second; months otherwise.
bool minutesAt(const std::vector<Token>& tokens, std::size_t i, std::size_t lastDatePart)
{
    if (tokens[i].text.size() > 2)
        return false;
    if (lastDatePart < tokens.size() && isHourPart(tokens[lastDatePart]))
        return true;
    for (std::size_t j = i + 1; j < tokens.size(); ++j)
        if (tokens[j].kind == Tok::DatePart)
            return isSecondPart(tokens[j]);
    return false;
}

// Whether the date parts show a calendar date (a year, month or day), not a time alone.
bool showsCalendarDate(const std::vector<Token>& tokens)
{
    std::size_t lastDatePart = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind != Tok::DatePart)
            continue;
        const QChar k = t.text[0];
        if (k == QLatin1Char('y') || k == QLatin1Char('d') || (k == QLatin1Char('m') && !minutesAt(tokens, i, lastDatePart)))
            return true;
        lastDatePart = i;
    }
    return false;
}

QString renderDate(const std::vector<Token>& tokens, double serial, bool date1904)
{
    int fractionDigits = 0;
    bool twelveHour = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Tok::Point)
            for (std::size_t j = i + 1; j < tokens.size() && tokens[j].kind == Tok::Digit; ++j)
                fractionDigits = std::max<int>(fractionDigits, static_cast<int>(j - i));
        if (tokens[i].kind == Tok::DatePart && tokens[i].text.contains(QLatin1Char('/')))
            twelveHour = true;
    }
    fractionDigits = std::min(fractionDigits, 3);
    const std::int64_t unitsPerSecond = static_cast<std::int64_t>(std::pow(10, fractionDigits));
    const std::int64_t unitsPerDay = 86400 * unitsPerSecond;
    const std::int64_t total = std::llround(serial * static_cast<double>(unitsPerDay));
    const std::int64_t day = total >= 0 ? total / unitsPerDay : (total - unitsPerDay + 1) / unitsPerDay;
    const std::int64_t rest = total - day * unitsPerDay;
    const std::int64_t seconds = rest / unitsPerSecond;
    const int hour = static_cast<int>(seconds / 3600), minute = static_cast<int>(seconds / 60 % 60),
              second = static_cast<int>(seconds % 60);

    // The 1900 system counts a 29 February 1900 that never was (serial 60).
    int y = 0, mo = 0, d = 0, weekday = 0;
    if (!date1904 && day == 60) {
        y = 1900, mo = 2, d = 29, weekday = 3;
    } else {
        const QDate date = date1904 ? QDate(1904, 1, 1).addDays(day)
                                    : (day > 60 ? QDate(1899, 12, 30).addDays(day) : QDate(1899, 12, 31).addDays(day));
        y = date.year(), mo = date.month(), d = date.day(), weekday = date.dayOfWeek();
    }

    QString out;
    std::size_t lastDatePart = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Tok::Literal) {
            out += t.text;
            continue;
        }
        if (t.kind == Tok::Point) {
            int n = 0;
            while (i + 1 < tokens.size() && tokens[i + 1].kind == Tok::Digit) {
                ++i;
                ++n;
            }
            if (n > 0) {
                const QString frac = QString::number(rest % unitsPerSecond).rightJustified(fractionDigits, QLatin1Char('0'));
                out += QLatin1Char('.') + frac.left(n);
            } else {
                out += QLatin1Char('.');
            }
            continue;
        }
        if (t.kind != Tok::DatePart) {
            if (t.kind == Tok::Digit || t.kind == Tok::Comma || t.kind == Tok::Percent)
                out += t.kind == Tok::Digit ? t.text : t.kind == Tok::Comma ? QStringLiteral(",") : QStringLiteral("%");
            continue;
        }
        const QString& p = t.text;
        const QChar k = p[0];
        if (p == QLatin1String("[h]")) {
            out += QString::number(total / (3600 * unitsPerSecond));
        } else if (p == QLatin1String("[m]")) {
            out += QString::number(total / (60 * unitsPerSecond));
        } else if (p == QLatin1String("[s]")) {
            out += QString::number(total / unitsPerSecond);
        } else if (p.contains(QLatin1Char('/'))) {
            const bool pm = hour >= 12;
            QString mark = p.size() == 5 ? (pm ? QStringLiteral("PM") : QStringLiteral("AM"))
                                         : (pm ? QStringLiteral("P") : QStringLiteral("A"));
            if (p[0].isLower())
                mark = mark.toLower();
            out += mark;
        } else if (k == QLatin1Char('y')) {
            out += p.size() <= 2 ? QString::number(y % 100).rightJustified(2, QLatin1Char('0')) : QString::number(y);
        } else if (k == QLatin1Char('d')) {
            if (p.size() == 1)
                out += QString::number(d);
            else if (p.size() == 2)
                out += QString::number(d).rightJustified(2, QLatin1Char('0'));
            else
                out += p.size() == 3 ? QString::fromLatin1(kDays[weekday - 1]).left(3) : QString::fromLatin1(kDays[weekday - 1]);
        } else if (k == QLatin1Char('h')) {
            const int h = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += p.size() == 1 ? QString::number(h) : QString::number(h).rightJustified(2, QLatin1Char('0'));
        } else if (k == QLatin1Char('s')) {
            out += p.size() == 1 ? QString::number(second) : QString::number(second).rightJustified(2, QLatin1Char('0'));
        } else if (k == QLatin1Char('m')) {
            if (minutesAt(tokens, i, lastDatePart))
                out += p.size() == 1 ? QString::number(minute) : QString::number(minute).rightJustified(2, QLatin1Char('0'));
            else if (p.size() == 1)
                out += QString::number(mo);
            else if (p.size() == 2)
                out += QString::number(mo).rightJustified(2, QLatin1Char('0'));
            else if (p.size() == 3)
                out += QString::fromLatin1(kMonths[mo - 1]).left(3);
            else if (p.size() == 5)
                out += QString::fromLatin1(kMonths[mo - 1]).left(1);
            else
                out += QString::fromLatin1(kMonths[mo - 1]);
        }
        lastDatePart = i;
    }
    return out;
}

}  // namespace

NumberFormat::NumberFormat(const QString& code) : sections_(splitSections(code))
{
    const std::vector<Token> first = tokenize(sections_.front(), &currency_);
    date_ = hasDatePart(first);
    timeOnly_ = date_ && !showsCalendarDate(first);
    if (date_)
        currency_ = false;
}

QString NumberFormat::format(double value, bool date1904) const
{
    const std::size_t n = sections_.size();
    const QString* section = &sections_[0];
    bool minus = false;
    if (value < 0 && n >= 2) {
        section = &sections_[1];
        value = -value;
    } else if (value == 0 && n >= 3) {
        section = &sections_[2];
    } else if (value < 0) {
        minus = true;
        value = -value;
    }
    const std::vector<Token> tokens = tokenize(*section);
    if (tokens.empty())  // an empty section shows nothing; an empty code is General
        return n == 1 ? generalText(minus ? -value : value) : QString();
    const QString text = hasDatePart(tokens) ? renderDate(tokens, value, date1904) : renderNumber(tokens, value);
    return minus ? QLatin1Char('-') + text : text;
}

QString NumberFormat::formatText(const QString& text) const
{
    const QString* section = sections_.size() >= 4 ? &sections_[3] : nullptr;
    if (!section && sections_.size() == 1 && sections_[0].contains(QLatin1Char('@')))
        section = &sections_[0];
    if (!section)
        return text;
    QString out;
    for (const Token& t : tokenize(*section))
        if (t.kind == Tok::Text)
            out += text;
        else if (t.kind == Tok::Literal)
            out += t.text;
    return out;
}

double automationDateOfSerial(double serial, bool date1904)
{
    if (date1904)
        return serial + 1462.0;
    // A serial below 1 is a time of day without a date (day 0, "1900-01-00"): the automation
    // date's time without a date is the same fraction.
    if (serial >= 0.0 && serial < 1.0)
        return serial;
    // Serials before the phantom 29 February 1900 are one day behind the automation date.
    return serial < 61.0 ? serial + 1.0 : serial;
}

}  // namespace tovu::platform::excel
