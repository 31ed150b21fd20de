#include "platform/automation/ValueArena.h"

#include "platform/automation/ExportedDispatch.h"
#include "platform/automation/ForeignDispatch.h"
#include "platform/automation/SafeArray.h"

#include <limits>

namespace tovu::platform::automation {

namespace {

// Limits on what a foreign value may claim, so that a broken server cannot make the
// host allocate without bound.
constexpr std::size_t maxTextBytes = std::size_t(1) << 30;
constexpr std::uint32_t maxDims = 60;
constexpr std::uint64_t maxElements = std::uint64_t(1) << 28;

[[noreturn]] void malformed()
{
    throw AutomationError::fromHresult(Hresult::DispBadVarType);
}

bool isScalarKind(std::uint32_t kind)
{
    switch (kind) {
    case TOVU_VT_EMPTY: case TOVU_VT_NULL: case TOVU_VT_I2: case TOVU_VT_I4: case TOVU_VT_R4:
    case TOVU_VT_R8: case TOVU_VT_CY: case TOVU_VT_DATE: case TOVU_VT_STRING: case TOVU_VT_DISPATCH:
    case TOVU_VT_ERROR: case TOVU_VT_BOOL: case TOVU_VT_UI1:
        return true;
    default:
        return false;
    }
}

Variant arrayOfForeign(const TovuVariant& value, const std::shared_ptr<void>& keepAlive)
{
    const std::uint32_t elementKind = value.type & ~TOVU_VT_ARRAY;
    constexpr std::uint32_t variantKind = static_cast<std::uint32_t>(VarType::Variant);
    if (elementKind != variantKind && (!isScalarKind(elementKind) || elementKind == TOVU_VT_NULL))
        malformed();
    const TovuArray& a = value.u.array;
    const auto elementType = static_cast<VarType>(elementKind);
    if (a.dims == 0)
        return Variant(SafeArray(elementType));
    if (a.dims > maxDims || !a.lowerBounds || !a.counts)
        malformed();
    std::vector<Bounds> bounds;
    std::uint64_t count = 1;
    for (std::uint32_t d = 0; d < a.dims; ++d) {
        const std::int64_t upper = static_cast<std::int64_t>(a.lowerBounds[d]) + a.counts[d] - 1;
        if (upper > std::numeric_limits<std::int32_t>::max())
            malformed();
        bounds.push_back(Bounds{a.lowerBounds[d], static_cast<std::int32_t>(upper)});
        count *= a.counts[d];
        if (count > maxElements)
            malformed();
    }
    if (count > 0 && !a.elements)
        malformed();
    std::vector<Variant> elements;
    elements.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i)
        elements.push_back(valueOfForeign(a.elements[i], keepAlive));
    return Variant(SafeArray::ofElements(std::move(bounds), std::move(elements), elementType));
}

} // namespace

QString textOfForeign(const TovuString& text)
{
    if (text.length == 0)
        return QString();
    if (!text.utf8 || text.length > maxTextBytes)
        malformed();
    return QString::fromUtf8(text.utf8, static_cast<qsizetype>(text.length));
}

Variant valueOfForeign(const TovuVariant& value, const std::shared_ptr<void>& keepAlive)
{
    if (value.type & TOVU_VT_ARRAY)
        return arrayOfForeign(value, keepAlive);
    switch (value.type) {
    case TOVU_VT_EMPTY: return Variant();
    case TOVU_VT_NULL: return Variant::null();
    case TOVU_VT_I2: return Variant(value.u.i2);
    case TOVU_VT_I4: return Variant(value.u.i4);
    case TOVU_VT_R4: return Variant(value.u.r4);
    case TOVU_VT_R8: return Variant(value.u.r8);
    case TOVU_VT_CY: return Variant(Currency{value.u.cy});
    case TOVU_VT_DATE: return Variant(Date{value.u.date});
    case TOVU_VT_STRING: return Variant(textOfForeign(value.u.str));
    case TOVU_VT_ERROR: return Variant(ErrorValue{value.u.error});
    case TOVU_VT_BOOL: return Variant(value.u.boolean != 0);
    case TOVU_VT_UI1: return Variant(value.u.ui1);
    case TOVU_VT_DISPATCH: {
        TovuDispatch* object = value.u.object;
        if (!object)
            return Variant::nothing();
        if (DispatchRef own = exportedTarget(object))
            return Variant(std::move(own));  // one of ours coming back: no wrapper chain
        if (!object->vtbl)
            malformed();
        if (object->vtbl->abiVersion != TOVU_INPROC_ABI_VERSION)
            throw AutomationError::fromHresult(TOVU_E_VERSION);
        object->vtbl->addRef(object);
        return Variant(adoptForeign(object, keepAlive));
    }
    default:
        malformed();
    }
}

TovuString ValueArena::text(const QString& text)
{
    texts_.push_back(text.toUtf8());
    const QByteArray& bytes = texts_.back();
    return TovuString{bytes.constData(), static_cast<size_t>(bytes.size())};
}

TovuVariant ValueArena::put(const Variant& value)
{
    TovuVariant out{};
    out.type = static_cast<std::uint16_t>(value.type());
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null: break;
    case VarType::Integer: out.u.i2 = value.toInteger(); break;
    case VarType::Long: out.u.i4 = value.toLong(); break;
    case VarType::Single: out.u.r4 = value.toSingle(); break;
    case VarType::Double: out.u.r8 = value.toDouble(); break;
    case VarType::Currency: out.u.cy = value.toCurrency().scaled; break;
    case VarType::Date: out.u.date = value.toDate().days; break;
    case VarType::String: out.u.str = text(value.toString()); break;
    case VarType::Error: out.u.error = value.errorCode(); break;
    case VarType::Boolean: out.u.boolean = value.toBoolean() ? -1 : 0; break;
    case VarType::Byte: out.u.ui1 = value.toByte(); break;
    case VarType::Object: {
        const DispatchRef ref = value.toObject();
        if (!ref) {
            out.u.object = nullptr;
            break;
        }
        TovuDispatch* object = nullptr;
        if (auto* foreign = dynamic_cast<ForeignDispatch*>(ref.get())) {
            object = foreign->foreign();
            object->vtbl->addRef(object);
        } else {
            object = exportDispatch(ref);
        }
        objects_.push_back(object);
        out.u.object = object;
        break;
    }
    default: {
        const SafeArray& array = value.array();
        arrays_.emplace_back();
        ArrayStore& store = arrays_.back();
        for (const Bounds& b : array.bounds()) {
            store.lowerBounds.push_back(b.lower);
            store.counts.push_back(static_cast<std::uint32_t>(static_cast<std::int64_t>(b.upper) - b.lower + 1));
        }
        store.elements.reserve(array.elementCount());
        for (const Variant& e : array.elements())
            store.elements.push_back(put(e));  // `store` stays put: a deque keeps its elements in place
        out.u.array = TovuArray{static_cast<std::uint32_t>(array.dims()), store.lowerBounds.data(),
                                store.counts.data(), store.elements.data()};
        break;
    }
    }
    return out;
}

void ValueArena::clear()
{
    // Release last-in first: an object may hold the ones handed out before it.
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it)
        (*it)->vtbl->release(*it);
    objects_.clear();
    arrays_.clear();
    texts_.clear();
}

} // namespace tovu::platform::automation
