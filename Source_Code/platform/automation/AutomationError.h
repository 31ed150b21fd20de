#pragma once
// The error that automation calls raise: a number, the name of whoever raised it and a
// description. The number is what a caller's error handler sees: a run-time error number
// (13 for a type mismatch, 438 for an unknown member ...) or a server's own 32-bit code
// (object-error base plus an offset, or a failure code the server passed through).

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace tovu::platform::automation {

// Run-time error numbers a caller tests for.
namespace ErrorNumber {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t OutOfMemory = 7;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t ArrayFixedOrLocked = 10;
inline constexpr std::int32_t DivisionByZero = 11;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t ObjectNotSet = 91;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t ObjectRequired = 424;
inline constexpr std::int32_t CannotCreateObject = 429;
inline constexpr std::int32_t MemberNotFound = 438;   // "doesn't support this property or method"
inline constexpr std::int32_t AutomationFailed = 440;
inline constexpr std::int32_t NamedArgumentNotFound = 448;
inline constexpr std::int32_t ArgumentNotOptional = 449;
inline constexpr std::int32_t WrongArgumentCount = 450;
inline constexpr std::int32_t NotAnObjectProperty = 451;
inline constexpr std::int32_t DuplicateKey = 457;
inline constexpr std::int32_t ElementNotFound = 32811;
// Base of the numbers that servers define for their own errors (the object-error base).
inline constexpr std::int32_t ObjectErrorBase = static_cast<std::int32_t>(0x80040000u);
} // namespace ErrorNumber

// 32-bit failure codes of dispatch calls, as servers return them.
namespace Hresult {
inline constexpr std::int32_t Ok = 0;
inline constexpr std::int32_t False = 1;
inline constexpr std::int32_t Fail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t NoInterface = static_cast<std::int32_t>(0x80004002u);
inline constexpr std::int32_t Pointer = static_cast<std::int32_t>(0x80004003u);
inline constexpr std::int32_t OutOfMemory = static_cast<std::int32_t>(0x8007000Eu);
inline constexpr std::int32_t InvalidArg = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t DispUnknownInterface = static_cast<std::int32_t>(0x80020001u);
inline constexpr std::int32_t DispMemberNotFound = static_cast<std::int32_t>(0x80020003u);
inline constexpr std::int32_t DispParamNotFound = static_cast<std::int32_t>(0x80020004u);
inline constexpr std::int32_t DispTypeMismatch = static_cast<std::int32_t>(0x80020005u);
inline constexpr std::int32_t DispUnknownName = static_cast<std::int32_t>(0x80020006u);
inline constexpr std::int32_t DispNoNamedArgs = static_cast<std::int32_t>(0x80020007u);
inline constexpr std::int32_t DispBadVarType = static_cast<std::int32_t>(0x80020008u);
inline constexpr std::int32_t DispException = static_cast<std::int32_t>(0x80020009u);
inline constexpr std::int32_t DispOverflow = static_cast<std::int32_t>(0x8002000Au);
inline constexpr std::int32_t DispBadIndex = static_cast<std::int32_t>(0x8002000Bu);
inline constexpr std::int32_t DispBadParamCount = static_cast<std::int32_t>(0x8002000Eu);
inline constexpr std::int32_t DispParamNotOptional = static_cast<std::int32_t>(0x8002000Fu);
inline constexpr std::int32_t ClassNotAvailable = static_cast<std::int32_t>(0x80040111u);
inline constexpr std::int32_t ClassNotRegistered = static_cast<std::int32_t>(0x80040154u);
inline constexpr std::int32_t InvalidClassString = static_cast<std::int32_t>(0x800401F3u);
inline constexpr std::int32_t OperationUnavailable = static_cast<std::int32_t>(0x800401E3u);
} // namespace Hresult

class AutomationError : public std::runtime_error {
public:
    AutomationError(std::int32_t number, QString source, QString description);

    // A standard run-time error with its usual description.
    static AutomationError standard(std::int32_t number, const QString& source = QString());

    // The error a caller sees when a call failed with a dispatch failure code and no
    // error record of its own: member-not-found becomes 438, a type mismatch 13, ...;
    // codes without a run-time equivalent are kept as they are.
    static AutomationError fromHresult(std::int32_t hresult, const QString& source = QString());

    std::int32_t number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }

private:
    std::int32_t number_;
    QString source_;
    QString description_;
};

// The usual description of a run-time error number; an empty text for numbers
// that have none.
QString standardDescription(std::int32_t number);

// The run-time error number that a dispatch failure code stands for, or the code itself.
std::int32_t errorNumberOfHresult(std::int32_t hresult);

} // namespace tovu::platform::automation
