#include "platform/automation/Variant.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"

#include <QDateTime>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tovu::platform::automation {

namespace {

[[noreturn]] void raise(std::int32_t number)
{
    throw AutomationError::standard(number);
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

// The day the Date kind counts from.
const QDate& dayZero()
{
    static const QDate zero(1899, 12, 30);
    return zero;
}

// The Date range the run-time accepts: years 100 to 9999.
constexpr double firstDay = -657434.0;
constexpr double lastDay = 2958465.999988426;

QString textOfDate(double days)
{
    if (!(days >= firstDay && days <= lastDay))
        raise(ErrorNumber::Overflow);  // a Date that came from outside with no calendar day
    const double whole = std::trunc(days);
    int seconds = static_cast<int>(std::lround(std::fabs(days - whole) * 86400.0));
    if (seconds >= 86400)
        seconds = 86399;
    const QDate date = dayZero().addDays(static_cast<qint64>(whole));
    const QTime time = QTime(0, 0).addSecs(seconds);
    if (whole == 0.0)
        return time.toString(QStringLiteral("hh:mm:ss"));
    if (seconds == 0)
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    return date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + time.toString(QStringLiteral("hh:mm:ss"));
}

std::optional<double> dateOfText(const QString& text)
{
    const QString t = text.trimmed();
    if (const QDateTime dt = QDateTime::fromString(t, Qt::ISODate); dt.isValid()) {
        const double days = static_cast<double>(dayZero().daysTo(dt.date()));
        const double time = dt.time().msecsSinceStartOfDay() / 86400000.0;
        return days < 0 ? days - time : days + time;
    }
    if (const QDate d = QDate::fromString(t, Qt::ISODate); d.isValid())
        return static_cast<double>(dayZero().daysTo(d));
    for (const auto* format : {"hh:mm:ss", "hh:mm"}) {
        if (const QTime tm = QTime::fromString(t, QString::fromLatin1(format)); tm.isValid())
            return tm.msecsSinceStartOfDay() / 86400000.0;
    }
    return std::nullopt;
}

QString textOfCurrency(std::int64_t scaled)
{
    const bool negative = scaled < 0;
    // Work on the unsigned magnitude: the most negative amount has no positive twin.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(scaled)
                                             : static_cast<std::uint64_t>(scaled);
    QString text = QString::number(magnitude / 10000);
    if (const std::uint64_t fraction = magnitude % 10000; fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return negative ? u'-' + text : text;
}

// Rounds a scaled amount to whole units, half to even.
std::int64_t wholeOfCurrency(std::int64_t scaled)
{
    std::int64_t q = scaled / 10000;
    const std::int64_t r = scaled % 10000;
    const std::int64_t half = r < 0 ? -r : r;
    if (half > 5000 || (half == 5000 && (q % 2 != 0)))
        q += r < 0 ? -1 : 1;
    return q;
}

std::optional<std::int64_t> roundedInRange(double value, std::int64_t lo, std::int64_t hi)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value);  // the default rounding mode rounds half to even
    if (r < static_cast<double>(lo) || r > static_cast<double>(hi))
        return std::nullopt;
    return static_cast<std::int64_t>(r);
}

std::optional<double> integerLiteral(const QString& digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        const int d = c.isDigit() ? c.unicode() - '0'
                    : (c.toLower() >= u'a' && c.toLower() <= u'f') ? c.toLower().unicode() - 'a' + 10
                                                                    : 99;
        if (d >= base)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    // Literals of up to 16 bits are Integer, up to 32 bits Long: &HFFFF is -1.
    if (value <= 0xFFFFu && (base == 16 ? digits.size() <= 4 : digits.size() <= 6))
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

} // namespace

std::optional<double> numberOfText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() > 2 && t[0] == u'&') {
        const QChar radix = t[1].toUpper();
        if (radix == u'H')
            return integerLiteral(t.mid(2), 16);
        if (radix == u'O')
            return integerLiteral(t.mid(2), 8);
        return std::nullopt;
    }
    // sign, digits, point, digits, exponent: checked here so that strtod sees only that.
    std::string ascii;
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto isAsciiDigit = [&](qsizetype k) { return k < n && t[k] >= u'0' && t[k] <= u'9'; };
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ascii += static_cast<char>(t[i++].unicode());
    bool mantissa = false;
    while (isAsciiDigit(i)) {
        ascii += static_cast<char>(t[i++].unicode());
        mantissa = true;
    }
    if (i < n && t[i] == u'.') {
        ascii += t[i++].toLatin1();
        while (isAsciiDigit(i)) {
            ascii += static_cast<char>(t[i++].unicode());
            mantissa = true;
        }
    }
    if (!mantissa)
        return std::nullopt;
    if (i < n && (t[i].toUpper() == u'E' || t[i].toUpper() == u'D')) {
        ascii += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            ascii += static_cast<char>(t[i++].unicode());
        if (!isAsciiDigit(i))
            return std::nullopt;
        while (isAsciiDigit(i))
            ascii += static_cast<char>(t[i++].unicode());
    }
    if (i != n)
        return std::nullopt;
    const double value = std::strtod(ascii.c_str(), nullptr);
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);
    return value;
}

