#include "platform/serial/PortMap.h"

#include "platform/settings/SettingsStore.h"

namespace tovu::platform::serial {

PortMap PortMap::fromStore(const settings::SettingsStore& store)
{
    return PortMap([&store](const QString& section, const QString& key) {
        return store.getSetting(settings::applicationName, section, key);
    });
}

QString PortMap::defaultDevicePath(int commPort)
{
    return QStringLiteral("/dev/ttyS%1").arg(commPort - 1);
}

QString PortMap::devicePath(int commPort) const
{
    if (lookup_) {
        const QString stored = lookup_(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(commPort)).trimmed();
        if (!stored.isEmpty())
            return stored;
    }
    return defaultDevicePath(commPort);
}

} // namespace tovu::platform::serial
