#pragma once
// A heap slot with value semantics: copying the owner copies what it points to.
// Records keep their rarely filled parts behind one of these, so an empty record
// costs a few bytes while a copy is still a full, independent copy.

#include <memory>

namespace tovu::items {

template <typename T>
class CopyPtr {
public:
    CopyPtr() = default;
    CopyPtr(const CopyPtr& other) : p_(other.p_ ? std::make_unique<T>(*other.p_) : nullptr) {}
    CopyPtr(CopyPtr&&) noexcept = default;
    CopyPtr& operator=(const CopyPtr& other)
    {
        if (this != &other)
            p_ = other.p_ ? std::make_unique<T>(*other.p_) : nullptr;
        return *this;
    }
    CopyPtr& operator=(CopyPtr&&) noexcept = default;

    explicit operator bool() const { return static_cast<bool>(p_); }
    const T* get() const { return p_.get(); }
    // Creates the object on first use.
    T& ensure()
    {
        if (!p_)
            p_ = std::make_unique<T>();
        return *p_;
    }
    // Creates the object as a copy of prototype on first use.
    T& ensure(const T& prototype)
    {
        if (!p_)
            p_ = std::make_unique<T>(prototype);
        return *p_;
    }
    void reset() { p_.reset(); }

private:
    std::unique_ptr<T> p_;
};

} // namespace tovu::items
