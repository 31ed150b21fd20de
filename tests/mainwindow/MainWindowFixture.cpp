#include "mainwindow/MainWindowFixture.h"

#include "app/link/SystemClock.h"
#include "platform/settings/SettingsStore.h"

#include <QApplication>

namespace tovu::mainwindow::testing {

namespace {
// Link waits run at this fraction of real time; the simulator answers in well under it.
constexpr double kTimeScale = 0.05;
} // namespace

MainWindowFixture::MainWindowFixture()
{
    options.programFolder = QStringLiteral(TOVU_BIN_DIR);
    options.settingsFolder = home.filePath(QStringLiteral("settings"));
    options.classRegistryFile = home.filePath(QStringLiteral("classes.ini"));
    options.userDataFolder = home.filePath(QStringLiteral("data"));
    options.lcid = 0x809;
    options.timeScale = kTimeScale;
    options.makePump = [this](link::Clock& clock) {
        return std::make_unique<HookedPump>(std::make_unique<link::QtEventPump>(clock), waitHook);
    };
}

MainWindowFixture::~MainWindowFixture()
{
    window_.reset();
    context_.reset();
    if (instrument)
        instrument->stop();
}

void MainWindowFixture::settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
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

sim::InstrumentSimulator& MainWindowFixture::startInstrument(int model, int baud, bool silent)
{
    if (instrument)
        instrument->stop();
    sim::SimOptions o;
    o.instrument.model = model;
    o.baud = baud;
    o.quiet = true;
    o.timeScale = kTimeScale;
    if (silent)
        o.faults.push_back(sim::FaultRule{"*", sim::FaultKind::Silence, 0});
    instrument = std::make_unique<sim::InstrumentSimulator>(o);
    std::string error;
    if (!instrument->start(&error))
        ADD_FAILURE() << "simulator: " << error;
    mapCom(1, QString::fromStdString(instrument->slavePath()));
    return *instrument;
}

frmmain& MainWindowFixture::create()
{
    window_.reset();
    context_.reset();
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
