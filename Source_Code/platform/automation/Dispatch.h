#pragma once
// The dispatch interface: an object whose members are called by number (dispatch
// identifier), found by name without regard to case. Objects are shared: whoever holds a
// DispatchRef keeps the object alive.

#include "platform/automation/Variant.h"

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace tovu::platform::automation {

using DispId = std::int32_t;
inline constexpr DispId DispIdValue = 0;     // the default member
inline constexpr DispId DispIdUnknown = -1;

// How a member is called. A caller that reads a value or calls a method without
// knowing which it is uses Method; servers treat Method and PropertyGet alike.
enum class CallKind : std::uint32_t {
    Method = 1,
    PropertyGet = 2,
    PropertyPut = 4,     // the value assigned is the last argument
    PropertyPutRef = 8,  // Set obj.Member = object
};

// What the type information tells of one member: its name and identifier, the names of
// its positional parameters and its help string (empty when it has none).
struct MemberInfo {
    QString name;
    DispId id = DispIdUnknown;
    std::vector<QString> parameters;
    QString help;
};

class Dispatch {
public:
    virtual ~Dispatch() = default;

    // The identifier of the member called name, compared without regard to case;
    // raises Member not found (438) when there is none.
    virtual DispId dispIdOfName(const QString& name) = 0;

    // Calls a member. args are in call order, first argument first; the callee may
    // write to them (by-reference arguments), and the caller sees what it wrote.
    // names, when given, name the last names.size() arguments, in their order; the
    // others are positional. Raises AutomationError on failure.
    virtual Variant invoke(DispId id, std::vector<Variant>& args, CallKind kind = CallKind::Method,
                           std::span<const QString> names = {}) = 0;

    // The name of the object's class, as the run-time's TypeName answers it for an
    // object: "Collection", "TextBox" ... Callers that require a particular class test
    // it by this name. "Object" when the class has no name of its own.
    virtual QString typeName();

    // The type information of the object's members, in the order the object declares
    // them; empty for an object that carries none.
    virtual std::vector<MemberInfo> typeInfo();

    // Late binding by name, for callers that know members by their names.
    Variant call(const QString& name, std::vector<Variant>& args,
                 std::span<const QString> names = {});
    Variant call(const QString& name, std::vector<Variant>&& args = {},
                 std::span<const QString> names = {});
    Variant get(const QString& name);
    void put(const QString& name, Variant value);
    void putRef(const QString& name, DispatchRef object);
};

} // namespace tovu::platform::automation
