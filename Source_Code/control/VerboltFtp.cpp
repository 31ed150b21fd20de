// One file copied from or to an FTP server through the Internet Transfer control the host
// passes: its members are set by name, and each command runs while the host's window events
// are let run.
#include "control/HostMembers.h"
#include "control/Verbolt.h"

#include "platform/text/FieldText.h"

#include <QCoreApplication>

namespace tovu::control {

namespace {

// Runs one command and waits for it to end. A command the server or the transfer refused
// leaves the control's ResponseCode set: that is a failure too, not a copy made.
bool executed(const automation::DispatchRef& inet, const QString& address, const QString& command)
{
    memberOf(inet, QStringLiteral("Execute"), {automation::Variant(address), automation::Variant(command)});
    while (memberOf(inet, QStringLiteral("StillExecuting")).toBoolean())
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    return memberOf(inet, QStringLiteral("ResponseCode")).toLong() == 0;
}

MethodStatus transferFile(const automation::DispatchRef& inet, const QString& host, const QString& directory,
                          const QString& userName, const QString& userPassword, const QString& command)
{
    try {
        assignMember(inet, QStringLiteral("URL"), host);
        // ftp://[user[:password]@]host, or ftp://:password@host with a password alone.
        QString address = QStringLiteral("ftp://");
        const QString user = platform::text::trimBlanks(userName);
        if (!user.isEmpty()) {
            assignMember(inet, QStringLiteral("UserName"), user);
            address += user;
        }
        const QString password = platform::text::trimBlanks(userPassword);
        if (!password.isEmpty()) {
            assignMember(inet, QStringLiteral("Password"), password);
            address += QLatin1Char(':') + password + QLatin1Char('@');
        } else if (!user.isEmpty()) {
            address += QLatin1Char('@');
        }
        address += platform::text::trimBlanks(host);
        assignMember(inet, QStringLiteral("Protocol"), std::int16_t{2});
        if (!platform::text::trimBlanks(directory).isEmpty() && !executed(inet, address, QStringLiteral("CD ") + directory))
            return -1;
        return executed(inet, address, command) ? 1 : -1;
    } catch (...) {
        return -1;
    }
}

} // namespace

MethodStatus Verbolt::DownloadFile(automation::DispatchRef& inet, QString& strRemoteHost, QString& strRemoteDirectory,
                                   QString& strLocalFile, QString& strRemoteFile, QString& strUsername,
                                   QString& strUserPassword)
{
    return transferFile(inet, strRemoteHost, strRemoteDirectory, strUsername, strUserPassword,
                        QStringLiteral("GET ") + strRemoteFile + QLatin1Char(' ') + strLocalFile);
}

MethodStatus Verbolt::UploadFile(automation::DispatchRef& inet, QString& strRemoteHost, QString& strRemoteDirectory,
                                 QString& strLocalFile, QString& strRemoteFile, QString& strUsername,
                                 QString& strUserPassword)
{
    return transferFile(inet, strRemoteHost, strRemoteDirectory, strUsername, strUserPassword,
                        QStringLiteral("PUT ") + strLocalFile + QLatin1Char(' ') + strRemoteFile);
}

} // namespace tovu::control
