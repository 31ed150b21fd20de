#include "platform/serial/PortMap.h"
#include "platform/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QTemporaryDir>

using tovu::platform::serial::PortMap;

TEST(PortMap, ComNIsTheNthOnBoardUartByDefault)
{
    const PortMap map;
    EXPECT_EQ(map.devicePath(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(map.devicePath(20), QStringLiteral("/dev/ttyS19"));
}

TEST(PortMap, TheStoreOverridesSinglePortsOnly)
{
    QMap<QString, QString> store{{QStringLiteral("Ports/COM1"), QStringLiteral(" /dev/ttyUSB0 ")},
                                 {QStringLiteral("Ports/COM3"), QStringLiteral("")}};
    const PortMap map([&](const QString& section, const QString& key) {
        return store.value(section + QLatin1Char('/') + key);
    });
    EXPECT_EQ(map.devicePath(1), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(map.devicePath(2), QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(map.devicePath(3), QStringLiteral("/dev/ttyS2"));  // an empty entry keeps the default
}

TEST(PortMap, ReadsTheUsersOverridesFromTheSettingsStore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    tovu::platform::settings::SettingsStore store(dir.path());
    store.saveSetting(tovu::platform::settings::applicationName, QStringLiteral("Ports"), QStringLiteral("COM2"),
                      QStringLiteral("/dev/pts/9"));
    const PortMap map = PortMap::fromStore(store);
    EXPECT_EQ(map.devicePath(2), QStringLiteral("/dev/pts/9"));
    EXPECT_EQ(map.devicePath(1), QStringLiteral("/dev/ttyS0"));
}
