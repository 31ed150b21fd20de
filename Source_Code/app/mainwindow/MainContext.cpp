#include "app/mainwindow/MainContext.h"

#include "app/link/SystemClock.h"
#include "platform/locale/UserLocale.h"
#include "platform/serial/DevicePort.h"

#include <QCoreApplication>
#include <QDir>

namespace tovu::mainwindow {

namespace {

namespace automation = platform::automation;
namespace settings = platform::settings;

QString folderOrProgram(const QString& folder)
{
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

AppPaths pathsOf(const MainOptions& o)
{
    AppPaths p = AppPaths::forProgram(folderOrProgram(o.programFolder));
    if (!o.userDataFolder.isEmpty())
        p.userDataFolder = o.userDataFolder;
    return p;
}

automation::ServerLocations locationsOf(const MainOptions& o)
{
    automation::ServerLocations l = automation::ServerLocations::fromEnvironment();
    if (!o.classRegistryFile.isEmpty())
        l.registryFile = o.classRegistryFile;
    l.libraryFolder = folderOrProgram(o.programFolder);
    return l;
}

settings::SettingsStore storeOf(const MainOptions& o)
{
    return o.settingsFolder.isEmpty() ? settings::SettingsStore::forUser() : settings::SettingsStore(o.settingsFolder);
}

std::unique_ptr<link::Clock> clockOf(const MainOptions& o)
{
    if (o.makeClock)
        return o.makeClock();
    return std::make_unique<link::SystemClock>();
}

std::unique_ptr<platform::serial::SerialPort> portOf(const MainOptions& o, platform::serial::PortMap map)
{
    if (o.makePort)
        return o.makePort(std::move(map));
    return std::make_unique<platform::serial::DevicePort>(std::move(map));
}

std::unique_ptr<link::EventPump> pumpOf(const MainOptions& o, link::Clock& clock)
{
    if (o.makePump)
        return o.makePump(clock);
    return std::make_unique<link::QtEventPump>(clock);
}

} // namespace

QString BoundSettings::GetSetting(const QString& section, const QString& key, const QString& def) const
{
    try {
        return store_.getSetting(settings::applicationName, section, key, def);
    } catch (...) {
        return def;
    }
}

void BoundSettings::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    try {
        store_.saveSetting(settings::applicationName, section, key, value);
    } catch (...) {
    }
}

void UserDisplayMessages::showCritical(const QString& text)
{
    ui_.message(text, settings::applicationName, MessageIcon::Critical);
}

MainContext::MainContext(const MainOptions& o, UserInteraction& ui_)
    : options(o),
      paths(pathsOf(o)),
      ui(ui_),
      settingsStore(storeOf(o)),
      settings(settingsStore),
      activator(locationsOf(o)),
      language(activator),
      clock(clockOf(o)),
      pump(pumpOf(o, *clock)),
      ownPort(portOf(o, platform::serial::PortMap([this](const QString& section, const QString& key) {
          return settings.GetSetting(section, key);
      }))),
      port(*ownPort),
      link(port, *clock, *pump, store, language),
      displayMessages(ui_),
      display(store, language, settings, displayMessages)
{
    // The program's folder may be read-only: the picture file goes to the user's folder.
    QDir().mkpath(paths.userDataFolder);
    display.folders = {paths.userDataFolder, paths.userDataFolder};
}

std::uint32_t MainContext::userLcid() const
{
    return options.lcid ? *options.lcid : platform::locale::userDefaultLcid();
}

} // namespace tovu::mainwindow
