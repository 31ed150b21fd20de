// The desktop help viewer's answers that can be checked without starting a viewer: a
// missing file, and a desktop that has no program for compiled help.
#include "platform/help/HelpViewer.h"
#include "platform/help/RecordingHelpViewer.h"
#include "support/AppEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::platform::help {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

QString writeHelpFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("TOVUHelp809.chm"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ITSF");
    return path;
}

TEST(DesktopHelpViewer, AMissingFileOrAFolderIsNoHelpFile)
{
    QTemporaryDir dir;
    DesktopHelpViewer viewer;
    for (const QString& path : {dir.filePath(QStringLiteral("TOVUHelp804.chm")), dir.path(), QString()})
        EXPECT_EQ(viewer.openHelpFile(path), HelpOpenResult::FileMissing) << path.toStdString();
}

TEST(DesktopHelpViewer, ADesktopWithoutAProgramForTheTypeHasNoViewer)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        GTEST_SKIP() << "xdg-mime is not installed: the desktop cannot be asked";
    QTemporaryDir dir;
    const QString file = writeHelpFile(dir);
    // A desktop whose application folders are empty: no program takes any type, so
    // nothing may be started.
    const QByteArray empty = QDir(dir.path()).absoluteFilePath(QStringLiteral("share")).toLocal8Bit();
    QDir().mkpath(QString::fromLocal8Bit(empty));
    ScopedEnv home("XDG_DATA_HOME", empty);
    ScopedEnv dirs("XDG_DATA_DIRS", empty);
    ScopedEnv config("XDG_CONFIG_HOME", empty);
    ScopedEnv configDirs("XDG_CONFIG_DIRS", empty);
    DesktopHelpViewer viewer;
    EXPECT_EQ(viewer.openHelpFile(file), HelpOpenResult::NoViewer);
}

TEST(RecordingHelpViewer, AnswersAsTheDesktopWouldAndRecordsWhatWasShown)
{
    QTemporaryDir dir;
    const QString file = writeHelpFile(dir);
    const QString missing = dir.filePath(QStringLiteral("TOVUHelp407.chm"));
    RecordingHelpViewer viewer;
    EXPECT_EQ(viewer.openHelpFile(missing), HelpOpenResult::FileMissing);
    EXPECT_EQ(viewer.openHelpFile(file), HelpOpenResult::Opened);
    viewer.viewerInstalled = false;
    EXPECT_EQ(viewer.openHelpFile(file), HelpOpenResult::NoViewer);
    EXPECT_EQ(viewer.asked, (QStringList{missing, file, file}));
    EXPECT_EQ(viewer.opened, QStringList{file});
}

} // namespace
} // namespace tovu::platform::help

TOVU_TEST_APPLICATION(QCoreApplication);
