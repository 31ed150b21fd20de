#pragma once
// The objects the program creates once at start-up and passes by reference: paths,
// settings store, in-process server activation, the item arrays, the language library,
// the serial port with its link state, the A-scan display and the help viewer. Tests build their own with
// a temporary settings store and their own port mapping.

#include "app/display/AScanDisplay.h"
#include "app/display/DisplayMessages.h"
#include "app/display/SettingsAccess.h"
#include "app/items/ItemStore.h"
#include "app/items/RessourcesModule.h"
#include "app/link/LinkContext.h"
#include "app/mainwindow/AppPaths.h"
#include "app/mainwindow/UserInteraction.h"
#include "platform/automation/Activator.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/help/HelpViewer.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/SerialPort.h"
#include "platform/settings/SettingsStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tovu::mainwindow {

struct MainOptions {
    QString programFolder;      // empty: the folder of the running program
    QString settingsFolder;     // empty: the user's settings store
    QString classRegistryFile;  // empty: the user's class registry
    QString userDataFolder;     // empty: the user's data folder of the program
    QString commandLine;        // the arguments after the program name, joined by blanks
    std::optional<std::uint32_t> lcid;  // the user's locale; empty: from the environment
    // Replace the link's clock, the event pump of its waits and its serial port (tests run
    // the link on a virtual clock against an instrument in memory); empty: the system's.
    std::function<std::unique_ptr<link::Clock>()> makeClock;
    std::function<std::unique_ptr<link::EventPump>(link::Clock&)> makePump;
    std::function<std::unique_ptr<platform::serial::SerialPort>(platform::serial::PortMap)> makePort;
};

// The settings store bound to the program's application name.
class BoundSettings final : public display::SettingsAccess {
public:
    explicit BoundSettings(platform::settings::SettingsStore& store) : store_(store) {}
    QString GetSetting(const QString& section, const QString& key, const QString& def = {}) const override;
    // A store that cannot be written is not worth stopping a command for: the value is
    // then simply not kept.
    void SaveSetting(const QString& section, const QString& key, const QString& value) override;

private:
    platform::settings::SettingsStore& store_;
};

class UserDisplayMessages final : public display::DisplayMessages {
public:
    explicit UserDisplayMessages(UserInteraction& ui) : ui_(ui) {}
    void showCritical(const QString& text) override;

private:
    UserInteraction& ui_;
};

class MainContext {
public:
    MainContext(const MainOptions& options, UserInteraction& ui);
    MainContext(const MainContext&) = delete;
    MainContext& operator=(const MainContext&) = delete;

    MainOptions options;
    AppPaths paths;
    UserInteraction& ui;
    platform::settings::SettingsStore settingsStore;
    BoundSettings settings;
    platform::automation::Activator activator;
    items::ItemStore store;
    items::LanguageContext language;
    std::unique_ptr<link::Clock> clock;
    std::unique_ptr<link::EventPump> pump;
    std::unique_ptr<platform::serial::SerialPort> ownPort;
    platform::serial::SerialPort& port;
    link::LinkContext link;
    platform::clipboard::SystemClipboard clipboard;
    UserDisplayMessages displayMessages;
    display::AScanDisplay display;
    // Shows the help file; tests put a recording viewer in its place.
    std::unique_ptr<platform::help::HelpViewer> help = std::make_unique<platform::help::DesktopHelpViewer>();

    // The user's locale identifier (LCID).
    std::uint32_t userLcid() const;
};

} // namespace tovu::mainwindow
