#include "platform/automation/SafeArray.h"

namespace tovu::platform::automation {

namespace {

[[noreturn]] void subscriptOutOfRange()
{
    throw AutomationError::standard(ErrorNumber::SubscriptOutOfRange);
}

void checkBounds(const std::vector<Bounds>& bounds)
{
    // A dimension may be empty (upper = lower - 1) but not negative in size.
    for (const Bounds& b : bounds)
        if (static_cast<std::int64_t>(b.upper) < static_cast<std::int64_t>(b.lower) - 1)
            subscriptOutOfRange();
}

} // namespace

SafeArray::SafeArray(VarType elementType) : elementType_(elementType) {}

SafeArray::SafeArray(std::vector<Bounds> bounds, VarType elementType) : elementType_(elementType)
{
    redim(std::move(bounds));
}

SafeArray SafeArray::ofValues(std::vector<Variant> values, std::int32_t lower)
{
    SafeArray array;
    array.bounds_ = {Bounds{lower, lower + static_cast<std::int32_t>(values.size()) - 1}};
    array.elements_ = std::move(values);
    return array;
}

SafeArray SafeArray::ofElements(std::vector<Bounds> bounds, std::vector<Variant> elements,
                                VarType elementType)
{
    checkBounds(bounds);
    if (bounds.empty() ? !elements.empty() : countOf(bounds) != elements.size())
        subscriptOutOfRange();
    SafeArray array(elementType);
    if (elementType != VarType::Variant)
        for (Variant& e : elements)
            e = e.convertedTo(elementType);
    array.bounds_ = std::move(bounds);
    array.elements_ = std::move(elements);
    return array;
}

std::size_t SafeArray::countOf(const std::vector<Bounds>& bounds)
{
    if (bounds.empty())
        return 0;
    std::size_t count = 1;
    for (const Bounds& b : bounds) {
        const auto n = static_cast<std::size_t>(static_cast<std::int64_t>(b.upper) - b.lower + 1);
        if (n != 0 && count > (std::size_t(1) << 40) / n)
            throw AutomationError::standard(ErrorNumber::OutOfMemory);
        count *= n;
    }
    return count;
}

std::int32_t SafeArray::lbound(int dimension) const
{
    if (dimension < 1 || dimension > dims())
        subscriptOutOfRange();
    return bounds_[static_cast<std::size_t>(dimension - 1)].lower;
}

std::int32_t SafeArray::ubound(int dimension) const
{
    if (dimension < 1 || dimension > dims())
        subscriptOutOfRange();
    return bounds_[static_cast<std::size_t>(dimension - 1)].upper;
}

std::size_t SafeArray::offsetOf(std::span<const std::int32_t> indexes) const
{
    if (indexes.size() != bounds_.size() || bounds_.empty())
        subscriptOutOfRange();
    std::size_t offset = 0;
    std::size_t stride = 1;
    for (std::size_t d = 0; d < bounds_.size(); ++d) {
        const Bounds& b = bounds_[d];
        if (indexes[d] < b.lower || indexes[d] > b.upper)
            subscriptOutOfRange();
        offset += static_cast<std::size_t>(static_cast<std::int64_t>(indexes[d]) - b.lower) * stride;
        stride *= static_cast<std::size_t>(static_cast<std::int64_t>(b.upper) - b.lower + 1);
    }
    return offset;
}

const Variant& SafeArray::get(std::span<const std::int32_t> indexes) const
{
    return elements_[offsetOf(indexes)];
}

const Variant& SafeArray::get(std::initializer_list<std::int32_t> indexes) const
{
    return get(std::span<const std::int32_t>(indexes.begin(), indexes.size()));
}

void SafeArray::set(std::span<const std::int32_t> indexes, const Variant& value)
{
    const std::size_t offset = offsetOf(indexes);
    elements_[offset] = value.convertedTo(elementType_);
}

void SafeArray::set(std::initializer_list<std::int32_t> indexes, const Variant& value)
{
    set(std::span<const std::int32_t>(indexes.begin(), indexes.size()), value);
}

Variant SafeArray::emptyElement() const
{
    switch (elementType_) {
    case VarType::Variant: return Variant();
    case VarType::String: return Variant(QString());
    case VarType::Object: return Variant::nothing();
    case VarType::Error: return Variant(ErrorValue{});
    default: return Variant().convertedTo(elementType_);
    }
}

void SafeArray::redim(std::vector<Bounds> bounds)
{
    checkBounds(bounds);
    const std::size_t count = countOf(bounds);
    elements_.assign(count, emptyElement());
    bounds_ = std::move(bounds);
}

void SafeArray::redimPreserve(std::vector<Bounds> bounds)
{
    if (!isAllocated()) {
        redim(std::move(bounds));
        return;
    }
    checkBounds(bounds);
    if (bounds.size() != bounds_.size())
        subscriptOutOfRange();
    for (std::size_t d = 0; d < bounds.size(); ++d) {
        const bool last = d + 1 == bounds.size();
        if (bounds[d].lower != bounds_[d].lower || (!last && bounds[d].upper != bounds_[d].upper))
            subscriptOutOfRange();
    }
    // First index fastest: the last dimension's elements are contiguous blocks at the
    // end, so a resize keeps the elements that remain where they are.
    elements_.resize(countOf(bounds), emptyElement());
    bounds_ = std::move(bounds);
}

void SafeArray::erase()
{
    bounds_.clear();
    elements_.clear();
}

} // namespace tovu::platform::automation
