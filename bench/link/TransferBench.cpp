// What a download of N slots costs against the protocol's own floor, and how it grows
// with N. The floor is counted from the simulator's transcript: the waits the protocol
// mandates (50 ms before every command exchange; 0.5 s before "ARM", "ALM" and "AMF";
// 100 ms before the measurement group; per occupied panel 20 ms, and 200 ms before its
// DAC curve; 1 s when the link is closed) plus every byte on the wire at the baud rate,
// 10 bit times each way. The simulator paces its bytes at that rate and does its memory
// work without a busy time, so nothing of the instrument's own speed enters.
//
//   tovu_transfer_bench [--counts 1,2,4] [--baud 115200] [--kind alogs|panels]
// Exit status 1 when a download costs more than the floor plus 5 %.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/link/Connection.h"
#include "app/link/DownloadEngine.h"
#include "app/link/ModelIdentification.h"
#include "app/link/SystemClock.h"
#include "instrument-sim/InstrumentSimulator.h"
#include "platform/serial/DevicePort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>
#include <set>
#include <string>

using namespace tovu;

namespace {

struct Strings : items::StringSource {
    QString GetResString(int id) const override { return QString::number(id); }
};

struct Host : link::TransferHost {
    void setBusy(bool) override {}
    int checkedPanelPage() const override { return 1; }
    int checkedALogPage() const override { return 1; }
    void DFD_Tick(int) override {}
    void markNodeEmpty(int) override {}
    void showPanelsView() override {}
    void mnuViewALogs_Click() override {}
    void markModified() override {}
};

struct Dialogs : link::LinkDialogs {
    void message(const QString& text, const QString&, link::LinkIcon) override
    {
        std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
    }
    bool askYesNo(const QString&, const QString&, link::LinkIcon) override { return true; }
};

struct Wait : link::MessageView {
    void setMessage(const QString&) override {}
    void showModeless() override {}
    void hide() override {}
};

// Exchanges of the raw primitive: no command gap before them.
const std::set<std::string> kRaw = {"AMD", "APL", "AWL", "ATS", "RRP", "RYP", "AWT", "ADC", "AAC", "AYC", "RYC"};
const std::set<std::string> kPreWait = {"ARM", "ALM", "AMF"};

struct Floor {
    double waitsMs = 0;
    double wireMs = 0;
    int commands = 0;
    double total() const { return waitsMs + wireMs; }
};

Floor floorOf(const std::vector<sim::TranscriptEntry>& entries, int baud, bool panels)
{
    Floor f;
    long bytes = 0;
    int alms = 0;
    for (const auto& e : entries) {
        const std::string cmd = e.received.substr(0, 3);
        ++f.commands;
        if (!kRaw.count(cmd))
            f.waitsMs += 50;
        if (kPreWait.count(cmd))
            f.waitsMs += 500;
        if (cmd == "RAG")
            f.waitsMs += 100;
        if (panels && e.received == "WSM 1")
            f.waitsMs += 20;
        if (panels && cmd == "ADC")
            f.waitsMs += 200;
        if (cmd == "ALM")
            ++alms;
        bytes += static_cast<long>(e.received.size() + 1 + e.sent.size());
    }
    f.waitsMs += 1000.0 * alms;  // CloseComm's wait after its "ALM"
    f.wireMs = static_cast<double>(bytes) * 10.0 * 1000.0 / baud;
    return f;
}

QList<int> parseCounts(const QString& text)
{
    QList<int> out;
    for (const QString& s : text.split(QLatin1Char(',')))
        out << s.toInt();
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QList<int> counts = {1, 2, 4};
    int baud = 115200;
    bool panels = false;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--counts"))
            counts = parseCounts(args[i + 1]);
        if (args[i] == QLatin1String("--baud"))
            baud = args[i + 1].toInt();
        if (args[i] == QLatin1String("--kind"))
            panels = args[i + 1] == QLatin1String("panels");
    }
    bool allOk = true;
    std::vector<std::pair<int, double>> points;
    for (const int n : counts) {
        sim::SimOptions o;
        o.baud = baud;
        o.paceAtBaud = true;
        o.instrument.model = 21;
        o.protocol.memoryActionMs = 0;
        o.quiet = true;
        sim::InstrumentSimulator sim(o);
        std::string error;
        if (!sim.start(&error)) {
            std::fprintf(stderr, "simulator: %s\n", error.c_str());
            return 2;
        }
        // Exactly slots 1..n occupied, each a copy of the seeded first one.
        sim.editState([&](sim::InstrumentState& st) {
            auto& memory = panels ? st.panels : st.alogs;
            const sim::StoredItem item = memory.at(1);
            memory.clear();
            for (int s = 1; s <= n; ++s)
                memory[s] = item;
        });
        const QString path = QString::fromStdString(sim.slavePath());
        platform::serial::DevicePort port(platform::serial::PortMap(
            [&](const QString&, const QString& key) { return key == QLatin1String("COM1") ? path : QString(); }));
        port.setSettings(QString::number(baud) + QStringLiteral(",N,8,1"));
        link::SystemClock clock;
        link::QtEventPump pump(clock);
        items::ItemStore store;
        Strings strings;
        link::LinkContext ctx(port, clock, pump, store, strings);
        Host host;
        Dialogs dialogs;
        Wait wait;
        link::TransferEnv env{ctx, host, dialogs, wait};
        link::OpenComm(ctx);
        link::GetInstrumentModel(ctx, 0);
        link::CloseComm(ctx);

        std::vector<int> positions;
        for (int s = 1; s <= n; ++s)
            positions.push_back(s);
        sim.clearTranscript();
        QElapsedTimer t;
        t.start();
        const link::TransferReport r =
            panels ? link::DownloadPanels(env, positions) : link::DownloadALogs(env, positions);
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        sim.stop();
        if (!r.completed || static_cast<int>(r.transferred.size()) != n) {
            std::fprintf(stderr, "download of %d slots did not complete\n", n);
            return 2;
        }
        const Floor f = floorOf(sim.transcript(), baud, panels);
        const double ratio = ms / f.total();
        const bool ok = ratio <= 1.05;
        allOk &= ok;
        points.emplace_back(n, ms);
        std::printf("%-6s N=%3d  %5d commands  floor %9.1f ms (waits %9.1f + wire %7.1f)  measured %9.1f ms  +%5.2f %%  %s\n",
                    panels ? "panels" : "alogs", n, f.commands, f.total(), f.waitsMs, f.wireMs, ms, (ratio - 1.0) * 100.0,
                    ok ? "ok" : "OVER");
    }
    // Growth: the cost per slot between successive counts.
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double perSlot = (points[i].second - points[i - 1].second) / (points[i].first - points[i - 1].first);
        std::printf("per slot from N=%d to N=%d: %.1f ms\n", points[i - 1].first, points[i].first, perSlot);
    }
    return allOk ? 0 : 1;
}
