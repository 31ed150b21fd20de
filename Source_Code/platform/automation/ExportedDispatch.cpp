#include "platform/automation/ExportedDispatch.h"

#include "platform/automation/ValueArena.h"

#include <atomic>
#include <exception>

namespace tovu::platform::automation {

namespace {

const TovuDispatchVtbl& vtblOfExported();

std::atomic<std::size_t>& liveCount()
{
    // Per module by nature: every library that links this code counts its own objects.
    static std::atomic<std::size_t> count{0};
    return count;
}

// The C object is the TovuDispatch base; the rest stays on this side.
struct Exported : TovuDispatch {
    explicit Exported(DispatchRef object) : TovuDispatch{&vtblOfExported()}, target(std::move(object)) {}
    std::atomic<std::uint32_t> references{1};
    DispatchRef target;
    ValueArena handedOut;  // what the last call gave the other side
    QByteArray typeName;   // what the last getTypeName gave
};

Exported* exportedOf(TovuDispatch* self)
{
    return static_cast<Exported*>(self);
}

std::uint32_t addRef(TovuDispatch* self)
{
    return ++exportedOf(self)->references;
}

std::uint32_t release(TovuDispatch* self)
{
    Exported* e = exportedOf(self);
    const std::uint32_t left = --e->references;
    if (left == 0) {
        delete e;
        --liveCount();
    }
    return left;
}

TovuResult getIdOfName(TovuDispatch* self, const char* name, size_t length, std::int32_t* dispId)
{
    if (!dispId)
        return TOVU_E_POINTER;
    try {
        *dispId = exportedOf(self)->target->dispIdOfName(textOfForeign(TovuString{name, length}));
        return TOVU_S_OK;
    } catch (const AutomationError&) {
        *dispId = DispIdUnknown;
        return TOVU_E_UNKNOWNNAME;
    } catch (...) {
        *dispId = DispIdUnknown;
        return TOVU_E_FAIL;
    }
}

TovuResult getTypeName(TovuDispatch* self, TovuString* name)
{
    if (!name)
        return TOVU_E_POINTER;
    try {
        Exported* e = exportedOf(self);
        e->typeName = e->target->typeName().toUtf8();
        *name = TovuString{e->typeName.constData(), static_cast<size_t>(e->typeName.size())};
        return TOVU_S_OK;
    } catch (...) {
        return TOVU_E_FAIL;
    }
}

std::optional<CallKind> callKindOf(std::uint32_t kind)
{
    switch (kind) {
    case TOVU_CALL_METHOD:
    case TOVU_CALL_METHOD | TOVU_CALL_GET: return CallKind::Method;
    case TOVU_CALL_GET: return CallKind::PropertyGet;
    case TOVU_CALL_PUT: return CallKind::PropertyPut;
    case TOVU_CALL_PUTREF: return CallKind::PropertyPutRef;
    default: return std::nullopt;
    }
}

TovuResult invoke(TovuDispatch* self, std::int32_t dispId, std::uint32_t kind, TovuVariant* args,
                  std::uint32_t argCount, const TovuString* names, std::uint32_t nameCount,
                  TovuVariant* result, TovuError* error)
{
    Exported* e = exportedOf(self);
    if (!result || !error || (argCount && !args) || (nameCount && !names) || nameCount > argCount)
        return TOVU_E_POINTER;
    const auto callKind = callKindOf(kind);
    if (!callKind)
        return TOVU_E_INVALIDARG;
    e->handedOut.clear();
    std::vector<Variant> values;
    std::vector<Variant> before;
    auto writeBack = [&] {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!(values[i] == before[i])) {
                args[i] = e->handedOut.put(values[i]);
                args[i].flags = TOVU_VF_WRITTEN;
            }
        }
    };
    try {
        values.reserve(argCount);
        for (std::uint32_t i = 0; i < argCount; ++i)
            values.push_back(valueOfForeign(args[i], nullptr));
        std::vector<QString> nameList;
        for (std::uint32_t i = 0; i < nameCount; ++i)
            nameList.push_back(textOfForeign(names[i]));
        before = values;
        const Variant value = e->target->invoke(dispId, values, *callKind, nameList);
        writeBack();
        *result = e->handedOut.put(value);
        return TOVU_S_OK;
    } catch (const AutomationError& x) {
        try {
            if (before.size() == values.size())
                writeBack();
            error->number = x.number();
            error->source = e->handedOut.text(x.source());
            error->description = e->handedOut.text(x.description());
        } catch (...) {
            return TOVU_E_FAIL;
        }
        return TOVU_E_EXCEPTION;
    } catch (const std::bad_alloc&) {
        return TOVU_E_OUTOFMEMORY;
    } catch (const std::exception& x) {
        // Anything else a member throws reaches the caller as an automation error
        // rather than tearing through the C boundary.
        error->number = ErrorNumber::AutomationFailed;
        error->description = e->handedOut.text(QString::fromLocal8Bit(x.what()));
        return TOVU_E_EXCEPTION;
    } catch (...) {
        return TOVU_E_FAIL;
    }
}

const TovuDispatchVtbl& vtblOfExported()
{
    static constexpr TovuDispatchVtbl vtbl{TOVU_INPROC_ABI_VERSION, addRef, release, getIdOfName, invoke,
                                           getTypeName};
    return vtbl;
}
} // namespace

TovuDispatch* exportDispatch(DispatchRef object)
{
    auto* e = new Exported(std::move(object));
    ++liveCount();
    return e;
}

DispatchRef exportedTarget(TovuDispatch* object)
{
    if (!object || object->vtbl != &vtblOfExported())
        return nullptr;
    return exportedOf(object)->target;
}

std::size_t exportedObjectsAlive()
{
    return liveCount();
}

} // namespace tovu::platform::automation
