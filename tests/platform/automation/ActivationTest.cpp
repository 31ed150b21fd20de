// Activation of in-process servers by ProgID: the test server library (C, libc only) in
// a library folder of its own, the same library reached through the per-user registry
// after its DllRegisterServer, and ProgIDs that must never reach the file system.

#include "platform/automation/Activator.h"
#include "platform/automation/DispatchTable.h"
#include "platform/automation/RunningObjectTable.h"

#include "ErrorNumberOf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace tovu::platform::automation;

namespace {

const QString serverFile = QStringLiteral("libtovutestserver.so");
const QString decoyFile = QStringLiteral("libx.so");
const QString serverClass = QStringLiteral("tovutestserver.Strings");

class Activation : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString libraryFolder = root.path() + QStringLiteral("/lib");
    QString registryFile = root.path() + QStringLiteral("/config/tovu/classes.ini");
    std::vector<QString> probed;

    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir().mkpath(libraryFolder));
        for (const QString& file : {serverFile, decoyFile})
            ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_SERVER_DIR "/") + file, libraryFolder + u'/' + file));
    }

    std::unique_ptr<Activator> activator(const QString& folder)
    {
        auto a = std::make_unique<Activator>(ServerLocations{registryFile, folder});
        a->setFileProbe([this](const QString& path) { probed.push_back(path); });
        return a;
    }

    static bool isLoaded(const QString& path)
    {
        void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
        if (handle)
            dlclose(handle);
        return handle != nullptr;
    }
};

} // namespace

TEST_F(Activation, CreatesFromTheLibraryFolderWithoutRegardToCase)
{
    auto a = activator(libraryFolder);
    for (const QString& id : {serverClass, QStringLiteral("TOVUTESTSERVER.strings")}) {
        DispatchRef strings = a->createObject(id);
        ASSERT_TRUE(strings);
        EXPECT_EQ(strings->call(QStringLiteral("GetresourceString"), {Variant(130)}), Variant("TOVU"));
    }
    DispatchRef strings = a->createObject(serverClass);
    EXPECT_EQ(strings->call(QStringLiteral("GetResourceString"), {Variant(std::int16_t{131})}),
              Variant(QString::fromUtf8("Grüße")));
    EXPECT_EQ(strings->call(QStringLiteral("GetResourceString"), {Variant(132)}), Variant(QString()));
    try {
        strings->call(QStringLiteral("GetResourceString"), {Variant(201)});
        FAIL() << "a text the table lacks must raise";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 326);
        EXPECT_EQ(e.source(), serverClass);
        EXPECT_EQ(e.description(), QStringLiteral("Resource not found"));
    }
    EXPECT_EQ(errorNumberOf([&] { (void)strings->call(QStringLiteral("GetResourceString"), {Variant("x")}); }), 13);
    EXPECT_EQ(errorNumberOf([&] { (void)strings->call(QStringLiteral("GetResourceString")); }), 450);
    EXPECT_EQ(errorNumberOf([&] { (void)strings->dispIdOfName(QStringLiteral("GetResource")); }), 438);
    const QString names[] = {QStringLiteral("ResourceIndex")};
    EXPECT_EQ(errorNumberOf([&] { (void)strings->call(QStringLiteral("GetResourceString"), {Variant(1)}, names); }), 448);
}

TEST_F(Activation, ServerWritesBackByReferenceAndCallsHostObjects)
{
    auto a = activator(libraryFolder);
    DispatchRef strings = a->createObject(serverClass);

    std::vector<Variant> counter{Variant(41)};
    strings->call(QStringLiteral("Increment"), counter);
    EXPECT_EQ(counter[0], Variant(42));

    std::vector<Variant> text{Variant(QString::fromUtf8("Grü")), Variant(QString::fromUtf8("ße"))};
    EXPECT_EQ(strings->call(QStringLiteral("Append"), text), Variant(7));  // bytes of UTF-8
    EXPECT_EQ(text[0], Variant(QString::fromUtf8("Grüße")));
    EXPECT_EQ(text[1], Variant(QString::fromUtf8("ße")));  // not written, not changed

    auto host = makeDispatch({{QStringLiteral("Caption"), 0, [](Args&) { return Variant("Host caption"); }}});
    EXPECT_EQ(strings->call(QStringLiteral("CallMember"), {Variant(DispatchRef(host)), Variant("caption")}),
              Variant("Host caption"));
    EXPECT_EQ(errorNumberOf([&] {
                  (void)strings->call(QStringLiteral("CallMember"), {Variant(DispatchRef(host)), Variant("Colour")});
              }),
              438);
}

