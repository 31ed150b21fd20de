#pragma once
// The service terminal: one typed text sent as it is (no remote-mode handshake), the raw
// reply up to its carriage return, and the code of its first character.

#include "app/link/LinkContext.h"
#include "app/link/LinkError.h"

#include <QString>

namespace tovu::link {

struct TerminalReply {
    QString reply;     // Text2
    QString codeText;  // Text3: decimal code of the first character, or "Empty String back"
};

// Opens the port when it is closed, sends text and a carriage return, reads the reply
// (20 s), closes the port. No reply: LinkError +1001, source "TERMINAL Apply Command",
// "Communication error executing " and the text; the port is closed in every case.
TerminalReply applyTerminalCommand(LinkContext& ctx, const QString& text);

inline const QString kTerminalErrorTitle = QStringLiteral("Command1 Error Handle");
inline const QString kEmptyReplyText = QStringLiteral("Empty String back");
constexpr int kTerminalTimeoutMs = 20000;

} // namespace tovu::link
