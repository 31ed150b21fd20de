#pragma once
// A serial port that keeps what crossed the wire: each line sent and the bytes answered
// before the next one. It drives another port through that port's own properties, so it
// works on any device, a real instrument included, where no simulator transcript exists.

#include "platform/serial/SerialPort.h"

#include <QByteArray>
#include <vector>

namespace tovu::link::test {

class WireLog final : public platform::serial::SerialPort {
public:
    struct Exchange {
        QByteArray sent;    // without its CR
        QByteArray answer;  // every byte read until the next line went out
        bool acknowledged() const { return answer.contains('\x06'); }
    };

    explicit WireLog(platform::serial::SerialPort& device) : device_(device) {}

    int inBufferCount() override { return device_.inBufferCount(); }
    int outBufferCount() override { return device_.outBufferCount(); }
    bool waitForInput(int msecs) override { return device_.waitForInput(msecs); }
    QString deviceName() const override { return device_.deviceName(); }

    std::vector<Exchange> exchanges;

protected:
    bool isOpen() const override { return device_.portOpen(); }
    void openDevice() override { device_.setPortOpen(true); }
    void closeDevice() override { device_.setPortOpen(false); }
    void applySettings(const platform::serial::CommSettings& s) override { device_.setSettings(s.text()); }
    void discardInput() override { device_.setInBufferCount(0); }
    void discardOutput() override { device_.setOutBufferCount(0); }
    void writeBytes(const QByteArray& bytes) override
    {
        pending_ += bytes;
        for (qsizetype cr = pending_.indexOf('\r'); cr >= 0; cr = pending_.indexOf('\r')) {
            exchanges.push_back({pending_.left(cr), {}});
            pending_.remove(0, cr + 1);
        }
        device_.output(bytes);
    }
    QByteArray readBytes(int max) override
    {
        device_.setInputLen(max);
        const QByteArray got = device_.input();
        if (!exchanges.empty())
            exchanges.back().answer += got;
        return got;
    }

private:
    platform::serial::SerialPort& device_;
    QByteArray pending_;
};

} // namespace tovu::link::test
