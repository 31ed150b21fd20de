#include "platform/automation/Dispatch.h"

namespace tovu::platform::automation {

std::vector<MemberInfo> Dispatch::typeInfo()
{
    return {};
}

QString Dispatch::typeName()
{
    return QStringLiteral("Object");
}

Variant Dispatch::call(const QString& name, std::vector<Variant>& args,
                       std::span<const QString> names)
{
    return invoke(dispIdOfName(name), args, CallKind::Method, names);
}

Variant Dispatch::call(const QString& name, std::vector<Variant>&& args,
                       std::span<const QString> names)
{
    return call(name, args, names);
}

Variant Dispatch::get(const QString& name)
{
    std::vector<Variant> none;
    return invoke(dispIdOfName(name), none, CallKind::PropertyGet);
}

void Dispatch::put(const QString& name, Variant value)
{
    std::vector<Variant> args{std::move(value)};
    invoke(dispIdOfName(name), args, CallKind::PropertyPut);
}

void Dispatch::putRef(const QString& name, DispatchRef object)
{
    std::vector<Variant> args{Variant(std::move(object))};
    invoke(dispIdOfName(name), args, CallKind::PropertyPutRef);
}

} // namespace tovu::platform::automation
