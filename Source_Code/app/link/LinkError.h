#pragma once
// The numbered errors of the link layer. Each carries the number (object-error base
// plus an offset, as a signed 32-bit value), the source and the description that the
// transfer drivers show in their one message box.

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace tovu::link {

constexpr std::int32_t kObjectErrorBase = static_cast<std::int32_t>(0x80040000u);

enum class LinkErrorKind : std::int32_t {
    Timeout = 1001,          // no reply within the timeout
    Handshake = 1002,        // "ARM" not acknowledged when opening
    PortFailure = 1003,      // the port cannot be opened or the device went away
    Cancelled = 1004,        // the user pressed CANCEL
    BadReply = 1005,         // a reply that does not have the expected form
    NotAcknowledged = 1006,  // the instrument kept refusing a command
    InstrumentChanged = 1007 // another memory generation appeared, or its items may not be discarded
};

class LinkError : public std::exception {
public:
    LinkError(LinkErrorKind kind, QString source, QString description);

    LinkErrorKind kind() const { return kind_; }
    std::int32_t Number() const { return kObjectErrorBase + static_cast<std::int32_t>(kind_); }
    const QString& Source() const { return source_; }
    const QString& Description() const { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    LinkErrorKind kind_;
    QString source_;
    QString description_;
    std::string what_;
};

// The texts the program shows for its own errors.
inline const QString kTimeoutText = QStringLiteral("Communication error executing ");
inline const QString kCancelSource = QStringLiteral("Transfer Error:");
inline const QString kCancelText = QStringLiteral("Transfer Interrupted By User ");
// The terminal window raises its timeouts under this source.
inline const QString kTerminalSource = QStringLiteral("TERMINAL Apply Command");

LinkError timeoutError(const QString& source, const QString& cmd, const QString& arg);
LinkError cancelError();
LinkError badReply(const QString& source, const QString& cmd, const QString& why);
LinkError notAcknowledged(const QString& source, const QString& what);

// A record holds a value the operation cannot use (a detection mode that is no number,
// a DAC height of 0). Not a link failure: the record writer goes on with its next step.
class RecordValueError : public std::exception {
public:
    explicit RecordValueError(QString what) : what_(what.toStdString()), text_(std::move(what)) {}
    const QString& text() const { return text_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::string what_;
    QString text_;
};

} // namespace tovu::link
