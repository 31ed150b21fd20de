#pragma once
// Carries automation values across the binary interface of in-process servers. The
// arena turns Variants into C values and owns everything they point to (texts, array
// storage, one reference per object) until it is cleared; valueOfForeign copies a C value
// back into a Variant.

#include "platform/automation/InProcServer.h"
#include "platform/automation/Variant.h"

#include <QByteArray>
#include <deque>
#include <memory>
#include <vector>

namespace tovu::platform::automation {

class ValueArena {
public:
    ValueArena() = default;
    ValueArena(const ValueArena&) = delete;
    ValueArena& operator=(const ValueArena&) = delete;
    ~ValueArena() { clear(); }

    // The C form of a value; valid until clear().
    TovuVariant put(const Variant& value);
    TovuString text(const QString& text);
    // Frees all storage and releases the objects held.
    void clear();

private:
    struct ArrayStore {
        std::vector<std::int32_t> lowerBounds;
        std::vector<std::uint32_t> counts;
        std::vector<TovuVariant> elements;
    };
    std::deque<QByteArray> texts_;
    std::deque<ArrayStore> arrays_;
    std::vector<TovuDispatch*> objects_;
};

// A copy of a C value. Objects are taken with a reference of their own; keepAlive (the
// library that made them, or null) stays alive as long as they do. Raises Type mismatch
// for a value that is malformed or of an unknown kind.
Variant valueOfForeign(const TovuVariant& value, const std::shared_ptr<void>& keepAlive);

// UTF-8 text of the binary interface as a QString; Type mismatch when malformed.
QString textOfForeign(const TovuString& text);

} // namespace tovu::platform::automation
