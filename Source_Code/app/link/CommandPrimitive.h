#pragma once
// The two command exchanges every other link operation is built on. A command is a
// three-letter mnemonic, its argument and a carriage return; the reply is text up to a
// carriage return, or one of the status bytes ACK (6), NAK (21) and not available (7).

#include "app/link/LinkContext.h"

#include <QString>

namespace tovu::link {

inline const QString kAck = QStringLiteral("ACK");
inline const QString kNack = QStringLiteral("NACK");
inline const QString kNotAvailable = QStringLiteral("N/A");
inline const QString kNoReply = QStringLiteral("    ");  // nothing usable arrived

constexpr int kDefaultTimeoutMs = 20000;
constexpr int kSpecialTimeoutMs = 35000;
constexpr int kCompletionGraceMs = 10000;  // extra time "ADA" and "ADP" get to answer
constexpr int kPreWaitMs = 500;            // before "ARM", "ALM" and "AMF"
constexpr int kCommandGapMs = 50;          // before every command

// Sends cmd & arg and decodes the reply: "ACK", "NACK", "N/A", the second comma field of
// a data reply, or four blanks. timeoutSeconds of 0 or below means 20 s. An argument
// "N/A" sends nothing and returns "N/A". Raises LinkError: timeout (source "WriteComm"),
// cancel when Active is False (after sending "ALM" and closing the port), port failure,
// and a bad reply (data without a comma, or control bytes: line noise).
QString WriteComm(LinkContext& ctx, const QString& cmd, const QString& arg, double timeoutSeconds = 0);

// As WriteComm, but the value is everything after the echo field, commas included: for
// texts the user wrote (the notes), which may hold commas.
QString WriteCommText(LinkContext& ctx, const QString& cmd, const QString& arg);

// Sends cmd alone and returns the raw reply line without its carriage return (status
// bytes included). arg only completes the error text. Timeout 35 s (source
// "WriteCommSpecial"), also for the slot lists: a list cut short is no list. A cancel
// is seen here too, as in WriteComm.
QString WriteCommSpecial(LinkContext& ctx, const QString& cmd, const QString& arg = {});

// Decodes what WriteComm collected: the last status byte seen and the data characters.
// wholeValue keeps the commas of the value. Raises BadReply for noise.
QString decodeReply(const QString& cmd, const QString& status, const QString& data, bool wholeValue = false);

} // namespace tovu::link
