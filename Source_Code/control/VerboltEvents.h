// The control's event interface. A host that wants the events hands the control a sink;
// the events are raised synchronously on the caller's thread.
#pragma once

#include <QString>
#include <cstdint>

namespace tovu::control {

// Dispatch identifiers of the events, as hosts that sink them by id expect.
enum VerboltEventId : std::int32_t {
    kEventCurrentRow = 1,
    kEventCurrentColumn = 2,
    kEventCurrentField = 3,
};

class VerboltEvents {
public:
    virtual ~VerboltEvents() = default;
    virtual void CurrentRow(std::int32_t& lngCurrentRow) = 0;
    virtual void CurrentColumn(std::int32_t& lngCurrentColumn) = 0;
    virtual void CurrentField(QString& strCurrentField) = 0;
};

} // namespace tovu::control
