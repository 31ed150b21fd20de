#pragma once
// The display's view of the per-user settings store, already bound to the application
// name: values by section and key. The program adapts the settings layer to it; tests
// use a map.

#include <QString>

namespace tovu::display {

class SettingsAccess {
public:
    virtual ~SettingsAccess() = default;
    // The stored value, or def when the key is missing.
    virtual QString GetSetting(const QString& section, const QString& key, const QString& def = {}) const = 0;
    virtual void SaveSetting(const QString& section, const QString& key, const QString& value) = 0;
};

} // namespace tovu::display
