#include "platform/settings/SettingsStore.h"

#include "platform/settings/SettingsError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>


using tovu::platform::settings::applicationName;
using tovu::platform::settings::SettingsStore;

namespace {

// The run-time error number an action raised, or 0 when it raised none.
int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const tovu::platform::settings::SettingsError& e) {
        return e.number();
    }
    return 0;
}

class Settings : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsStore store{dir.path() + QStringLiteral("/settings")};
};

} // namespace

TEST_F(Settings, SavedTextsComeBackAndMissingOnesGiveTheDefault)
{
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Com"), QStringLiteral("Port"), QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Com"), QStringLiteral("Port")), QString());

    const QString values[] = {
        QStringLiteral("3"),
        QStringLiteral(""),  // saved empty is not missing
        QStringLiteral("metafile "),
        QStringLiteral(" a = b ; c # d"),
        QStringLiteral("@Variant(0)"),
        QStringLiteral("line one\nline two\r\n"),
        QStringLiteral("C:\\Users\\me\\Documents"),
        QString::fromUtf8("Grüße Ж 中"),
        QStringLiteral("\"quoted\""),
    };
    for (const QString& v : values) {
        store.saveSetting(applicationName, QStringLiteral("Application"), QStringLiteral("Path"), v);
        // A new store on the same folder reads what the file holds.
        EXPECT_EQ(SettingsStore(store.folder()).getSetting(applicationName, QStringLiteral("Application"),
                                                           QStringLiteral("Path"), QStringLiteral("default")),
                  v);
    }
}

TEST_F(Settings, NamesMatchWithoutRegardToCaseAndKeepTheirFirstSpelling)
{
    store.saveSetting(applicationName, QStringLiteral("Colours"), QStringLiteral("Main Wave"), QStringLiteral("255"));
    store.saveSetting(QStringLiteral("tovu"), QStringLiteral("COLOURS"), QStringLiteral("main wave"), QStringLiteral("128"));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("colours"), QStringLiteral("MAIN WAVE")),
              QStringLiteral("128"));
    QFile file(store.folder() + QStringLiteral("/tovu.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Colours]")) << text.toStdString();
    EXPECT_FALSE(text.contains("COLOURS")) << text.toStdString();

    // Keys with blanks, points and trailing blanks are kept apart exactly.
    store.saveSetting(applicationName, QStringLiteral("Clipboard"), QStringLiteral("Copy Options"), QStringLiteral("8191"));
    store.saveSetting(applicationName, QStringLiteral("Clipboard"), QStringLiteral("Copy Options "), QStringLiteral("1"));
    store.saveSetting(applicationName, QStringLiteral("Clipboard"), QStringLiteral("Copy.Options"), QStringLiteral("2"));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Clipboard"), QStringLiteral("Copy Options")),
              QStringLiteral("8191"));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Clipboard"), QStringLiteral("Copy Options ")),
              QStringLiteral("1"));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Clipboard"), QStringLiteral("copy.options")),
              QStringLiteral("2"));

    // Applications do not share settings.
    EXPECT_EQ(store.getSetting(QStringLiteral("Other"), QStringLiteral("Colours"), QStringLiteral("Main Wave"),
                               QStringLiteral("none")),
              QStringLiteral("none"));
}

TEST_F(Settings, DeleteRemovesAKeyOrASection)
{
    store.saveSetting(applicationName, QStringLiteral("Colours"), QStringLiteral("Avg"), QStringLiteral("1"));
    store.saveSetting(applicationName, QStringLiteral("Colours"), QStringLiteral("Dac"), QStringLiteral("2"));
    store.saveSetting(applicationName, QStringLiteral("Com"), QStringLiteral("Port"), QStringLiteral("4"));

    EXPECT_TRUE(store.deleteSetting(applicationName, QStringLiteral("colours"), QStringLiteral("AVG")));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Colours"), QStringLiteral("Avg"), QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Colours"), QStringLiteral("Dac")), QStringLiteral("2"));
    EXPECT_FALSE(store.deleteSetting(applicationName, QStringLiteral("Colours"), QStringLiteral("Avg")));

    EXPECT_TRUE(store.deleteSetting(applicationName, QStringLiteral("Colours")));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Colours"), QStringLiteral("Dac"), QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_EQ(store.getSetting(applicationName, QStringLiteral("Com"), QStringLiteral("Port")), QStringLiteral("4"));
    EXPECT_FALSE(store.deleteSetting(applicationName, QStringLiteral("Colours")));
    EXPECT_FALSE(store.deleteSetting(QStringLiteral("Nobody"), QStringLiteral("Com")));
}

TEST_F(Settings, NamesThatWouldBePathsAreRefused)
{
    const QString bad[] = {QString(), QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral(".."),
                           QStringLiteral("x") + QChar(0)};
    for (const QString& name : bad) {
        EXPECT_EQ(errorNumberOf([&] { store.saveSetting(name, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")); }), 5);
        EXPECT_EQ(errorNumberOf([&] { store.saveSetting(applicationName, name, QStringLiteral("K"), QStringLiteral("v")); }), 5);
        EXPECT_EQ(errorNumberOf([&] { store.saveSetting(applicationName, QStringLiteral("S"), name, QStringLiteral("v")); }), 5);
        EXPECT_EQ(errorNumberOf([&] { (void)store.getSetting(applicationName, name, QStringLiteral("K")); }), 5);
        EXPECT_EQ(errorNumberOf([&] { (void)store.deleteSetting(name, QStringLiteral("S")); }), 5);
    }
    // Nothing was written anywhere, inside the folder or beside it.
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(Settings, AStoreThatCannotBeWrittenRaises)
{
    QFile blocker(dir.path() + QStringLiteral("/blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore unwritable(blocker.fileName() + QStringLiteral("/settings"));
    EXPECT_EQ(errorNumberOf([&] {
                  unwritable.saveSetting(applicationName, QStringLiteral("Com"), QStringLiteral("Port"), QStringLiteral("2"));
              }),
              75);
}

TEST_F(Settings, TheUsersStoreFollowsTheEnvironment)
{
    const QByteArray before = qgetenv("TOVU_SETTINGS_DIR");
    const QByteArray configBefore = qgetenv("XDG_CONFIG_HOME");
    qputenv("TOVU_SETTINGS_DIR", dir.path().toUtf8());
    EXPECT_EQ(SettingsStore::forUser().folder(), dir.path());
    qunsetenv("TOVU_SETTINGS_DIR");
    qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toUtf8());
    EXPECT_EQ(SettingsStore::forUser().folder(), dir.path() + QStringLiteral("/config/tovu/settings"));
    if (!before.isEmpty())
        qputenv("TOVU_SETTINGS_DIR", before);
    if (configBefore.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", configBefore);
}