TEST_F(Activation, ObjectsOutliveTheirCreatorAndKeepTheLibraryLoaded)
{
    DispatchRef child;
    {
        auto a = activator(libraryFolder);
        DispatchRef strings = a->createObject(serverClass);
        child = strings->call(QStringLiteral("CreateChild")).toObject();
        ASSERT_TRUE(child);
    }
    // The parent and the activator are gone; the child still works.
    EXPECT_TRUE(isLoaded(libraryFolder + u'/' + serverFile));
    EXPECT_EQ(child->call(QStringLiteral("GetResourceString"), {Variant(1)}), Variant("Deutscher"));
    child.reset();
    EXPECT_FALSE(isLoaded(libraryFolder + u'/' + serverFile));  // unloaded once nothing of it lives
}

TEST_F(Activation, HostCreatesFromALibraryFileItNames)
{
    auto a = activator(QString());
    const QString library = libraryFolder + u'/' + decoyFile;  // not named after the class
    const QString renamed = root.path() + QStringLiteral("/control.so");
    ASSERT_TRUE(QFile::copy(libraryFolder + u'/' + serverFile, renamed));
    DispatchRef strings = a->createObjectFrom(renamed, QStringLiteral("TOVUTESTSERVER.STRINGS"));
    EXPECT_EQ(strings->call(QStringLiteral("GetResourceString"), {Variant(130)}), Variant("TOVU"));
    EXPECT_EQ(strings->typeName(), QStringLiteral("Object"));  // the server names no class
    EXPECT_EQ(errorNumberOf([&] { (void)a->createObjectFrom(library, serverClass); }), 429);  // serves x.Strings only
    EXPECT_EQ(errorNumberOf([&] { (void)a->createObjectFrom(QStringLiteral("control.so"), serverClass); }), 429);
    EXPECT_EQ(errorNumberOf([&] { (void)a->createObjectFrom(renamed, QStringLiteral("../x")); }), 429);
}

TEST_F(Activation, UnservedProgIdsCannotBeCreated)
{
    auto a = activator(libraryFolder);
    for (const char* id : {"tovutestserver.Nope", "Missing.Thing", "x.y"})
        EXPECT_EQ(errorNumberOf([&] { (void)a->createObject(QString::fromLatin1(id)); }), 429) << id;
    auto none = activator(QString());
    EXPECT_EQ(errorNumberOf([&] { (void)none->createObject(serverClass); }), 429);
}

TEST_F(Activation, RegisteredServerIsFoundThroughThePerUserRegistry)
{
    const QString elsewhere = root.path() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QString library = elsewhere + u'/' + serverFile;
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_SERVER_DIR "/") + serverFile, library));
    const QString emptyFolder = root.path() + QStringLiteral("/empty");
    ASSERT_TRUE(QDir().mkpath(emptyFolder));

    {
        auto a = activator(emptyFolder);
        EXPECT_EQ(errorNumberOf([&] { (void)a->createObject(serverClass); }), 429);
        EXPECT_EQ(a->registerServer(library), QStringList{serverClass});
    }
    ASSERT_TRUE(QFile::exists(registryFile));
    {
        auto a = activator(emptyFolder);  // a new run of the program
        DispatchRef strings = a->createObject(QStringLiteral("TovuTestServer.STRINGS"));
        EXPECT_EQ(strings->call(QStringLiteral("GetResourceString"), {Variant(2)}), Variant("Sprache"));
        EXPECT_NE(std::find(probed.begin(), probed.end(), library), probed.end());
        strings.reset();
        a->unregisterServer(library);
        EXPECT_EQ(errorNumberOf([&] { (void)a->createObject(serverClass); }), 429);
    }
    {
        auto a = activator(emptyFolder);
        EXPECT_EQ(errorNumberOf([&] { (void)a->registerServer(QStringLiteral("relative/lib.so")); }), 5);
        EXPECT_EQ(errorNumberOf([&] { (void)a->registerServer(registryFile); }), 53);  // no server
    }
}

TEST_F(Activation, HandEditedRelativeRegistryEntryIsNotFollowed)
{
    QDir().mkpath(QFileInfo(registryFile).absolutePath());
    QFile f(registryFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Classes]\ntovutestserver.strings=lib/libtovutestserver.so\n");
    f.close();
    QDir::setCurrent(root.path());  // where the relative path would lead
    auto a = activator(QString());
    EXPECT_EQ(errorNumberOf([&] { (void)a->createObject(serverClass); }), 429);
    for (const QString& p : probed)
        EXPECT_TRUE(QDir::isAbsolutePath(p)) << p.toStdString();
}

