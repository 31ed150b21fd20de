#pragma once
// The automation value: what a dispatch call takes and returns. It keeps the kinds apart
// that callers tell apart (a 16-bit Integer is not a 32-bit Long, Empty is not Null, a
// missing argument is an Error value), converts with the run-time rules where a caller
// asks for another kind, and holds arrays with value semantics: copying a Variant copies
// its array.

#include "platform/automation/AutomationError.h"

#include <QString>
#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <variant>

namespace tovu::platform::automation {

class Dispatch;
class SafeArray;
using DispatchRef = std::shared_ptr<Dispatch>;

// The kind of a value, numbered as the run-time's VarType() answers. An array answers
// Array plus the kind of its elements.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Variant = 12,
    Byte = 17,
    Array = 0x2000,
};

constexpr VarType operator|(VarType a, VarType b)
{
    return static_cast<VarType>(static_cast<std::uint16_t>(a) | static_cast<std::uint16_t>(b));
}

// A fixed-point amount: the value times 10000 in 64 bits.
struct Currency {
    std::int64_t scaled = 0;
    // Rounds half to even to four decimals; Overflow when it does not fit.
    static Currency fromDouble(double value);
    double toDouble() const { return static_cast<double>(scaled) / 10000.0; }
    auto operator<=>(const Currency&) const = default;
};

// A point in time: days since 1899-12-30 00:00, the fraction being the time of day.
struct Date {
    double days = 0.0;
    auto operator<=>(const Date&) const = default;
};

// An error code held as a value. A parameter the caller left out arrives as the
// missing-argument code.
struct ErrorValue {
    std::int32_t code = 0;
    auto operator<=>(const ErrorValue&) const = default;
};
inline constexpr ErrorValue missingArgument{Hresult::DispParamNotFound};

class Variant {
public:
    Variant() = default;  // Empty
    Variant(std::int16_t value) : value_(value) {}
    Variant(std::int32_t value) : value_(value) {}
    Variant(float value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(Currency value) : value_(value) {}
    Variant(Date value) : value_(value) {}
    Variant(QString value) : value_(std::move(value)) {}
    Variant(const char* utf8) : value_(QString::fromUtf8(utf8)) {}
    Variant(const char16_t* text) : value_(QString::fromUtf16(text)) {}
    Variant(bool value) : value_(Boolean{value}) {}
    Variant(std::uint8_t value) : value_(value) {}
    Variant(ErrorValue value) : value_(value) {}
    Variant(DispatchRef object) : value_(Object{std::move(object)}) {}
    Variant(SafeArray array);
    // No silent conversions of other integers or pointers to one of the kinds above.
    Variant(long) = delete;
    Variant(long long) = delete;
    Variant(unsigned) = delete;
    Variant(unsigned long) = delete;
    Variant(unsigned long long) = delete;
    template <typename T>
    Variant(T*) = delete;

    static Variant null();
    static Variant missing() { return Variant(missingArgument); }
    static Variant nothing() { return Variant(DispatchRef()); }  // an Object holding no object

    VarType type() const;
    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNull() const { return std::holds_alternative<NullTag>(value_); }
    bool isMissing() const;
    bool isObject() const { return std::holds_alternative<Object>(value_); }
    bool isNothing() const;
    bool isArray() const { return std::holds_alternative<ArrayBox>(value_); }
    bool isString() const { return std::holds_alternative<QString>(value_); }
    bool isError() const { return std::holds_alternative<ErrorValue>(value_); }

    // Conversions with the run-time rules: Empty gives 0 / "" / False, Null raises
    // "Invalid use of Null", an object gives its default member, texts are read as
    // numbers with a point as decimal sign, integers round half to even and raise
    // Overflow when out of range, anything else raises Type mismatch.
    QString toString() const;
    double toDouble() const;
    float toSingle() const;
    std::int32_t toLong() const;
    std::int16_t toInteger() const;
    std::uint8_t toByte() const;
    Currency toCurrency() const;
    Date toDate() const;
    bool toBoolean() const;
    // The object held (null for Nothing); Object required when the value is no object.
    DispatchRef toObject() const;
    // The error code of an Error value; Type mismatch otherwise.
    std::int32_t errorCode() const;

    // The array held; Type mismatch when the value holds none.
    const SafeArray& array() const;
    SafeArray& array();

    // Converts to the given kind (not Array, Variant); the value itself when it has it.
    Variant convertedTo(VarType type) const;

    // Same kind and same value; arrays element by element, objects by identity.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    struct Boolean {
        bool value;
        bool operator==(const Boolean&) const = default;
    };
    struct Object {
        DispatchRef ref;
        bool operator==(const Object&) const = default;
    };
    // Holds the array by pointer so that Variant and SafeArray can contain each other;
    // copies deeply.
    struct ArrayBox {
        std::unique_ptr<SafeArray> array;
        explicit ArrayBox(SafeArray value);
        ArrayBox(const ArrayBox& other);
        ArrayBox(ArrayBox&&) noexcept;
        ArrayBox& operator=(const ArrayBox& other);
        ArrayBox& operator=(ArrayBox&&) noexcept;
        ~ArrayBox();
        bool operator==(const ArrayBox& other) const;
    };

    using Storage = std::variant<std::monostate, NullTag, std::int16_t, std::int32_t, float, double,
                                 Currency, Date, QString, Object, ErrorValue, Boolean, std::uint8_t,
                                 ArrayBox>;
    Storage value_;

    std::int64_t toInt64Checked(std::int64_t lo, std::int64_t hi) const;
    Variant defaultValueOfObject() const;
};

// Reads a text as the run-time reads a number: blanks around it, a sign, digits with a
// point as decimal sign, an exponent, or &H / &O integer literals. Nothing when the text
// is no number.
std::optional<double> numberOfText(const QString& text);

// The run-time's text of a Double (15 significant digits, exponent form "1E+20").
QString textOfDouble(double value);

} // namespace tovu::platform::automation
