#include "platform/serial/PortMap.h"

#include <gtest/gtest.h>

#include <QMap>

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
