#include "platform/automation/ForeignDispatch.h"

#include "platform/automation/ValueArena.h"

namespace tovu::platform::automation {

ForeignDispatch::ForeignDispatch(TovuDispatch* object, std::shared_ptr<void> keepAlive)
    : keepAlive_(std::move(keepAlive))
    , object_(object)
{
}

ForeignDispatch::~ForeignDispatch()
{
    object_->vtbl->release(object_);
}

DispatchRef adoptForeign(TovuDispatch* object, std::shared_ptr<void> keepAlive)
{
    if (!object || !object->vtbl)
        throw AutomationError::fromHresult(TOVU_E_POINTER);
    if (object->vtbl->abiVersion != TOVU_INPROC_ABI_VERSION) {
        object->vtbl->release(object);
        throw AutomationError::fromHresult(TOVU_E_VERSION);
    }
    return std::make_shared<ForeignDispatch>(object, std::move(keepAlive));
}

DispId ForeignDispatch::dispIdOfName(const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    std::int32_t id = DispIdUnknown;
    const TovuResult result = object_->vtbl->getIdOfName(object_, utf8.constData(),
                                                        static_cast<size_t>(utf8.size()), &id);
    if (result != TOVU_S_OK)
        throw AutomationError::fromHresult(result);
    return id;
}

QString ForeignDispatch::typeName()
{
    if (!object_->vtbl->getTypeName)
        return Dispatch::typeName();
    TovuString name{nullptr, 0};
    const TovuResult result = object_->vtbl->getTypeName(object_, &name);
    if (result != TOVU_S_OK)
        throw AutomationError::fromHresult(result);
    return textOfForeign(name);
}

Variant ForeignDispatch::invoke(DispId id, std::vector<Variant>& args, CallKind kind,
                                std::span<const QString> names)
{
    ValueArena arena;
    std::vector<TovuVariant> values;
    values.reserve(args.size());
    for (const Variant& a : args)
        values.push_back(arena.put(a));
    std::vector<TovuString> nameTexts;
    for (const QString& n : names)
        nameTexts.push_back(arena.text(n));

    TovuVariant result{};
    result.type = TOVU_VT_EMPTY;
    TovuError error{};
    const TovuResult status = object_->vtbl->invoke(
        object_, id, static_cast<std::uint32_t>(kind), values.data(),
        static_cast<std::uint32_t>(values.size()), nameTexts.data(),
        static_cast<std::uint32_t>(nameTexts.size()), &result, &error);

    // What the callee wrote stays written even when the call then failed.
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i].flags & TOVU_VF_WRITTEN)
            args[i] = valueOfForeign(values[i], keepAlive_);
    if (status == TOVU_E_EXCEPTION)
        throw AutomationError(error.number, textOfForeign(error.source), textOfForeign(error.description));
    if (status != TOVU_S_OK)
        throw AutomationError::fromHresult(status);
    return valueOfForeign(result, keepAlive_);
}

} // namespace tovu::platform::automation
