#include "platform/help/HelpViewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tovu::platform::help {

namespace {

constexpr int kQueryTimeoutMs = 5000;

// Whether the desktop names a default program for the MIME type; true when it cannot be
// asked (no xdg-mime), so that QDesktopServices then decides alone.
bool desktopHasHandlerFor(const QString& mimeType)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true;
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForFinished(kQueryTimeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        return true;
    }
    return !process.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool helpFileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

HelpOpenResult DesktopHelpViewer::openHelpFile(const QString& path)
{
    if (!helpFileExists(path))
        return HelpOpenResult::FileMissing;
    const QString mimeType = QMimeDatabase().mimeTypeForFile(path).name();
    if (!desktopHasHandlerFor(mimeType))
        return HelpOpenResult::NoViewer;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())) ? HelpOpenResult::Opened
                                                                                              : HelpOpenResult::NoViewer;
}

} // namespace tovu::platform::help
