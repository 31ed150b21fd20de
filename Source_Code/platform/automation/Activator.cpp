#include "platform/automation/Activator.h"

#include "platform/automation/ForeignDispatch.h"
#include "platform/automation/InProcServer.h"
#include "platform/automation/ProgId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <dlfcn.h>

namespace tovu::platform::automation {

namespace {

const QString activatorSource = QStringLiteral("CreateObject");

AutomationError cannotCreate()
{
    return AutomationError::standard(ErrorNumber::CannotCreateObject, activatorSource);
}

template <typename Fn>
Fn symbolOf(void* handle, const char* name)
{
    return reinterpret_cast<Fn>(dlsym(handle, name));
}

} // namespace

// One opened server library. It is closed when the last object it made is gone and the
// library agrees (DllCanUnloadNow); a library that does not agree stays loaded.
struct Activator::Library {
    void* handle = nullptr;
    TovuDllGetClassObjectFn getClassObject = nullptr;
    TovuDllCanUnloadNowFn canUnloadNow = nullptr;
    TovuDllRegisterServerFn registerServer = nullptr;
    TovuDllUnregisterServerFn unregisterServer = nullptr;

    ~Library()
    {
        if (handle && canUnloadNow && canUnloadNow() == TOVU_S_OK)
            dlclose(handle);
    }
};

ServerLocations ServerLocations::fromEnvironment()
{
    ServerLocations l;
    l.registryFile = qEnvironmentVariable("TOVU_CLASS_REGISTRY");
    if (l.registryFile.isEmpty())
        l.registryFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         + QStringLiteral("/tovu/classes.ini");
    l.libraryFolder = qEnvironmentVariable("TOVU_LIBRARY_DIR");
    if (l.libraryFolder.isEmpty())
        l.libraryFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return l;
}

Activator::Activator(ServerLocations locations)
    : locations_(std::move(locations))
    , registry_(locations_.registryFile)
{
}

Activator::~Activator() = default;

void Activator::addClass(const QString& progId, Factory factory)
{
    if (!isPlainProgId(progId))
        throw AutomationError::fromHresult(Hresult::InvalidClassString, activatorSource);
    classes_[progIdKey(progId)] = std::move(factory);
}

std::shared_ptr<Activator::Library> Activator::open(const QString& absolutePath)
{
    const QString path = QDir::cleanPath(absolutePath);
    if (!QDir::isAbsolutePath(path))
        return nullptr;
    if (auto it = libraries_.find(path); it != libraries_.end())
        return it->second;
    if (probe_)
        probe_(path);
    if (!QFileInfo(path).isFile())
        return nullptr;
    // A path with a slash is opened as it stands; the loader's search paths never apply.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    auto library = std::make_shared<Library>();
    library->handle = handle;
    library->getClassObject = symbolOf<TovuDllGetClassObjectFn>(handle, "DllGetClassObject");
    library->canUnloadNow = symbolOf<TovuDllCanUnloadNowFn>(handle, "DllCanUnloadNow");
    library->registerServer = symbolOf<TovuDllRegisterServerFn>(handle, "DllRegisterServer");
    library->unregisterServer = symbolOf<TovuDllUnregisterServerFn>(handle, "DllUnregisterServer");
    if (!library->getClassObject) {
        // Not a server: unload at once (nothing of it can be alive).
        library->canUnloadNow = nullptr;
        dlclose(handle);
        library->handle = nullptr;
        return nullptr;
    }
    libraries_[path] = library;
    return library;
}

DispatchRef Activator::createFrom(const QString& absolutePath, const QString& progId)
{
    const std::shared_ptr<Library> library = open(absolutePath);
    if (!library)
        return nullptr;
    TovuDispatch* object = nullptr;
    const QByteArray name = progId.toLatin1();  // a plain ProgID is ASCII
    if (library->getClassObject(name.constData(), &object) != TOVU_S_OK || !object)
        return nullptr;
    return adoptForeign(object, library);
}

DispatchRef Activator::createObject(const QString& progId)
{
    if (!isPlainProgId(progId))
        throw cannotCreate();
    if (auto it = classes_.find(progIdKey(progId)); it != classes_.end()) {
        if (DispatchRef object = it->second())
            return object;
        throw cannotCreate();
    }
    if (probe_)
        probe_(registry_.file());
    if (const auto registered = registry_.libraryOf(progId))
        if (DispatchRef object = createFrom(*registered, progId))
            return object;
    if (!locations_.libraryFolder.isEmpty() && QDir::isAbsolutePath(locations_.libraryFolder)) {
        for (const QString& file : libraryFileNames(progId))
            if (DispatchRef object = createFrom(locations_.libraryFolder + u'/' + file, progId))
                return object;
    }
    throw cannotCreate();
}

DispatchRef Activator::createObjectFrom(const QString& libraryPath, const QString& progId)
{
    if (!isPlainProgId(progId) || !QDir::isAbsolutePath(libraryPath))
        throw cannotCreate();
    if (DispatchRef object = createFrom(libraryPath, progId))
        return object;
    throw cannotCreate();
}

QStringList Activator::declaredClasses(const QString& libraryPath, bool registering)
{
    if (!QDir::isAbsolutePath(libraryPath))
        throw AutomationError::fromHresult(Hresult::InvalidArg, activatorSource);
    const std::shared_ptr<Library> library = open(libraryPath);
    const auto entry = !library ? nullptr : registering ? library->registerServer : library->unregisterServer;
    if (!entry)
        throw AutomationError::standard(ErrorNumber::FileNotFound, activatorSource);

    struct Collected {
        QStringList progIds;
        bool refused = false;
    } collected;
    auto collect = [](void* context, const char* progId) -> TovuResult {
        auto* c = static_cast<Collected*>(context);
        const QString id = progId ? QString::fromUtf8(progId) : QString();
        if (!isPlainProgId(id)) {
            c->refused = true;
            return TOVU_E_INVALIDARG;
        }
        c->progIds.append(id);
        return TOVU_S_OK;
    };
    const TovuRegistrar registrar{TOVU_INPROC_ABI_VERSION, &collected, collect, collect};
    const TovuResult result = entry(&registrar);
    if (result != TOVU_S_OK)
        throw AutomationError::fromHresult(result, activatorSource);
    if (collected.refused)
        throw AutomationError::fromHresult(Hresult::InvalidClassString, activatorSource);
    return collected.progIds;
}

QStringList Activator::registerServer(const QString& libraryPath)
{
    const QStringList progIds = declaredClasses(libraryPath, true);
    registry_.add(progIds, libraryPath);
    return progIds;
}

void Activator::unregisterServer(const QString& libraryPath)
{
    registry_.remove(declaredClasses(libraryPath, false), libraryPath);
}

} // namespace tovu::platform::automation
