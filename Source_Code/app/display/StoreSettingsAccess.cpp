#include "app/display/StoreSettingsAccess.h"

namespace tovu::display {

QString StoreSettingsAccess::GetSetting(const QString& section, const QString& key, const QString& def) const
{
    try {
        return store_.getSetting(application_, section, key, def);
    } catch (...) {
        return def;
    }
}

void StoreSettingsAccess::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    try {
        store_.saveSetting(application_, section, key, value);
        lastSaveFailed_ = false;
    } catch (...) {
        lastSaveFailed_ = true;
    }
}

} // namespace tovu::display
