#pragma once
// A serial port in memory, for tests. What the program writes is kept in a transcript
// and handed line by line (at each carriage return) to a responder, which answers by
// feeding bytes back. Open, close and settings changes are logged in the transcript too,
// so a test can check the whole conversation with its port changes in order.
//
// waitForInput never blocks: it calls the idle hook with the wait asked for, so a test
// can advance its virtual clock or deliver a late reply there.

#include "platform/serial/SerialPort.h"

#include <QStringList>
#include <functional>

namespace tovu::platform::serial {

class MemoryPort final : public SerialPort {
public:
    using Responder = std::function<void(MemoryPort& port, const QByteArray& line)>;
    using IdleHook = std::function<void(int msecs)>;

    MemoryPort() = default;

    void setResponder(Responder r) { responder_ = std::move(r); }
    void setIdleHook(IdleHook h) { idle_ = std::move(h); }

    // Bytes the instrument sends; readable by input() at once.
    void feed(const QByteArray& bytes) { in_ += bytes; }
    // The next open fails, as a missing or busy device does.
    void setOpenFails(bool fails) { openFails_ = fails; }
    // Which port numbers lead to a device; opening any other fails as a missing device does.
    void setDevicePresent(std::function<bool(int commPort)> present) { present_ = std::move(present); }
    // The device goes away: every later use raises PortError, as a pulled cable does.
    void disconnect() { lost_ = true; }

    // Lines like "open 115200,N,8,1", "> ARM", "close"; "> " marks what the program sent,
    // with its carriage return removed and control bytes shown as <n>.
    const QStringList& transcript() const { return transcript_; }
    // Only the commands sent, without the other entries.
    QStringList sentLines() const;
    void clearTranscript() { transcript_.clear(); }
    const QByteArray& pendingInput() const { return in_; }

    int inBufferCount() override;
    int outBufferCount() override;
    bool waitForInput(int msecs) override;
    QString deviceName() const override;

    static QString printable(const QByteArray& bytes);

protected:
    bool isOpen() const override { return open_; }
    void openDevice() override;
    void closeDevice() override;
    void applySettings(const CommSettings& s) override;
    void discardInput() override;
    void discardOutput() override {}
    void writeBytes(const QByteArray& bytes) override;
    QByteArray readBytes(int max) override;

private:
    void raiseIfLost();

    Responder responder_;
    IdleHook idle_;
    std::function<bool(int commPort)> present_;
    QByteArray in_;
    QByteArray partialLine_;
    QStringList transcript_;
    bool open_ = false;
    bool openFails_ = false;
    bool lost_ = false;
};

} // namespace tovu::platform::serial