QString textOfDouble(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");  // also for -0
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return QString::fromLatin1(buffer);
}

Currency Currency::fromDouble(double value)
{
    // Rounds the decimal value the caller sees (15 significant digits), not the binary
    // one: 1.00005 is a half and goes to the even 1.0000, though its double lies above.
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);
    if (value == 0.0)
        return Currency{0};
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.14E", value);  // [-]d.ddddddddddddddE[+-]xx
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    __int128 digits = 0;
    for (; *p != 'E'; ++p)
        if (*p != '.')
            digits = digits * 10 + (*p - '0');
    const int exponent = std::atoi(p + 1);
    // value = digits * 10^(exponent - 14); scaled = value * 10^4.
    const int shift = exponent - 10;
    __int128 scaled = 0;
    if (shift >= 0) {
        if (shift > 19)
            raise(ErrorNumber::Overflow);
        scaled = digits;
        for (int i = 0; i < shift; ++i)
            scaled *= 10;
    } else if (shift >= -16) {
        __int128 divisor = 1;
        for (int i = 0; i < -shift; ++i)
            divisor *= 10;
        scaled = digits / divisor;
        const __int128 rest = digits % divisor;
        if (rest * 2 > divisor || (rest * 2 == divisor && scaled % 2 != 0))
            ++scaled;
    }
    if (negative)
        scaled = -scaled;
    if (scaled > std::numeric_limits<std::int64_t>::max() || scaled < std::numeric_limits<std::int64_t>::min())
        raise(ErrorNumber::Overflow);
    return Currency{static_cast<std::int64_t>(scaled)};
}

Variant::ArrayBox::ArrayBox(SafeArray value) : array(std::make_unique<SafeArray>(std::move(value))) {}
Variant::ArrayBox::ArrayBox(const ArrayBox& other) : array(std::make_unique<SafeArray>(*other.array)) {}
Variant::ArrayBox& Variant::ArrayBox::operator=(const ArrayBox& other)
{
    if (this != &other)
        array = std::make_unique<SafeArray>(*other.array);
    return *this;
}
Variant::ArrayBox::~ArrayBox() = default;
Variant::ArrayBox::ArrayBox(ArrayBox&&) noexcept = default;
Variant::ArrayBox& Variant::ArrayBox::operator=(ArrayBox&&) noexcept = default;
bool Variant::ArrayBox::operator==(const ArrayBox& other) const { return *array == *other.array; }

Variant::Variant(SafeArray array) : value_(ArrayBox(std::move(array))) {}

Variant Variant::null()
{
    Variant v;
    v.value_ = NullTag{};
    return v;
}

