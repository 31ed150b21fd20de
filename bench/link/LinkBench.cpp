// How close a whole-record transfer comes to the protocol's own floor: the waits the
// protocol mandates (50 ms before every command exchange, 0.5 s before "ARM", "ALM" and
// "AMF", 100 ms before the measurement group) plus every byte on the wire at the baud
// rate (10 bit times each way). The simulator paces its bytes at that rate and keeps a
// transcript, from which the floor is counted; the link's own clock plays no part in it.
// The simulator hands a paced byte over at the start of its ten bit times, so at low rates
// a transfer can come in just under the floor (by up to one byte time per reply).
//
//   tovu_link_bench [--rates 115200,9600] [--rounds N]
// Exit status 1 when a transfer costs more than the floor plus 5 %.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/link/Connection.h"
#include "app/link/LinkContext.h"
#include "app/link/ModelIdentification.h"
#include "app/link/RecordTransfer.h"
#include "app/link/SystemClock.h"
#include "instrument-sim/InstrumentSimulator.h"
#include "platform/serial/DevicePort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QThread>
#include <cstdio>
#include <set>
#include <string>

using namespace tovu;

namespace {

struct Strings : items::StringSource {
    QString GetResString(int id) const override { return QString::number(id); }
};

// Exchanges that go through the raw primitive: no command gap before them.
const std::set<std::string> kRaw = {"AMD", "APL", "AWL", "ATS", "RRP", "RYP", "AWT", "ADC", "AAC", "AYC", "RYC"};
const std::set<std::string> kPreWait = {"ARM", "ALM", "AMF"};

struct Floor {
    double waitsMs = 0;
    double wireMs = 0;
    int commands = 0;
    long bytes = 0;
    std::string listing;
    double total() const { return waitsMs + wireMs; }
};

Floor floorOf(const std::vector<sim::TranscriptEntry>& entries, int baud)
{
    Floor f;
    for (const auto& e : entries) {
        const std::string cmd = e.received.substr(0, 3);
        ++f.commands;
        f.listing += cmd + ' ';
        if (!kRaw.count(cmd))
            f.waitsMs += 50;
        if (kPreWait.count(cmd))
            f.waitsMs += 500;
        if (cmd == "RAG")
            f.waitsMs += 100;
        f.bytes += static_cast<long>(e.received.size() + 1 + e.sent.size());
    }
    f.wireMs = f.bytes * 10.0 * 1000.0 / baud;
    return f;
}

struct Result {
    double measuredMs;
    Floor floor;
};

template <typename Op>
Result measure(sim::InstrumentSimulator& sim, int baud, Op&& op)
{
    // The simulator files an exchange once its reply has gone out: let it catch up before
    // and after, outside the measured time.
    QThread::msleep(200);
    sim.clearTranscript();
    QElapsedTimer t;
    t.start();
    op();
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    QThread::msleep(200);
    return {ms, floorOf(sim.transcript(), baud)};
}

bool report(const char* what, int baud, const Result& r)
{
    if (qEnvironmentVariableIsSet("TOVU_BENCH_VERBOSE"))
        std::printf("%s\n", r.floor.listing.c_str());
    const double ratio = r.measuredMs / r.floor.total();
    const bool ok = ratio <= 1.05;
    std::printf("%-6s %7d baud  %4d commands %6ld bytes  floor %8.1f ms (waits %7.1f + wire %7.1f)  measured %8.1f ms  "
                "+%5.2f %%  %s\n",
                what, baud, r.floor.commands, r.floor.bytes, r.floor.total(), r.floor.waitsMs, r.floor.wireMs,
                r.measuredMs, (ratio - 1.0) * 100.0, ok ? "ok" : "OVER");
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList rates = {QStringLiteral("115200"), QStringLiteral("9600")};
    int rounds = 2;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rates"))
            rates = args[i + 1].split(QLatin1Char(','));
        if (args[i] == QLatin1String("--rounds"))
            rounds = args[i + 1].toInt();
    }
    bool allOk = true;
    for (const QString& rateText : rates) {
        const int baud = rateText.toInt();
        sim::SimOptions o;
        o.baud = baud;
        o.paceAtBaud = true;
        o.instrument.model = 36;
        o.quiet = true;
        sim::InstrumentSimulator sim(o);
        std::string error;
        if (!sim.start(&error)) {
            std::fprintf(stderr, "simulator: %s\n", error.c_str());
            return 2;
        }
        const QString path = QString::fromStdString(sim.slavePath());
        platform::serial::DevicePort port(platform::serial::PortMap(
            [&](const QString&, const QString& key) { return key == QLatin1String("COM1") ? path : QString(); }));
        port.setSettings(rateText + QStringLiteral(",N,8,1"));
        link::SystemClock clock;
        link::QtEventPump pump(clock);
        items::ItemStore store;
        Strings strings;
        link::LinkContext ctx(port, clock, pump, store, strings);
        link::OpenComm(ctx);
        link::GetInstrumentModel(ctx, 0);
        for (int round = 0; round < rounds; ++round) {
            link::TransferScope transfer(ctx);
            allOk &= report("read", baud, measure(sim, baud, [&] { link::ReadPanelSettings(ctx, 0); }));
            store.WorkItems[1] = store.WorkItems[0];
            allOk &= report("write", baud, measure(sim, baud, [&] { link::WritePanelSettings(ctx, 1); }));
        }
        link::CloseComm(ctx);
        sim.stop();
    }
    return allOk ? 0 : 1;
}
