// What a download of N slots costs against the protocol's own floor, and how it grows
// with N. The floor is counted from the simulator's transcript: the waits the protocol
// mandates (50 ms before every command exchange; 0.5 s before "ARM", "ALM" and "AMF";
// 100 ms before the measurement group; per occupied panel 20 ms, and 200 ms before its
// DAC curve; 1 s when the link is closed) plus every byte on the wire at the baud rate,
// 10 bit times each way. The simulator paces its bytes at that rate and does its memory
// work without a busy time, so nothing of the instrument's own speed enters.
//
// Each download is repeated (TOVU_BENCH_RUNS, 3) and its time shown as min and median; the
// commands it sends are compared, line by line and in order, with the sequence the protocol
// prescribes (DownloadSequence.h), so an extra command cannot hide in a floor counted from
// what was sent.
//
//   tovu_transfer_bench [--counts 1,2,4] [--baud 115200] [--kind alogs|panels]
// Exit status 1 when a download sends other commands than the protocol's (the difference is
// printed) or its fastest
// run costs more than the floor plus 5 %.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/link/Connection.h"
#include "app/link/DownloadEngine.h"
#include "app/link/ModelIdentification.h"
#include "app/link/SystemClock.h"
#include "instrument-sim/InstrumentSimulator.h"
#include "platform/serial/DevicePort.h"
#include "DownloadSequence.h"
#include "support/Figures.h"
#include "support/ProtocolFloor.h"
#include "support/SequenceDiff.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>
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

QList<int> parseCounts(const QString& text)
{
    QList<int> out;
    for (const QString& s : text.split(QLatin1Char(',')))
        out << s.toInt();
    return out;
}

// One download of slots 1..n from a fresh simulator: its time, the floor of what it sent,
// and how what it sent differs from the protocol's sequence (empty when it does not).
int downloadOnce(int n, int baud, bool panels, double* measuredMs, bench::Floor* floor, QString* sequenceDiff)
{
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
    // Exactly slots 1..n occupied, each a copy of the seeded first one with DAC and TCG
    // points and AVG on, so a slot read takes every branch (curves included).
    sim.editState([&](sim::InstrumentState& st) {
        auto& memory = panels ? st.panels : st.alogs;
        sim::StoredItem item = memory.at(1);
        item.settings.dacPoints = {{"40", "30.0"}, {"100", "36.0"}, {"160", "42.0"}};
        item.settings.tcgPoints = {{"30", "2.0"}, {"150", "8.0"}};
        item.settings.values["DM"] = item.settings.values["YM"] = "1";
        item.settings.values["EN"] = "5";
        memory.clear();
        for (int s = 1; s <= n; ++s)
            memory[s] = item;
    });
    const sim::InstrumentState before = sim.state();
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
    const link::TransferReport r = panels ? link::DownloadPanels(env, positions) : link::DownloadALogs(env, positions);
    *measuredMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
    sim.stop();
    if (!r.completed || static_cast<int>(r.transferred.size()) != n) {
        std::fprintf(stderr, "download of %d slots did not complete\n", n);
        return 2;
    }
    *floor = bench::floorOf(sim.transcript(), baud, {panels, true});
    bench::DownloadCase expected;
    expected.panels = panels;
    expected.slotCount = n;
    expected.model = before.model;
    expected.live = before.live;
    expected.item = (panels ? before.panels : before.alogs).at(1).settings;
    QStringList sent;
    for (const auto& e : sim.transcript())
        sent << QString::fromStdString(e.received);
    *sequenceDiff = bench::sequenceDiff(bench::expectedDownload(expected), sent, &bench::matches);
    return 0;
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
    const int repeats = bench::runs(3);
    std::vector<std::pair<int, double>> points;
    for (const int n : counts) {
        bench::Figures ms;
        bench::Floor f;
        QString diff;
        for (int run = 0; run < repeats; ++run) {
            double measured = 0;
            bench::Floor runFloor;
            QString runDiff;
            if (const int status = downloadOnce(n, baud, panels, &measured, &runFloor, &runDiff))
                return status;
            if (diff.isEmpty())
                diff = runDiff;
            f = runFloor;
            ms.add(measured);
        }
        const bool sequenceOk = diff.isEmpty();
        const double ratio = ms.min() / f.total();
        const bool ok = ratio <= 1.05 && sequenceOk;
        allOk &= ok;
        points.emplace_back(n, ms.min());
        std::printf("%-6s N=%3d  %5d commands (%s)  floor %9.1f ms (waits %9.1f + wire %7.1f)  "
                    "measured min %9.1f ms median %9.1f ms (%zu runs)  +%5.2f %%  %s\n",
                    panels ? "panels" : "alogs", n, f.commands, sequenceOk ? "the protocol's sequence" : "WRONG SEQUENCE",
                    f.total(), f.waitsMs, f.wireMs, ms.min(), ms.median(), ms.samples.size(), (ratio - 1.0) * 100.0,
                    ok ? "ok" : "OVER");
        if (!sequenceOk)
            std::printf("%s", diff.toLocal8Bit().constData());
        if (qEnvironmentVariableIsSet("TOVU_BENCH_VERBOSE"))
            std::printf("%s\n", f.listing.c_str());
    }
    // Growth: the cost per slot between successive counts, from the fastest runs.
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double perSlot = (points[i].second - points[i - 1].second) / (points[i].first - points[i - 1].first);
        std::printf("per slot from N=%d to N=%d: %.1f ms\n", points[i - 1].first, points[i].first, perSlot);
    }
    return allOk ? 0 : 1;
}