VarType Variant::type() const
{
    return std::visit(Overloaded{
                          [](std::monostate) { return VarType::Empty; },
                          [](NullTag) { return VarType::Null; },
                          [](std::int16_t) { return VarType::Integer; },
                          [](std::int32_t) { return VarType::Long; },
                          [](float) { return VarType::Single; },
                          [](double) { return VarType::Double; },
                          [](Currency) { return VarType::Currency; },
                          [](Date) { return VarType::Date; },
                          [](const QString&) { return VarType::String; },
                          [](const Object&) { return VarType::Object; },
                          [](ErrorValue) { return VarType::Error; },
                          [](Boolean) { return VarType::Boolean; },
                          [](std::uint8_t) { return VarType::Byte; },
                          [](const ArrayBox& a) { return VarType::Array | a.array->elementType(); },
                      },
                      value_);
}

bool Variant::isMissing() const
{
    const auto* e = std::get_if<ErrorValue>(&value_);
    return e && *e == missingArgument;
}

bool Variant::isNothing() const
{
    const auto* o = std::get_if<Object>(&value_);
    return o && !o->ref;
}

Variant Variant::defaultValueOfObject() const
{
    const DispatchRef& ref = std::get<Object>(value_).ref;
    if (!ref)
        raise(ErrorNumber::ObjectNotSet);
    std::vector<Variant> none;
    return ref->invoke(DispIdValue, none, CallKind::PropertyGet);
}

double Variant::toDouble() const
{
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](NullTag) -> double { raise(ErrorNumber::InvalidUseOfNull); },
                          [](std::int16_t v) { return static_cast<double>(v); },
                          [](std::int32_t v) { return static_cast<double>(v); },
                          [](float v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                          [](Currency v) { return v.toDouble(); },
                          [](Date v) { return v.days; },
                          [](const QString& v) {
                              const auto number = numberOfText(v);
                              if (!number)
                                  raise(ErrorNumber::TypeMismatch);
                              return *number;
                          },
                          [this](const Object&) { return defaultValueOfObject().toDouble(); },
                          [](ErrorValue) -> double { raise(ErrorNumber::TypeMismatch); },
                          [](Boolean v) { return v.value ? -1.0 : 0.0; },
                          [](std::uint8_t v) { return static_cast<double>(v); },
                          [](const ArrayBox&) -> double { raise(ErrorNumber::TypeMismatch); },
                      },
                      value_);
}

std::int64_t Variant::toInt64Checked(std::int64_t lo, std::int64_t hi) const
{
    std::optional<std::int64_t> result;
    if (const auto* c = std::get_if<Currency>(&value_)) {
        result = wholeOfCurrency(c->scaled);
        if (*result < lo || *result > hi)
            result.reset();
    } else if (const auto* o = std::get_if<Object>(&value_)) {
        (void)o;
        return defaultValueOfObject().toInt64Checked(lo, hi);
    } else {
        result = roundedInRange(toDouble(), lo, hi);
    }
    if (!result)
        raise(ErrorNumber::Overflow);
    return *result;
}

std::int32_t Variant::toLong() const
{
    return static_cast<std::int32_t>(toInt64Checked(std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max()));
}

