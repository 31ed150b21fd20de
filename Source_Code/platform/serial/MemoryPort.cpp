#include "platform/serial/MemoryPort.h"

namespace tovu::platform::serial {

QString MemoryPort::printable(const QByteArray& bytes)
{
    QString s;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u >= 127)
            s += QStringLiteral("<%1>").arg(u);
        else
            s += QLatin1Char(c);
    }
    return s;
}

QStringList MemoryPort::sentLines() const
{
    QStringList out;
    for (const QString& t : transcript_)
        if (t.startsWith(QLatin1String("> ")))
            out << t.mid(2);
    return out;
}

QString MemoryPort::deviceName() const { return QStringLiteral("COM%1 (memory)").arg(commPort()); }

void MemoryPort::raiseIfLost()
{
    if (lost_) {
        open_ = false;
        throw PortError(deviceName(), QStringLiteral("device disconnected"));
    }
}

void MemoryPort::openDevice()
{
    if (openFails_ || lost_ || (present_ && !present_(commPort())))
        throw PortError(deviceName(), QStringLiteral("cannot open: no such device"));
    open_ = true;
    in_.clear();
    partialLine_.clear();
    transcript_ << QStringLiteral("open ") + settings();
}

void MemoryPort::closeDevice()
{
    open_ = false;
    in_.clear();
    transcript_ << QStringLiteral("close");
}

void MemoryPort::applySettings(const CommSettings& s)
{
    // Opening logs the settings it opens with; only later changes get their own line.
    if (!transcript_.isEmpty() && transcript_.last() == QStringLiteral("open ") + s.text())
        return;
    transcript_ << QStringLiteral("settings ") + s.text();
}

int MemoryPort::inBufferCount()
{
    requireOpen("InBufferCount");
    raiseIfLost();
    return static_cast<int>(in_.size());
}

int MemoryPort::outBufferCount()
{
    requireOpen("OutBufferCount");
    raiseIfLost();
    return 0;
}

bool MemoryPort::waitForInput(int msecs)
{
    requireOpen("Input");
    raiseIfLost();
    if (in_.isEmpty() && idle_)
        idle_(msecs);
    raiseIfLost();
    return !in_.isEmpty();
}

void MemoryPort::discardInput()
{
    raiseIfLost();
    in_.clear();
}

void MemoryPort::writeBytes(const QByteArray& bytes)
{
    raiseIfLost();
    partialLine_ += bytes;
    qsizetype cr;
    while ((cr = partialLine_.indexOf('\r')) >= 0) {
        const QByteArray line = partialLine_.left(cr);
        partialLine_.remove(0, cr + 1);
        transcript_ << QStringLiteral("> ") + printable(line);
        if (responder_)
            responder_(*this, line);
    }
}

QByteArray MemoryPort::readBytes(int max)
{
    raiseIfLost();
    const QByteArray out = max > 0 ? in_.left(max) : in_;
    in_.remove(0, out.size());
    return out;
}

} // namespace tovu::platform::serial
