#pragma once
// The port settings text of the serial control: "baud,parity,data bits,stop bits",
// as in "115200,N,8,1". Parsed once so both ports agree on what a text means.

#include <QString>
#include <optional>

namespace tovu::platform::serial {

struct CommSettings {
    int baud = 9600;
    char parity = 'N';  // N, E, O, M or S
    int dataBits = 8;   // 5 to 8
    int stopBits = 1;   // 1 or 2 (1.5 is not supported by the devices we drive)

    bool operator==(const CommSettings&) const = default;

    // Nothing when the text is not of that form; blanks around the fields are allowed.
    static std::optional<CommSettings> parse(const QString& text);
    QString text() const;
};

} // namespace tovu::platform::serial
