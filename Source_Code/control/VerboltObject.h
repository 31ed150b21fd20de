// The control as an automation object: the dispatch interface through which a host calls the
// control's methods by dispatch id (or finds an id by name). One method table drives it.
#pragma once

#include "control/Verbolt.h"
#include "platform/automation/DispatchTable.h"

#include <memory>

namespace tovu::control {

inline constexpr const char* kVerboltProgId = "Verbolt_OCX.Verbolt";

class VerboltObject : public automation::DispatchTable {
public:
    explicit VerboltObject(word::WordEnvironment& environment);
    // When the host lets go of the control, it releases the held document and then the
    // held application; Word itself keeps running.
    ~VerboltObject() override;

    Verbolt& control() { return *control_; }

private:
    explicit VerboltObject(std::unique_ptr<Verbolt> control);
    std::unique_ptr<Verbolt> control_;
};

std::shared_ptr<VerboltObject> createVerbolt(word::WordEnvironment& environment);

} // namespace tovu::control
