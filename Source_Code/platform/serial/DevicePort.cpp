#include "platform/serial/DevicePort.h"

#include <QElapsedTimer>

namespace tovu::platform::serial {

namespace {

QSerialPort::Parity parityOf(char p)
{
    switch (p) {
    case 'E': return QSerialPort::EvenParity;
    case 'O': return QSerialPort::OddParity;
    case 'M': return QSerialPort::MarkParity;
    case 'S': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

// Writes that the device does not take within this time mean it is stuck.
constexpr int kWriteLimitMs = 10000;

} // namespace

DevicePort::DevicePort(PortMap map) : map_(std::move(map)) {}

DevicePort::~DevicePort()
{
    if (port_.isOpen())
        port_.close();
}

QString DevicePort::deviceName() const
{
    return QStringLiteral("COM%1 (%2)").arg(commPort()).arg(map_.devicePath(commPort()));
}

bool DevicePort::isOpen() const { return port_.isOpen(); }

void DevicePort::openDevice()
{
    port_.setPortName(map_.devicePath(commPort()));
    if (!port_.open(QIODevice::ReadWrite))
        throw PortError(deviceName(), QStringLiteral("cannot open: ") + port_.errorString());
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

void DevicePort::closeDevice() { port_.close(); }

void DevicePort::applySettings(const CommSettings& s)
{
    const bool ok = port_.setBaudRate(s.baud) && port_.setParity(parityOf(s.parity))
        && port_.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits))
        && port_.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    if (!ok)
        throw PortError(deviceName(), QStringLiteral("cannot apply \"%1\": %2").arg(s.text(), port_.errorString()));
}

void DevicePort::raiseIfBroken()
{
    const auto e = port_.error();
    if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError) {
        port_.clearError();
        return;
    }
    const QString why = port_.errorString();
    port_.clearError();
    if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError)
        port_.close();
    throw PortError(deviceName(), why);
}

void DevicePort::pump()
{
    // A zero wait polls the device once without blocking.
    port_.waitForReadyRead(0);
    raiseIfBroken();
}

int DevicePort::inBufferCount()
{
    requireOpen("InBufferCount");
    pump();
    return static_cast<int>(port_.bytesAvailable());
}

int DevicePort::outBufferCount()
{
    requireOpen("OutBufferCount");
    return static_cast<int>(port_.bytesToWrite());
}

bool DevicePort::waitForInput(int msecs)
{
    requireOpen("Input");
    if (port_.bytesAvailable() > 0)
        return true;
    port_.waitForReadyRead(msecs < 0 ? 0 : msecs);
    raiseIfBroken();
    return port_.bytesAvailable() > 0;
}

void DevicePort::discardInput()
{
    pump();
    port_.clear(QSerialPort::Input);
    raiseIfBroken();
}

void DevicePort::discardOutput()
{
    port_.clear(QSerialPort::Output);
    raiseIfBroken();
}

void DevicePort::writeBytes(const QByteArray& bytes)
{
    if (port_.write(bytes) != bytes.size())
        raiseIfBroken();
    QElapsedTimer t;
    t.start();
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(100))
            raiseIfBroken();
        if (t.elapsed() > kWriteLimitMs)
            throw PortError(deviceName(), QStringLiteral("write does not complete"));
    }
}

QByteArray DevicePort::readBytes(int max)
{
    if (port_.bytesAvailable() == 0)
        pump();
    return max > 0 ? port_.read(max) : port_.readAll();
}

} // namespace tovu::platform::serial