TEST_F(Activation, HostileProgIdsNeverReachTheFileSystem)
{
    const QString decoy = libraryFolder + u'/' + decoyFile;
    const bool decoyLoadedBefore = isLoaded(decoy);
    auto a = activator(libraryFolder);
    const QString hostile[] = {
        QStringLiteral("../x"),
        QStringLiteral("../x.Strings"),
        QStringLiteral("a/b"),
        QStringLiteral("x/../x.Strings"),
        QStringLiteral("\\x.Strings"),
        QStringLiteral("x.Strings") + QChar(0) + QStringLiteral("z"),
        QString(),
        QStringLiteral("x"),
        QStringLiteral("x."),
        QStringLiteral(".x"),
        QStringLiteral("x..Strings"),
        QStringLiteral("x.Str ings"),
        QStringLiteral(" x.Strings"),
        QStringLiteral("x.Strings\n"),
        QStringLiteral("1x.Strings"),
        QString::fromUtf8("x.Ströngs"),
        QStringLiteral("x.") + QString(200, u'S'),
    };
    for (const QString& id : hostile)
        EXPECT_EQ(errorNumberOf([&] { (void)a->createObject(id); }), 429) << id.toStdString();
    EXPECT_TRUE(probed.empty()) << probed.front().toStdString();
    if (!decoyLoadedBefore) {
        EXPECT_FALSE(isLoaded(decoy));
    }

    // The decoy is real: the plain ProgID it serves does reach it.
    EXPECT_EQ(a->createObject(QStringLiteral("X.STRINGS"))->call(QStringLiteral("GetResourceString"), {Variant(130)}),
              Variant("TOVU"));
    EXPECT_FALSE(probed.empty());
}

TEST(ServerLocations, EnvironmentOverridesTheDefaults)
{
    const QByteArray registryBefore = qgetenv("TOVU_CLASS_REGISTRY");
    const QByteArray folderBefore = qgetenv("TOVU_LIBRARY_DIR");
    qputenv("TOVU_CLASS_REGISTRY", "/tmp/registry/classes.ini");
    qputenv("TOVU_LIBRARY_DIR", "/opt/tovu/lib");
    ServerLocations set = ServerLocations::fromEnvironment();
    EXPECT_EQ(set.registryFile, QStringLiteral("/tmp/registry/classes.ini"));
    EXPECT_EQ(set.libraryFolder, QStringLiteral("/opt/tovu/lib"));

    qunsetenv("TOVU_CLASS_REGISTRY");
    qunsetenv("TOVU_LIBRARY_DIR");
    ServerLocations defaults = ServerLocations::fromEnvironment();
    EXPECT_TRUE(defaults.registryFile.endsWith(QStringLiteral("/tovu/classes.ini")));
    EXPECT_EQ(defaults.libraryFolder, QStringLiteral(TOVU_BIN_DIR));  // where this test runs from
    if (!registryBefore.isEmpty())
        qputenv("TOVU_CLASS_REGISTRY", registryBefore);
    if (!folderBefore.isEmpty())
        qputenv("TOVU_LIBRARY_DIR", folderBefore);
}

TEST(RunningObjectTable, FindsRunningObjectsByProgIdWithoutRegardToCase)
{
    RunningObjectTable table;
    EXPECT_EQ(table.activeObject(QStringLiteral("Word.Application")), nullptr);
    EXPECT_EQ(errorNumberOf([&] { (void)table.getObject(QStringLiteral("Word.Application")); }), 429);

    DispatchRef first = makeDispatch({});
    DispatchRef second = makeDispatch({});
    table.registerObject(QStringLiteral("Word.Application"), first);
    EXPECT_EQ(table.getObject(QStringLiteral("word.application")), first);
    table.registerObject(QStringLiteral("WORD.APPLICATION"), second);
    table.revoke(QStringLiteral("Word.Application"), first);  // the earlier one revoking itself
    EXPECT_EQ(table.activeObject(QStringLiteral("Word.Application")), second);
    table.revoke(QStringLiteral("Word.Application"), second);
    EXPECT_EQ(table.activeObject(QStringLiteral("Word.Application")), nullptr);
}
