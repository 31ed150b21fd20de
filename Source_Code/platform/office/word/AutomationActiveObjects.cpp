#include "platform/office/word/AutomationActiveObjects.h"

#include "platform/automation/AutomationError.h"
#include "platform/automation/DispatchTable.h"
#include "platform/office/word/Application.h"

namespace tovu::platform::word {

namespace {

using automation::Args;
using automation::Variant;

// The application as the running-object table holds it.
class RunningApplication : public automation::DispatchTable {
public:
    RunningApplication(std::vector<automation::DispatchMember> members, std::shared_ptr<void> object)
        : DispatchTable(std::move(members), QStringLiteral("Application")), object_(std::move(object)) {}
    const std::shared_ptr<void>& object() const { return object_; }

private:
    std::shared_ptr<void> object_;
};

template <class F>
Variant guarded(F&& f)
{
    try {
        return f();
    } catch (const WordError& e) {
        throw automation::AutomationError(automation::ErrorNumber::AutomationFailed, e.operation(), e.description());
    }
}

std::shared_ptr<RunningApplication> wrap(const std::shared_ptr<void>& object)
{
    // Only WordEnvironment registers, and only its applications.
    std::weak_ptr<Application> app = std::static_pointer_cast<Application>(object);
    auto lock = [app] {
        auto a = app.lock();
        if (!a)
            throw automation::AutomationError(automation::ErrorNumber::AutomationFailed, QStringLiteral("Word"),
                                              QStringLiteral("the application is not running"));
        return a;
    };
    std::vector<automation::DispatchMember> members = {
        {QStringLiteral("Version"), 0x18, [lock](Args&) { return guarded([&] { return Variant(lock()->version()); }); }},
        {QStringLiteral("Caption"), 0x2, [lock](Args&) { return guarded([&] { return Variant(lock()->caption()); }); },
         [lock](Args& a) { return guarded([&] { lock()->setCaption(a.back().toString()); return Variant(); }); }},
        {QStringLiteral("Visible"), 0x17, [lock](Args&) { return guarded([&] { return Variant(lock()->visible()); }); },
         [lock](Args& a) { return guarded([&] { lock()->setVisible(a.back().toBoolean()); return Variant(); }); }},
        {QStringLiteral("Quit"), 0x451,
         [lock](Args& a) {
             return guarded([&] {
                 const Variant& save = automation::argumentAt(a, 0);
                 lock()->quit(!save.isMissing() && save.toBoolean());
                 return Variant();
             });
         },
         {}, {QStringLiteral("SaveChanges")}},
    };
    return std::make_shared<RunningApplication>(std::move(members), object);
}

}  // namespace

void AutomationActiveObjects::registerActive(const QString& progId, std::shared_ptr<void> object)
{
    table_.registerObject(progId, wrap(object));
}

void AutomationActiveObjects::revokeActive(const QString& progId, const void* object)
{
    auto current = std::dynamic_pointer_cast<RunningApplication>(table_.activeObject(progId));
    if (current && current->object().get() == object)
        table_.revoke(progId, current);
}

std::shared_ptr<void> AutomationActiveObjects::active(const QString& progId) const
{
    auto current = std::dynamic_pointer_cast<RunningApplication>(table_.activeObject(progId));
    return current ? current->object() : nullptr;
}

}  // namespace tovu::platform::word
