#include "platform/automation/AutomationError.h"

#include <array>
#include <utility>

namespace tovu::platform::automation {

namespace {

struct StandardError {
    std::int32_t number;
    const char* description;
};

constexpr std::array standardErrors{
    StandardError{ErrorNumber::InvalidProcedureCall, "Invalid procedure call or argument"},
    StandardError{ErrorNumber::Overflow, "Overflow"},
    StandardError{ErrorNumber::OutOfMemory, "Out of memory"},
    StandardError{ErrorNumber::SubscriptOutOfRange, "Subscript out of range"},
    StandardError{ErrorNumber::ArrayFixedOrLocked, "This array is fixed or temporarily locked"},
    StandardError{ErrorNumber::DivisionByZero, "Division by zero"},
    StandardError{ErrorNumber::TypeMismatch, "Type mismatch"},
    StandardError{ErrorNumber::FileNotFound, "File not found"},
    StandardError{ErrorNumber::ObjectNotSet, "Object variable or With block variable not set"},
    StandardError{ErrorNumber::InvalidUseOfNull, "Invalid use of Null"},
    StandardError{ErrorNumber::ObjectRequired, "Object required"},
    StandardError{ErrorNumber::CannotCreateObject, "Can't create object"},
    StandardError{ErrorNumber::MemberNotFound, "Object doesn't support this property or method"},
    StandardError{ErrorNumber::AutomationFailed, "Automation error"},
    StandardError{ErrorNumber::NamedArgumentNotFound, "Named argument not found"},
    StandardError{ErrorNumber::ArgumentNotOptional, "Argument not optional"},
    StandardError{ErrorNumber::WrongArgumentCount,
                  "Wrong number of arguments or invalid property assignment"},
    StandardError{ErrorNumber::DuplicateKey, "This key is already associated with an element of this collection"},
    StandardError{ErrorNumber::ElementNotFound, "Element not found"},
    StandardError{ErrorNumber::NotAnObjectProperty, "Property let procedure not defined and property get procedure did not return an object"},
};

struct HresultMapping {
    std::int32_t hresult;
    std::int32_t number;
};

constexpr std::array hresultMappings{
    HresultMapping{Hresult::DispMemberNotFound, ErrorNumber::MemberNotFound},
    HresultMapping{Hresult::DispUnknownName, ErrorNumber::MemberNotFound},
    HresultMapping{Hresult::DispUnknownInterface, ErrorNumber::MemberNotFound},
    HresultMapping{Hresult::DispTypeMismatch, ErrorNumber::TypeMismatch},
    HresultMapping{Hresult::DispBadVarType, ErrorNumber::TypeMismatch},
    HresultMapping{Hresult::DispOverflow, ErrorNumber::Overflow},
    HresultMapping{Hresult::DispBadIndex, ErrorNumber::SubscriptOutOfRange},
    HresultMapping{Hresult::DispParamNotFound, ErrorNumber::NamedArgumentNotFound},
    HresultMapping{Hresult::DispNoNamedArgs, ErrorNumber::NamedArgumentNotFound},
    HresultMapping{Hresult::DispBadParamCount, ErrorNumber::WrongArgumentCount},
    HresultMapping{Hresult::DispParamNotOptional, ErrorNumber::ArgumentNotOptional},
    HresultMapping{Hresult::OutOfMemory, ErrorNumber::OutOfMemory},
    HresultMapping{Hresult::InvalidArg, ErrorNumber::InvalidProcedureCall},
    HresultMapping{Hresult::ClassNotAvailable, ErrorNumber::CannotCreateObject},
    HresultMapping{Hresult::ClassNotRegistered, ErrorNumber::CannotCreateObject},
    HresultMapping{Hresult::InvalidClassString, ErrorNumber::CannotCreateObject},
    HresultMapping{Hresult::OperationUnavailable, ErrorNumber::CannotCreateObject},
};

std::string whatOf(std::int32_t number, const QString& description)
{
    return (QString::number(number) + QStringLiteral(": ") + description).toStdString();
}

} // namespace

AutomationError::AutomationError(std::int32_t number, QString source, QString description)
    : std::runtime_error(whatOf(number, description))
    , number_(number)
    , source_(std::move(source))
    , description_(std::move(description))
{
}

AutomationError AutomationError::standard(std::int32_t number, const QString& source)
{
    QString text = standardDescription(number);
    if (text.isEmpty())
        text = QStringLiteral("Application-defined or object-defined error");
    return AutomationError(number, source, text);
}

AutomationError AutomationError::fromHresult(std::int32_t hresult, const QString& source)
{
    const std::int32_t number = errorNumberOfHresult(hresult);
    if (number != hresult)
        return standard(number, source);
    return AutomationError(hresult, source,
                           standardDescription(ErrorNumber::AutomationFailed));
}

QString standardDescription(std::int32_t number)
{
    for (const auto& e : standardErrors)
        if (e.number == number)
            return QString::fromLatin1(e.description);
    return QString();
}

std::int32_t errorNumberOfHresult(std::int32_t hresult)
{
    for (const auto& m : hresultMappings)
        if (m.hresult == hresult)
            return m.number;
    return hresult;
}

} // namespace tovu::platform::automation
