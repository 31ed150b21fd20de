#pragma once

#include "platform/automation/RunningObjectTable.h"
#include "platform/office/word/WordEnvironment.h"

namespace tovu::platform::word {

// Registers running applications in the program's running-object table, so that a
// caller looking up "Word.Application" by ProgID finds the running instance. What is
// registered is a dispatch object that answers the application's Version, Caption,
// Visible and Quit by name and leads back to the application itself.
class AutomationActiveObjects : public ActiveObjectTable {
public:
    explicit AutomationActiveObjects(automation::RunningObjectTable& table) : table_(table) {}

    void registerActive(const QString& progId, std::shared_ptr<void> object) override;
    void revokeActive(const QString& progId, const void* object) override;
    std::shared_ptr<void> active(const QString& progId) const override;

private:
    automation::RunningObjectTable& table_;
};

}  // namespace tovu::platform::word
