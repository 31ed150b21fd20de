#include "platform/serial/SerialPort.h"

namespace tovu::platform::serial {

void SerialPort::setCommPort(int port)
{
    if (isOpen())
        throw PortError(deviceName(), QStringLiteral("port already open"));
    if (port < 1)
        throw PortError(QStringLiteral("COM%1").arg(port), QStringLiteral("invalid port number"));
    commPort_ = port;
}

void SerialPort::setSettings(const QString& text)
{
    const auto parsed = CommSettings::parse(text);
    if (!parsed)
        throw PortError(deviceName(), QStringLiteral("invalid port settings \"%1\"").arg(text));
    settings_ = *parsed;
    if (isOpen())
        applySettings(settings_);
}

void SerialPort::setPortOpen(bool open)
{
    if (open == isOpen())
        return;
    if (open) {
        openDevice();
        try {
            applySettings(settings_);
        } catch (...) {
            // A port that cannot take its settings is not usable open.
            closeDevice();
            throw;
        }
    } else {
        closeDevice();
    }
}

void SerialPort::requireOpen(const char* what) const
{
    if (!isOpen())
        throw PortError(deviceName(), QStringLiteral("%1 while the port is closed").arg(QLatin1String(what)));
}

void SerialPort::setInBufferCount(int zero)
{
    requireOpen("InBufferCount");
    if (zero == 0)
        discardInput();
}

void SerialPort::setOutBufferCount(int zero)
{
    requireOpen("OutBufferCount");
    if (zero == 0)
        discardOutput();
}

void SerialPort::output(const QByteArray& bytes)
{
    requireOpen("Output");
    writeBytes(bytes);
}

QByteArray SerialPort::input()
{
    requireOpen("Input");
    return readBytes(inputLen_);
}

} // namespace tovu::platform::serial
