// Figures for the program's start-up with no instrument answering, each over several runs
// (TOVU_BENCH_RUNS, 5) as min and median: the start-up from the start of the process to a
// shown window, the resident memory after start-up, and the time to fill the item list
// with 10 000 items. The clock starts when the process is started: every run is a fresh
// process (this program with --child), timed by its parent until the child reports its
// window shown, so loading, static set-up and the application object count.
//
// The floor is the protocol's, not the program's own scan: on a silent port each of the
// five rates costs the "ARM" handshake and the closing "ALM", each a command gap, the wait
// before it, its bytes on the wire and the handshake timeout. The silent instrument is the
// simulator program in a process of its own. Prints the figures and whether the targets
// hold (start-up within floor + 0.5 s, under 80 MB, list under 50 ms).

#include "app/link/BaudScan.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/QtUserInteraction.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"
#include "support/Figures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
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

mainwindow::MainOptions optionsIn(const QString& home)
{
    mainwindow::MainOptions o;
    o.programFolder = QStringLiteral(TOVU_BIN_DIR);
    o.settingsFolder = home + QStringLiteral("/settings");
    o.classRegistryFile = home + QStringLiteral("/classes.ini");
    o.lcid = 0x809;
    return o;
}

// The protocol's cost of a scan on a silent port: per rate the handshake "ARM" and the
// closing "ALM", each sent after the command gap and the wait before it, and given up after
// the handshake timeout.
double silentScanFloorMs()
{
    double ms = 0;
    for (const link::ScanRate& rate : link::kScanRates) {
        const double byteMs = 10.0 * 1000.0 / std::atof(rate.baud);
        const double command = link::kCommandGapMs + link::kPreWaitMs + 4 * byteMs  // "ARM\r"
                               + link::kHandshakeTimeoutSeconds * 1000.0;
        ms += 2 * command;  // ARM, then ALM
    }
    return ms;
}

// The child: one start-up to a shown window, then the list fill; prints
// "shown <resident MB> <fill ms> <items>" once the window is shown, for its parent's clock.
int startUpOnce(int argc, char** argv, const QString& home)
{
    QApplication app(argc, argv);
    mainwindow::QtUserInteraction ui;
    mainwindow::MainContext ctx(optionsIn(home), ui);
    mainwindow::frmmain w(ctx);
    ui.setOwner(&w);
    w.Form_Load();
    w.show();
    QCoreApplication::processEvents();
    std::printf("shown\n");
    std::fflush(stdout);
    const double rss = residentMB();

    QElapsedTimer fill;
    fill.start();
    w.itemViews().mnuViewALogs_Click();
    QCoreApplication::processEvents();  // laid out and painted once
    const double fillMs = static_cast<double>(fill.nsecsElapsed()) / 1e6;
    std::printf("%.3f %.3f %d %s\n", rss, fillMs, w.listModel().rowCount(), w.wordAvailable() ? "yes" : "no");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == "--child")
        return startUpOnce(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
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

    bench::Figures startMs, rssMB, fillMs;
    int items = 0;
    QString word;
    const int runs = bench::runs(5);
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), home.path()});
        // Until the child's first line: its window is shown.
        while (!child.canReadLine() && child.state() != QProcess::NotRunning)
            child.waitForReadyRead(10);
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        if (!child.waitForFinished(120000) || child.exitCode() != 0
            || child.readLine().trimmed() != QByteArrayLiteral("shown")) {
            std::fprintf(stderr, "start-up run %d failed\n", run + 1);
            return 1;
        }
        const QList<QByteArray> figures = child.readLine().trimmed().split(' ');
        if (figures.size() != 4) {
            std::fprintf(stderr, "start-up run %d reported no figures\n", run + 1);
            return 1;
        }
        startMs.add(ms);
        rssMB.add(figures[0].toDouble());
        fillMs.add(figures[1].toDouble());
        items = figures[2].toInt();
        word = QString::fromLatin1(figures[3]);
    }
    silent.terminate();
    silent.waitForFinished(2000);

    const double floorMs = silentScanFloorMs();
    const bool startOk = startMs.min() <= floorMs + 500;
    const bool rssOk = rssMB.min() < 80;
    const bool fillOk = fillMs.min() < 50;
    std::printf("floor: five rates of ARM and ALM on a silent port     %10.1f ms\n", floorMs);
    bench::printFigures("start-up from process start to shown window", startMs, "ms");
    std::printf("  (over the floor %+.1f ms, allowed 500) %s\n", startMs.min() - floorMs, startOk ? "ok" : "OVER");
    bench::printFigures("resident memory after start-up", rssMB, "MB");
    std::printf("  (allowed 80) %s\n", rssOk ? "ok" : "OVER");
    bench::printFigures(qPrintable(QStringLiteral("item list of %1 ALogs filled and shown").arg(items)), fillMs, "ms");
    std::printf("  (allowed 50) %s\n", fillOk ? "ok" : "OVER");
    std::printf("Word available: %s\n", qPrintable(word));
    return startOk && rssOk && fillOk ? 0 : 2;
}
