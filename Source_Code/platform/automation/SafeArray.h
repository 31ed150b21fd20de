#pragma once
// An n-dimensional array of automation values with a lower bound per dimension, as a
// caller declares it (Dim a() / ReDim a(0 To 3, 1 To 2)). An array declared without bounds
// is unallocated: it has no dimensions and every bound query raises Subscript out of
// range until it is redimensioned. Elements are kept with the first index varying
// fastest, so growing the last dimension keeps every element in place.

#include "platform/automation/Variant.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace tovu::platform::automation {

struct Bounds {
    std::int32_t lower = 0;
    std::int32_t upper = -1;  // upper = lower - 1: a dimension without elements
    bool operator==(const Bounds&) const = default;
};

class SafeArray {
public:
    // An unallocated array whose elements will be of the given kind (Variant: any kind).
    explicit SafeArray(VarType elementType = VarType::Variant);
    // An allocated array, every element the empty value of the element kind.
    explicit SafeArray(std::vector<Bounds> bounds, VarType elementType = VarType::Variant);

    // An allocated array holding the given elements (first index fastest), each
    // converted to the element kind; Subscript out of range when the count does not
    // match the bounds.
    static SafeArray ofElements(std::vector<Bounds> bounds, std::vector<Variant> elements,
                                VarType elementType = VarType::Variant);
    // A one-dimensional Variant array from lower bound 0 holding the given values.
    static SafeArray ofValues(std::vector<Variant> values, std::int32_t lower = 0);

    VarType elementType() const { return elementType_; }
    bool isAllocated() const { return !bounds_.empty(); }
    int dims() const { return static_cast<int>(bounds_.size()); }
    // Bounds of dimension 1..dims(); Subscript out of range otherwise.
    std::int32_t lbound(int dimension = 1) const;
    std::int32_t ubound(int dimension = 1) const;
    const std::vector<Bounds>& bounds() const { return bounds_; }
    std::size_t elementCount() const { return elements_.size(); }

    // The element at the given indexes (one per dimension); Subscript out of range when
    // the count of indexes or an index does not fit.
    const Variant& get(std::span<const std::int32_t> indexes) const;
    const Variant& get(std::initializer_list<std::int32_t> indexes) const;
    // Stores a value, converted to the element kind of a typed array.
    void set(std::span<const std::int32_t> indexes, const Variant& value);
    void set(std::initializer_list<std::int32_t> indexes, const Variant& value);

    // ReDim: new bounds, every element emptied.
    void redim(std::vector<Bounds> bounds);
    // ReDim Preserve: only the upper bound of the last dimension may change, and the
    // elements that remain keep their values; Subscript out of range otherwise. An
    // unallocated array takes the bounds as with redim.
    void redimPreserve(std::vector<Bounds> bounds);
    // Erase: back to unallocated.
    void erase();

    // All elements, first index fastest.
    const std::vector<Variant>& elements() const { return elements_; }

    bool operator==(const SafeArray&) const = default;

private:
    VarType elementType_;
    std::vector<Bounds> bounds_;
    std::vector<Variant> elements_;

    std::size_t offsetOf(std::span<const std::int32_t> indexes) const;
    Variant emptyElement() const;
    static std::size_t countOf(const std::vector<Bounds>& bounds);
};

} // namespace tovu::platform::automation
