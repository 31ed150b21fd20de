#pragma once
// The port as one exchange uses it: clearing, sending a command line, and reading one
// character at a time until a deadline. A failure of the port itself becomes one link
// error naming the device, and the port is closed so nothing is left half open.

#include "app/link/LinkContext.h"
#include "app/link/LinkError.h"

namespace tovu::link {

class PortAccess {
public:
    PortAccess(LinkContext& ctx, QString source) : ctx_(ctx), source_(std::move(source)) {}

    void clearBuffers();
    void send(const QString& line);  // the line and a carriage return
    // The next character, or -1 when the deadline (on ctx.clock) has passed.
    int readChar(std::int64_t deadline);

private:
    [[noreturn]] void fail(const platform::serial::PortError& e);

    LinkContext& ctx_;
    QString source_;
    QByteArray pending_;  // read but not yet handed out, when InputLen is not 1
};

// "The instrument on COM n no longer answers (device ...)" for a port that failed in use.
constexpr int kInstrumentGoneString = 6150;
QString lostInstrumentText(LinkContext& ctx, const QString& device);

// How long one idle poll may sleep on the device before the clock is looked at again.
constexpr int kPollSliceMs = 2;

} // namespace tovu::link
