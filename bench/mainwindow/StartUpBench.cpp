// Figures for the program's start-up with no instrument answering: the baud scan on its
// own (the floor: five rates of handshakes that time out), the whole start-up to a shown
// window on the same silent port, the resident memory after start-up, and the time to
// fill the item list with 10 000 items. The silent instrument is the simulator program in
// a process of its own, so the figures are the program's. Prints figures and whether the
// targets hold (start-up within floor + 0.5 s, under 80 MB, list under 50 ms).

#include "app/link/BaudScan.h"
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/QtUserInteraction.h"
#include "app/mainwindow/frmmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <unistd.h>

using namespace tovu;

namespace {

double residentMB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

mainwindow::MainOptions optionsIn(const QTemporaryDir& home)
{
    mainwindow::MainOptions o;
    o.programFolder = QStringLiteral(TOVU_BIN_DIR);
    o.settingsFolder = home.filePath(QStringLiteral("settings"));
    o.classRegistryFile = home.filePath(QStringLiteral("classes.ini"));
    o.lcid = 0x809;
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;

    QProcess silent;
    silent.start(QStringLiteral(TOVU_BIN_DIR "/instrument-sim"),
                 {QStringLiteral("--quiet"), QStringLiteral("--fault"), QStringLiteral("*:silence:0")});
    if (!silent.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(silent.readLine()).trimmed();
    platform::settings::SettingsStore(home.filePath(QStringLiteral("settings")))
        .saveSetting(platform::settings::applicationName, QStringLiteral("Ports"), QStringLiteral("COM1"), pty);

    mainwindow::QtUserInteraction ui;
    const double rssBefore = residentMB();

    // The floor: the scan alone, through the same context the window uses.
    double scanMs = 0;
    {
        mainwindow::MainContext ctx(optionsIn(home), ui);
        QElapsedTimer t;
        t.start();
        link::scan_baudrate(ctx.link, link::BaudScanHooks{});
        scanMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
    }

    QElapsedTimer t;
    t.start();
    mainwindow::MainContext ctx(optionsIn(home), ui);
    mainwindow::frmmain w(ctx);
    ui.setOwner(&w);
    w.Form_Load();
    w.show();
    QCoreApplication::processEvents();
    const double startMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
    const double rss = residentMB();

    QElapsedTimer fill;
    fill.start();
    w.mnuViewALogs_Click();
    QCoreApplication::processEvents();  // laid out and painted once
    const double fillMs = static_cast<double>(fill.nsecsElapsed()) / 1e6;

    silent.terminate();
    silent.waitForFinished(2000);

    const bool startOk = startMs <= scanMs + 500;
    const bool rssOk = rss < 80;
    const bool fillOk = fillMs < 50;
    std::printf("baud scan alone (floor):        %8.1f ms\n", scanMs);
    std::printf("start-up to shown window:       %8.1f ms  (over the floor %+.1f ms, allowed 500) %s\n", startMs,
                startMs - scanMs, startOk ? "ok" : "OVER");
    std::printf("resident memory after start-up: %8.1f MB  (before the window %.1f MB, allowed 80) %s\n", rss,
                rssBefore, rssOk ? "ok" : "OVER");
    std::printf("item list of %d ALogs filled and shown: %5.2f ms  (allowed 50) %s\n", w.listModel().rowCount(), fillMs,
                fillOk ? "ok" : "OVER");
    std::printf("Word available: %s\n", w.WordAvailable ? "yes" : "no");
    return startOk && rssOk && fillOk ? 0 : 2;
}
