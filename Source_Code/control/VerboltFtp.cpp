// One file copied from or to an FTP server through the Internet Transfer control the host
// passes: its members are set by name, and each command runs while the host's window events
// are let run.
#include "control/HostMembers.h"
#include "control/Verbolt.h"

#include "platform/text/FieldText.h"

#include <QCoreApplication>
#include <algorithm>

namespace tovu::control {

namespace {

// A name that cannot travel in an FTP command: a control character (CR or LF above all)
// or a line or paragraph separator would end the command line and start one of the
// caller's choosing, and a double quote cannot be carried inside the quotes that keep
// blanks in one name.
bool carriable(const QString& name)
{
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == QLatin1Char('"'))
            return false;
    return true;
}

// A name as one word of the transfer control's operation: in double quotes when it holds a
// blank of any kind (a no-break space, an ideographic space), as the operation is split at
// every one.
QString operationWord(const QString& name)
{
    const bool blank = std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.isSpace(); });
    return blank ? QLatin1Char('"') + name + QLatin1Char('"') : name;
}

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
                          const QString& userName, const QString& userPassword, const QString& command,
                          const QStringList& names)
{
    // Refused before the transfer control is touched, so nothing reaches the server.
    for (const QString& name : names + QStringList{host, directory, userName, userPassword})
        if (!carriable(name))
            return -1;
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
        if (!platform::text::trimBlanks(directory).isEmpty() &&
            !executed(inet, address, QStringLiteral("CD ") + operationWord(directory)))
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
                        QStringLiteral("GET ") + operationWord(strRemoteFile) + QLatin1Char(' ') +
                            operationWord(strLocalFile),
                        {strRemoteFile, strLocalFile});
}

MethodStatus Verbolt::UploadFile(automation::DispatchRef& inet, QString& strRemoteHost, QString& strRemoteDirectory,
                                 QString& strLocalFile, QString& strRemoteFile, QString& strUsername,
                                 QString& strUserPassword)
{
    return transferFile(inet, strRemoteHost, strRemoteDirectory, strUsername, strUserPassword,
                        QStringLiteral("PUT ") + operationWord(strLocalFile) + QLatin1Char(' ') +
                            operationWord(strRemoteFile),
                        {strLocalFile, strRemoteFile});
}

} // namespace tovu::control
