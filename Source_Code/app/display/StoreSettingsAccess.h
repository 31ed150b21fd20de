#pragma once
// The display's settings view on the program's settings store, under one application
// name (string 130). A value that cannot be read reads as missing; a save that fails
// leaves the store as it was (the colours and the picture type are then as before).

#include "app/display/SettingsAccess.h"
#include "platform/settings/SettingsStore.h"

namespace tovu::display {

class StoreSettingsAccess final : public SettingsAccess {
public:
    StoreSettingsAccess(platform::settings::SettingsStore& store, QString application)
        : store_(store), application_(std::move(application))
    {
    }

    QString GetSetting(const QString& section, const QString& key, const QString& def = {}) const override;
    void SaveSetting(const QString& section, const QString& key, const QString& value) override;

    // True when the last save failed.
    bool lastSaveFailed() const { return lastSaveFailed_; }

private:
    platform::settings::SettingsStore& store_;
    QString application_;
    bool lastSaveFailed_ = false;
};

} // namespace tovu::display
