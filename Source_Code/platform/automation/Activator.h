#pragma once
// Creates automation objects by ProgID. A ProgID is served, in this order, by a class the
// program itself provides (addClass), by the library that the per-user class registry
// names for it (put there by the library's DllRegisterServer), or by the library of the
// ProgID's project name in the program's own library folder. Libraries are opened by
// absolute path only, and a text that is not a plain ProgID is refused before any file
// is looked at.

#include "platform/automation/ClassRegistry.h"
#include "platform/automation/Dispatch.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

namespace tovu::platform::automation {

struct ServerLocations {
    QString registryFile;   // the per-user class registry
    QString libraryFolder;  // the program's own library folder

    // TOVU_CLASS_REGISTRY names the registry file, else $XDG_CONFIG_HOME/tovu/classes.ini
    // (~/.config when unset); TOVU_LIBRARY_DIR names the library folder, else the folder
    // of the running executable.
    static ServerLocations fromEnvironment();
};

class Activator {
public:
    using Factory = std::function<DispatchRef()>;

    explicit Activator(ServerLocations locations);
    ~Activator();
    Activator(const Activator&) = delete;
    Activator& operator=(const Activator&) = delete;

    const ServerLocations& locations() const { return locations_; }

    // A class the program serves itself, by plain ProgID (without regard to case).
    void addClass(const QString& progId, Factory factory);

    // A new object of the class; raises "Can't create object" (429) when the ProgID is
    // not plain, nothing serves it, or its library cannot be opened or refuses.
    DispatchRef createObject(const QString& progId);

    // A new object of the class from the library at an absolute path, for a host that
    // knows which file serves it (a control it embeds); raises 429 as createObject.
    DispatchRef createObjectFrom(const QString& libraryPath, const QString& progId);

    // Opens the library at an absolute path, lets its DllRegisterServer name its
    // classes and records them in the class registry; returns the ProgIDs.
    QStringList registerServer(const QString& libraryPath);
    // The reverse, through its DllUnregisterServer.
    void unregisterServer(const QString& libraryPath);

    // Called with every path the activator is about to look at or open (the registry
    // file, candidate libraries), before it does.
    void setFileProbe(std::function<void(const QString& path)> probe) { probe_ = std::move(probe); }

private:
    struct Library;

    ServerLocations locations_;
    ClassRegistry registry_;
    std::map<QString, Factory> classes_;
    std::map<QString, std::shared_ptr<Library>> libraries_;
    std::function<void(const QString&)> probe_;

    std::shared_ptr<Library> open(const QString& absolutePath);
    DispatchRef createFrom(const QString& absolutePath, const QString& progId);
    QStringList declaredClasses(const QString& libraryPath, bool registering);
};

} // namespace tovu::platform::automation
