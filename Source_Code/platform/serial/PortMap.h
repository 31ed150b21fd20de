#pragma once
// Which device a port number means. The program speaks of COM 1 to COM 20; on Linux a
// port is a device path. By default COM n is /dev/ttyS(n-1), the n-th on-board UART.
// The user overrides any port in the settings store, section "Ports", key "COM<n>",
// with a device path, so a USB adapter (/dev/ttyUSB0) or a pseudo-terminal can be
// COM 1:
//
//     [Ports]
//     COM1=/dev/ttyUSB0
//
// The store is read through a lookup function so this layer needs no settings code.

#include <QString>
#include <functional>

namespace tovu::platform::settings {
class SettingsStore;
}

namespace tovu::platform::serial {

class PortMap {
public:
    // Returns the stored text for (section, key), or an empty text when there is none.
    using Lookup = std::function<QString(const QString& section, const QString& key)>;

    PortMap() = default;
    explicit PortMap(Lookup lookup) : lookup_(std::move(lookup)) {}

    // The mapping the user keeps in the program's settings store. The store must outlive
    // the map.
    static PortMap fromStore(const settings::SettingsStore& store);

    static QString defaultDevicePath(int commPort);
    QString devicePath(int commPort) const;

private:
    Lookup lookup_;
};

} // namespace tovu::platform::serial
