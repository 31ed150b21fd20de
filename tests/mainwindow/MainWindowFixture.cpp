#include "mainwindow/MainWindowFixture.h"

#include "platform/settings/SettingsStore.h"

#include <QApplication>
#include <QDeadlineTimer>

namespace tovu::mainwindow::testing {

MainWindowFixture::MainWindowFixture()
{
    options.programFolder = QStringLiteral(TOVU_BIN_DIR);
    options.settingsFolder = home.filePath(QStringLiteral("settings"));
    options.classRegistryFile = home.filePath(QStringLiteral("classes.ini"));
    options.userDataFolder = home.filePath(QStringLiteral("data"));
    options.lcid = 0x809;
    options.makeClock = [this] {
        auto clock = std::make_unique<VirtualClock>();
        clock->onAdvance = [this] {
            if (instrument && port_)
                instrument->deliver(*port_, clock_->nowMs());
        };
        clock_ = clock.get();
        return clock;
    };
    options.makePump = [this](link::Clock&) { return std::make_unique<VirtualPump>(*clock_, waitHook); };
    options.makePort = [this](platform::serial::PortMap map) {
        auto port = std::make_unique<platform::serial::MemoryPort>();
        port->setDevicePresent(
            [this, map](int commPort) { return instrument && map.devicePath(commPort) == VirtualInstrument::devicePath(); });
        port->setResponder([this](platform::serial::MemoryPort& p, const QByteArray& line) {
            if (instrument)
                instrument->receive(p, line, clock_->nowMs());
        });
        port->setIdleHook([this](int ms) { clock_->advance(ms); });
        port_ = port.get();
        return port;
    };
}

MainWindowFixture::~MainWindowFixture()
{
    window_.reset();
    context_.reset();
}

void MainWindowFixture::settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool MainWindowFixture::waitUntil(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void MainWindowFixture::saveSetting(const QString& section, const QString& key, const QString& value)
{
    platform::settings::SettingsStore(options.settingsFolder)
        .saveSetting(platform::settings::applicationName, section, key, value);
}

QString MainWindowFixture::setting(const QString& section, const QString& key) const
{
    return platform::settings::SettingsStore(options.settingsFolder)
        .getSetting(platform::settings::applicationName, section, key);
}

void MainWindowFixture::mapCom(int port, const QString& device)
{
    saveSetting(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(port), device);
}

void MainWindowFixture::mapComToNothing()
{
    mapCom(1, home.filePath(QStringLiteral("no-such-device")));
}

VirtualInstrument& MainWindowFixture::startInstrument(int model, int baud, bool silent)
{
    sim::SimOptions o;
    o.instrument.model = model;
    o.baud = baud;
    if (silent)
        o.faults.push_back(sim::FaultRule{"*", sim::FaultKind::Silence, 0});
    instrument = std::make_unique<VirtualInstrument>(o);
    mapCom(1, VirtualInstrument::devicePath());
    return *instrument;
}

frmmain& MainWindowFixture::create()
{
    window_.reset();
    context_.reset();
    clock_ = nullptr;
    port_ = nullptr;
    context_ = std::make_unique<MainContext>(options, ui);
    window_ = std::make_unique<frmmain>(*context_);
    return *window_;
}

frmmain& MainWindowFixture::start()
{
    create().Form_Load();
    return *window_;
}

frmmain& MainWindowFixture::startWithItems()
{
    mapComToNothing();
    frmmain& w = start();
    ui.fileNames.push_back(QStringLiteral(TOVU_FIXTURES_DIR "/items/mixed.dfd"));
    w.Toolbar1_ButtonClick(QStringLiteral("Open"));  // shows the panels
    w.Toolbar1_ButtonClick(QStringLiteral("ViewAlogs"));
    return w;
}

QStringList treeCaptions(const frmmain& w, int from, int to)
{
    QStringList out;
    for (int p = from; p <= to; ++p)
        out << w.DFDTree()->caption(p);
    return out;
}

} // namespace tovu::mainwindow::testing
