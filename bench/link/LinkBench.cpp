// How close a whole-record transfer comes to the protocol's own floor: the waits the
// protocol mandates (50 ms before every command exchange, 0.5 s before "ARM", "ALM" and
// "AMF", 100 ms before the measurement group) plus every byte on the wire at the baud
// rate (10 bit times each way). The simulator paces its bytes at that rate and keeps a
// transcript, from which the floor is counted; the link's own clock plays no part in it.
// The simulator hands a paced byte over at the start of its ten bit times, so at low rates
// a transfer can come in just under the floor (by up to one byte time per reply).
//
//   tovu_link_bench [--rates 115200,9600] [--rounds N]   (N also from TOVU_BENCH_RUNS; 3)
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
#include "support/Figures.h"
#include "support/ProtocolFloor.h"

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

struct Result {
    double measuredMs;
    bench::Floor floor;
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
    return {ms, bench::floorOf(sim.transcript(), baud)};
}

// The runs of one transfer: every run must send the same commands (so none can hide in a
// floor of its own), and the fastest run is held to the floor plus 5 %.
bool report(const char* what, int baud, const std::vector<Result>& runs)
{
    const bench::Floor& floor = runs.front().floor;
    if (qEnvironmentVariableIsSet("TOVU_BENCH_VERBOSE"))
        std::printf("%s\n", floor.listing.c_str());
    bench::Figures ms;
    bool sameCommands = true;
    for (const Result& r : runs) {
        ms.add(r.measuredMs);
        sameCommands &= r.floor.listing == floor.listing;
    }
    const double ratio = ms.min() / floor.total();
    const bool ok = ratio <= 1.05 && sameCommands;
    std::printf("%-6s %7d baud  %4d commands%s %6ld bytes  floor %8.1f ms (waits %7.1f + wire %7.1f)  measured min %8.1f ms "
                "median %8.1f ms (%zu runs)  +%5.2f %%  %s\n",
                what, baud, floor.commands, sameCommands ? "" : " (VARYING)", floor.bytes, floor.total(), floor.waitsMs,
                floor.wireMs, ms.min(), ms.median(), ms.samples.size(), (ratio - 1.0) * 100.0, ok ? "ok" : "OVER");
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList rates = {QStringLiteral("115200"), QStringLiteral("9600")};
    int rounds = bench::runs(3);
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
        std::vector<Result> reads;
        std::vector<Result> writes;
        for (int round = 0; round < rounds; ++round) {
            link::TransferScope transfer(ctx);
            reads.push_back(measure(sim, baud, [&] { link::ReadPanelSettings(ctx, 0); }));
            store.WorkItems[1] = store.WorkItems[0];
            writes.push_back(measure(sim, baud, [&] { link::WritePanelSettings(ctx, 1); }));
        }
        allOk &= report("read", baud, reads);
        allOk &= report("write", baud, writes);
        link::CloseComm(ctx);
        sim.stop();
    }
    return allOk ? 0 : 1;
}
