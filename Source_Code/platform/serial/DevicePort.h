#pragma once
// The serial port on a real device (or a pseudo-terminal), through QSerialPort in raw
// mode. Used without an event loop: reads poll the device, writes are pushed out at
// once, so the port behaves like the polled control whatever thread runs it.

#include "platform/serial/PortMap.h"
#include "platform/serial/SerialPort.h"

#include <QSerialPort>

namespace tovu::platform::serial {

class DevicePort final : public SerialPort {
public:
    explicit DevicePort(PortMap map = {});
    ~DevicePort() override;

    int inBufferCount() override;
    int outBufferCount() override;
    bool waitForInput(int msecs) override;
    QString deviceName() const override;

protected:
    bool isOpen() const override;
    void openDevice() override;
    void closeDevice() override;
    void applySettings(const CommSettings& s) override;
    void discardInput() override;
    void discardOutput() override;
    void writeBytes(const QByteArray& bytes) override;
    QByteArray readBytes(int max) override;

private:
    // Moves what the device holds into the port's buffer; raises when the device is gone.
    void pump();
    void raiseIfBroken();

    PortMap map_;
    QSerialPort port_;
};

} // namespace tovu::platform::serial
