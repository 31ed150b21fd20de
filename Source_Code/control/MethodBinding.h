// Binds a method of the control to the dispatch interface: converts the caller's values to
// the method's parameter types, fills left-out optional arguments with their defaults, calls
// the method and hands what it wrote to a by-reference argument back to the caller.
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/automation/DispatchTable.h"
#include "platform/automation/Variant.h"

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace tovu::control {

class Verbolt;

namespace automation = tovu::platform::automation;

// One parameter of a method as the type library declares it. An optional parameter with no
// default arrives as the empty value of its type (a Variant stays marked missing).
struct ParamDecl {
    const char* name;
    bool optional = false;
    automation::Variant defaultValue = automation::Variant::missing();
};

inline ParamDecl required(const char* name) { return {name, false}; }
inline ParamDecl opt(const char* name, automation::Variant def = automation::Variant::missing())
{
    return {name, true, std::move(def)};
}

namespace binding {

template <typename T>
struct Arg;

template <>
struct Arg<std::int16_t> {
    static constexpr automation::VarType type = automation::VarType::Integer;
    static std::int16_t from(const automation::Variant& v) { return v.toInteger(); }
};
template <>
struct Arg<std::int32_t> {
    static constexpr automation::VarType type = automation::VarType::Long;
    static std::int32_t from(const automation::Variant& v) { return v.toLong(); }
};
template <>
struct Arg<float> {
    static constexpr automation::VarType type = automation::VarType::Single;
    static float from(const automation::Variant& v) { return v.toSingle(); }
};
template <>
struct Arg<double> {
    static constexpr automation::VarType type = automation::VarType::Double;
    static double from(const automation::Variant& v) { return v.toDouble(); }
};
template <>
struct Arg<bool> {
    static constexpr automation::VarType type = automation::VarType::Boolean;
    static bool from(const automation::Variant& v) { return v.toBoolean(); }
};
template <>
struct Arg<QString> {
    static constexpr automation::VarType type = automation::VarType::String;
    static QString from(const automation::Variant& v) { return v.toString(); }
};
template <>
struct Arg<automation::Variant> {
    static constexpr automation::VarType type = automation::VarType::Variant;
    static automation::Variant from(const automation::Variant& v) { return v; }
};
template <>
struct Arg<automation::DispatchRef> {
    static constexpr automation::VarType type = automation::VarType::Object;
    static automation::DispatchRef from(const automation::Variant& v)
    {
        return v.isObject() ? v.toObject() : automation::DispatchRef();
    }
};

// The value a parameter starts with: the caller's, the declared default, or the type's empty.
template <typename T>
T initialValue(const automation::Args& args, std::size_t i, const ParamDecl& decl)
{
    const automation::Variant& given = automation::argumentAt(args, i);
    if (!given.isMissing())
        return Arg<T>::from(given);
    if (!decl.optional)
        throw automation::AutomationError::standard(automation::ErrorNumber::ArgumentNotOptional);
    if (!decl.defaultValue.isMissing())
        return Arg<T>::from(decl.defaultValue);
    if constexpr (std::is_same_v<T, automation::Variant>)
        return automation::Variant::missing();
    else
        return T{};
}

// A by-reference argument goes back when the caller passed a variable of the parameter's own
// type; a converted argument was a copy, as in any automation call.
template <typename T>
void writeBack(automation::Args& args, std::size_t i, T&& value)
{
    using V = std::decay_t<T>;
    if (i >= args.size() || args[i].isMissing())
        return;
    if constexpr (std::is_same_v<V, automation::Variant>)
        args[i] = std::forward<T>(value);
    else if constexpr (std::is_same_v<V, automation::DispatchRef>)
        args[i] = automation::Variant(std::forward<T>(value));
    else if (args[i].type() == Arg<V>::type)
        args[i] = automation::Variant(std::forward<T>(value));
}

template <typename R>
automation::Variant result(R&& value)
{
    return automation::Variant(std::forward<R>(value));
}

template <typename Method>
struct Signature;

template <typename C, typename R, typename... A>
struct Signature<R (C::*)(A&...)> {
    using Class = C;
    using Result = R;
    using Params = std::tuple<std::decay_t<A>...>;
    static constexpr std::size_t count = sizeof...(A);
};

template <auto Method, std::size_t... I>
automation::Variant call(typename Signature<decltype(Method)>::Class& self, automation::Args& args, const std::vector<ParamDecl>& decls,
                         std::index_sequence<I...>)
{
    using Sig = Signature<decltype(Method)>;
    typename Sig::Params locals{
        initialValue<std::tuple_element_t<I, typename Sig::Params>>(args, I, decls[I])...};
    if constexpr (std::is_void_v<typename Sig::Result>) {
        (self.*Method)(std::get<I>(locals)...);
        (writeBack(args, I, std::move(std::get<I>(locals))), ...);
        return automation::Variant();
    } else {
        auto value = (self.*Method)(std::get<I>(locals)...);
        (writeBack(args, I, std::move(std::get<I>(locals))), ...);
        return result(std::move(value));
    }
}

} // namespace binding

// Calls Method of self with the caller's arguments.
template <auto Method>
automation::Variant invokeMethod(typename binding::Signature<decltype(Method)>::Class& self, automation::Args& args, const std::vector<ParamDecl>& decls)
{
    using Sig = binding::Signature<decltype(Method)>;
    if (args.size() > Sig::count)
        throw automation::AutomationError::standard(automation::ErrorNumber::WrongArgumentCount);
    return binding::call<Method>(self, args, decls, std::make_index_sequence<Sig::count>{});
}

} // namespace tovu::control

namespace tovu::control {

using Invoker = automation::Variant (*)(Verbolt&, automation::Args&, const std::vector<ParamDecl>&);

// One row of the control's method table.
struct MethodEntry {
    automation::DispId dispid;
    const char* name;
    std::vector<ParamDecl> params;
    Invoker invoke;
    QString help = {};  // the help string the type information gives; empty for none
};

template <auto Method>
MethodEntry method(automation::DispId dispid, const char* name, std::vector<ParamDecl> params = {})
{
    using Sig = binding::Signature<decltype(Method)>;
    if (params.size() != Sig::count)
        throw std::logic_error(std::string("parameter list does not match the method: ") + name);
    return MethodEntry{dispid, name, std::move(params), &invokeMethod<Method>};
}

} // namespace tovu::control
