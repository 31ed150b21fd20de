#pragma once
// An in-memory settings store for the display tests.

#include "app/display/SettingsAccess.h"

#include <QMap>
#include <QStringList>

namespace tovu::display::testing {

class MapSettings : public SettingsAccess {
public:
    QString GetSetting(const QString& section, const QString& key, const QString& def = {}) const override
    {
        return values.value(section + QLatin1Char('/') + key, def);
    }
    void SaveSetting(const QString& section, const QString& key, const QString& value) override
    {
        values[section + QLatin1Char('/') + key] = value;
        writes << key;
    }
    QMap<QString, QString> values;
    QStringList writes;  // keys in the order written
};

} // namespace tovu::display::testing