std::int16_t Variant::toInteger() const
{
    return static_cast<std::int16_t>(toInt64Checked(std::numeric_limits<std::int16_t>::min(),
                                                    std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t Variant::toByte() const
{
    return static_cast<std::uint8_t>(toInt64Checked(0, 255));
}

float Variant::toSingle() const
{
    const double v = toDouble();
    if (std::isfinite(v) && std::fabs(v) > static_cast<double>(FLT_MAX))
        raise(ErrorNumber::Overflow);
    return static_cast<float>(v);
}

Currency Variant::toCurrency() const
{
    if (const auto* c = std::get_if<Currency>(&value_))
        return *c;
    if (const auto* i = std::get_if<std::int32_t>(&value_))
        return Currency{static_cast<std::int64_t>(*i) * 10000};
    return Currency::fromDouble(toDouble());
}

Date Variant::toDate() const
{
    if (const auto* d = std::get_if<Date>(&value_))
        return *d;
    double days = 0.0;
    if (const auto* s = std::get_if<QString>(&value_)) {
        const auto parsed = dateOfText(*s);
        if (!parsed)
            raise(ErrorNumber::TypeMismatch);
        days = *parsed;
    } else {
        days = toDouble();
    }
    if (!(days >= firstDay && days <= lastDay))
        raise(ErrorNumber::Overflow);
    return Date{days};
}

bool Variant::toBoolean() const
{
    if (const auto* b = std::get_if<Boolean>(&value_))
        return b->value;
    if (const auto* s = std::get_if<QString>(&value_)) {
        const QString t = s->trimmed();
        if (t.compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble() != 0.0;
}

QString Variant::toString() const
{
    return std::visit(Overloaded{
                          [](std::monostate) { return QString(); },
                          [](NullTag) -> QString { raise(ErrorNumber::InvalidUseOfNull); },
                          [](std::int16_t v) { return QString::number(v); },
                          [](std::int32_t v) { return QString::number(v); },
                          [](float v) {
                              if (v == 0.0f)
                                  return QStringLiteral("0");
                              char buffer[32];
                              std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(v));
                              return QString::fromLatin1(buffer);
                          },
                          [](double v) { return textOfDouble(v); },
                          [](Currency v) { return textOfCurrency(v.scaled); },
                          [](Date v) { return textOfDate(v.days); },
                          [](const QString& v) { return v; },
                          [this](const Object&) { return defaultValueOfObject().toString(); },
                          [](ErrorValue) -> QString { raise(ErrorNumber::TypeMismatch); },
                          [](Boolean v) { return v.value ? QStringLiteral("True") : QStringLiteral("False"); },
                          [](std::uint8_t v) { return QString::number(v); },
                          [](const ArrayBox&) -> QString { raise(ErrorNumber::TypeMismatch); },
                      },
                      value_);
}

DispatchRef Variant::toObject() const
{
    if (const auto* o = std::get_if<Object>(&value_))
        return o->ref;
    raise(ErrorNumber::ObjectRequired);
}

std::int32_t Variant::errorCode() const
{
    if (const auto* e = std::get_if<ErrorValue>(&value_))
        return e->code;
    raise(ErrorNumber::TypeMismatch);
}

const SafeArray& Variant::array() const
{
    if (const auto* a = std::get_if<ArrayBox>(&value_))
        return *a->array;
    raise(ErrorNumber::TypeMismatch);
}

SafeArray& Variant::array()
{
    if (auto* a = std::get_if<ArrayBox>(&value_))
        return *a->array;
    raise(ErrorNumber::TypeMismatch);
}

Variant Variant::convertedTo(VarType target) const
{
    if (type() == target)
        return *this;
    switch (target) {
    case VarType::Empty: return Variant();
    case VarType::Null: return Variant::null();
    case VarType::Integer: return Variant(toInteger());
    case VarType::Long: return Variant(toLong());
    case VarType::Single: return Variant(toSingle());
    case VarType::Double: return Variant(toDouble());
    case VarType::Currency: return Variant(toCurrency());
    case VarType::Date: return Variant(toDate());
    case VarType::String: return Variant(toString());
    case VarType::Object: return Variant(toObject());
    case VarType::Error: return Variant(ErrorValue{errorCode()});
    case VarType::Boolean: return Variant(toBoolean());
    case VarType::Byte: return Variant(toByte());
    case VarType::Variant: return *this;
    default: break;
    }
    raise(ErrorNumber::TypeMismatch);
}

bool operator==(const Variant& a, const Variant& b)
{
    return a.value_ == b.value_;
}

} // namespace tovu::platform::automation
