#pragma once
// A heap slot with value semantics: a copy of the owner behaves as a full, independent
// copy of what it points to. Copies share the block until one of them is written: the
// write (ensure()) first makes that owner's own copy. So copying a record between the
// arrays costs nothing until one side changes, as with the texts inside it.
//
// A reference returned by ensure() is good only until the owner is next copied; take
// it, write, and let it go.

#include <memory>

namespace tovu::items {

template <typename T>
class CopyPtr {
public:
    explicit operator bool() const { return static_cast<bool>(p_); }
    const T* get() const { return p_.get(); }
    // Creates the object on first use; a block shared with a copy is copied first.
    T& ensure()
    {
        if (!p_)
            p_ = std::make_shared<T>();
        else if (p_.use_count() > 1)
            p_ = std::make_shared<T>(*p_);
        return *p_;
    }
    // Creates the object as a copy of prototype on first use.
    T& ensure(const T& prototype)
    {
        if (!p_)
            p_ = std::make_shared<T>(prototype);
        return ensure();
    }
    void reset() { p_.reset(); }

private:
    std::shared_ptr<T> p_;
};

} // namespace tovu::items
