#pragma once
// A dispatch object that lives behind the binary interface of in-process servers: a
// server library's object, or a host object handed to a server. Calls are carried across
// as C values; what the other side writes to arguments comes back to the caller's.

#include "platform/automation/Dispatch.h"
#include "platform/automation/InProcServer.h"

#include <memory>

namespace tovu::platform::automation {

class ForeignDispatch : public Dispatch {
public:
    // Takes over one reference of object; keepAlive (the library that made the object,
    // or null) stays alive as long as this wrapper.
    ForeignDispatch(TovuDispatch* object, std::shared_ptr<void> keepAlive);
    ~ForeignDispatch() override;
    ForeignDispatch(const ForeignDispatch&) = delete;
    ForeignDispatch& operator=(const ForeignDispatch&) = delete;

    DispId dispIdOfName(const QString& name) override;
    Variant invoke(DispId id, std::vector<Variant>& args, CallKind kind = CallKind::Method,
                   std::span<const QString> names = {}) override;
    QString typeName() override;

    TovuDispatch* foreign() const { return object_; }

private:
    std::shared_ptr<void> keepAlive_;  // declared first: released after the object
    TovuDispatch* object_;
};

// Wraps a foreign object, taking over one reference of it; raises when the object
// speaks another version of the interface (the reference is then released).
DispatchRef adoptForeign(TovuDispatch* object, std::shared_ptr<void> keepAlive);

} // namespace tovu::platform::automation
