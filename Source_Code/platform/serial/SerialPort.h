#pragma once
// The serial-port control the link drives: the properties it uses of the control
// (CommPort, Settings, PortOpen, InBufferCount, OutBufferCount, InputLen, Output,
// Input), polled, with no events. Two ports implement it: DevicePort on a real device
// and MemoryPort for tests.
//
// Beyond the control's properties there is one addition, waitForInput, so a polling
// loop can sleep on the device instead of spinning.

#include "platform/serial/CommSettings.h"

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace tovu::platform::serial {

// A failure of the port itself: it cannot be opened, it is used while closed, or the
// device went away. The text names the device.
class PortError : public std::runtime_error {
public:
    PortError(const QString& device, const QString& what)
        : std::runtime_error((device + QStringLiteral(": ") + what).toStdString()), device_(device) {}
    const QString& device() const { return device_; }

private:
    QString device_;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    int commPort() const { return commPort_; }
    // Refused while the port is open, as the control refuses it.
    void setCommPort(int port);

    QString settings() const { return settings_.text(); }
    const CommSettings& commSettings() const { return settings_; }
    // Applied at once when the port is open. A malformed text is refused (PortError).
    void setSettings(const QString& text);

    bool portOpen() const { return isOpen(); }
    // Opening a port that cannot be opened raises PortError naming the device.
    void setPortOpen(bool open);

    // Bytes received and not yet read; setting 0 discards them.
    virtual int inBufferCount() = 0;
    void setInBufferCount(int zero);
    // Bytes written and not yet sent; setting 0 discards them.
    virtual int outBufferCount() = 0;
    void setOutBufferCount(int zero);

    // How many bytes one read of input() returns at most; 0 means everything received.
    int inputLen() const { return inputLen_; }
    void setInputLen(int n) { inputLen_ = n < 0 ? 0 : n; }

    void output(const QByteArray& bytes);
    // At most inputLen() bytes, or an empty array when nothing has arrived.
    QByteArray input();

    // Blocks until input can be read or msecs pass; true when input is waiting.
    virtual bool waitForInput(int msecs) = 0;

    // The device the port number resolves to, for messages.
    virtual QString deviceName() const = 0;

protected:
    virtual bool isOpen() const = 0;
    virtual void openDevice() = 0;  // raises PortError
    virtual void closeDevice() = 0;
    virtual void applySettings(const CommSettings& s) = 0;
    virtual void discardInput() = 0;
    virtual void discardOutput() = 0;
    virtual void writeBytes(const QByteArray& bytes) = 0;
    virtual QByteArray readBytes(int max) = 0;  // max 0 = all

    void requireOpen(const char* what) const;

private:
    int commPort_ = 1;
    CommSettings settings_;
    int inputLen_ = 0;
};

} // namespace tovu::platform::serial
