#pragma once
// Opening and closing the instrument connection: the port opened and "ARM" (remote
// mode) acknowledged; at the end "ALM" and the port closed.

#include "app/link/LinkContext.h"

#include <QString>

namespace tovu::link {

inline const QString kSuccess = QStringLiteral("SUCCESS");

// Opens the port if needed and has "ARM" acknowledged, with one retry after closing and
// reopening. Returns "SUCCESS". Raises LinkError (source "OpenComm"): the port cannot be
// opened (naming the device), the handshake failed (string 566), or the user cancelled;
// the port is closed first.
QString OpenComm(LinkContext& ctx);

// Sends "ALM" (twice at most), waits 1 s and closes the port; opens a closed port first
// so "ALM" can go out. Never raises: the port ends closed whatever happened.
void CloseComm(LinkContext& ctx) noexcept;

// One connection for the lifetime of the object: OpenComm on creation, CloseComm at the
// end, also when an error leaves the scope.
class LinkSession {
public:
    explicit LinkSession(LinkContext& ctx) : ctx_(ctx) { OpenComm(ctx_); }
    ~LinkSession() { CloseComm(ctx_); }
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

private:
    LinkContext& ctx_;
};

// Closes the port without a word to the instrument; for error paths. Never raises.
void closePortQuietly(LinkContext& ctx) noexcept;

constexpr int kOpenRetryGapMs = 5;
constexpr int kCloseWaitMs = 1000;
constexpr double kHandshakeTimeoutSeconds = 0.5;
constexpr int kHandshakeFailedString = 566;

} // namespace tovu::link
