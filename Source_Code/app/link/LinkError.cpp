#include "app/link/LinkError.h"

namespace tovu::link {

LinkError::LinkError(LinkErrorKind kind, QString source, QString description)
    : kind_(kind), source_(std::move(source)), description_(std::move(description)),
      what_((source_ + QStringLiteral(": ") + description_).toStdString())
{
}

LinkError timeoutError(const QString& source, const QString& cmd, const QString& arg)
{
    return LinkError(LinkErrorKind::Timeout, source, kTimeoutText + cmd + arg);
}

LinkError cancelError()
{
    return LinkError(LinkErrorKind::Cancelled, kCancelSource, kCancelText);
}

LinkError badReply(const QString& source, const QString& cmd, const QString& why)
{
    return LinkError(LinkErrorKind::BadReply, source, QStringLiteral("Invalid reply to ") + cmd + QStringLiteral(": ") + why);
}

LinkError notAcknowledged(const QString& source, const QString& what)
{
    return LinkError(LinkErrorKind::NotAcknowledged, source, QStringLiteral("Instrument did not acknowledge ") + what);
}

} // namespace tovu::link
