// Figures for the item arrays and the saved-items file: resident memory of the arrays
// at start-up sizes, and the time to save and open a full memory (10 000 ALogs with
// traces, curves and notes, 100 panels). Prints figures; asserts nothing.

#include "app/items/FileHandlingModule.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace tovu::items;

namespace {

double residentMB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

template <typename F>
double bestMs(int runs, F f)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

void fillItem(DFDRecord& r, int n, bool alog)
{
    r.InUse = true;
    r.ModelIndex = static_cast<std::int16_t>(36 + n % 7);
    r.DataVersion = 3;
    RecordSettings& s = r.editSettings();
    s.SlotText = QString::number(n);
    s.IdentText = QStringLiteral("VELTRIS D-10 V3.02");
    s.TimeStamp = QStringLiteral("14/03/2024 10:42:07");
    s.Range = QString::number(100 + n % 400) + QStringLiteral(".0");
    s.Delay = QStringLiteral("0.00");
    s.Velocity = QStringLiteral("5920");
    s.Gain = QString::number(20 + n % 40) + QStringLiteral(".5");
    for (auto& g : s.Gates)
        g = Gate{QStringLiteral("1"), QStringLiteral("10.0"), QStringLiteral("20.0"), QStringLiteral("40")};
    s.DacMode = QStringLiteral("1");
    s.DacPointCount = QStringLiteral("10");
    s.TcgMode = QStringLiteral("1");
    s.TcgPointCount = QStringLiteral("10");
    for (int i = 1; i <= 10; ++i) {
        s.DacX[i] = s.TcgX[i] = QString::number(i * 10) + QStringLiteral(".0");
        s.DacY[i] = s.TcgY[i] = QString::number(100 - i * 7);
    }
    s.NoteLabel = QStringLiteral("W") + QString::number(n);
    s.NoteOperator = QStringLiteral("J. Smith");
    s.NoteLocation = QStringLiteral("Pipe rack 4, north");
    s.NoteProbe = QStringLiteral("MWB45");
    s.NoteText = QStringLiteral("Root indication near the cap, 12 mm; to be re-tested next shift");
    s.Memo = QStringLiteral("first line of the memo\r\nsecond line\r\nthird");
    r.DacCurvePresent = r.AvgCurvePresent = r.TcgCurvePresent = true;
    r.WaveformPresent = alog;
    RecordCurves& c = r.editCurves();
    for (int i = 0; i < kCurveLength; ++i) {
        c.WaveMin[i] = static_cast<std::int16_t>((i * 11 + n) % 128);
        c.WaveMax[i] = static_cast<std::int16_t>(128 + (i * 13 + n) % 127);
        c.DacCurveA[i] = static_cast<std::int16_t>(200 - i % 200);
        c.DacCurveB[i] = static_cast<std::int16_t>(i % 50 == 0 ? -1 : i);
        c.AvgCurveA[i] = static_cast<std::int16_t>(i * 3 % 255);
        c.AvgCurveB[i] = static_cast<std::int16_t>(i * 5 % 255);
        c.TcgCurve[i] = static_cast<std::int16_t>(i * 7 % 120 - 20);
    }
}

} // namespace

int main()
{
    std::printf("sizeof(DFDRecord) %zu B, settings block %zu B, curve block %zu B\n",
                sizeof(DFDRecord), sizeof(RecordSettings), sizeof(RecordCurves));

    const double before = residentMB();
    auto startup = std::make_unique<ItemStore>();
    const double after = residentMB();
    std::printf("arrays at start-up sizes (%zu + %zu + %zu records): %.2f MB resident\n",
                startup->WorkItems.size(), startup->Panels.size(), startup->ALogs.size(),
                after - before);
    // The Open command resets every working record before it reads a file.
    for (int i = 1; i < static_cast<int>(startup->WorkItems.size()); ++i)
        startup->ClearDFDRecord(i);
    std::printf("after resetting every working record: %.2f MB resident\n", residentMB() - before);
    startup.reset();

    auto store = std::make_unique<ItemStore>();
    for (int i = 1; i <= store->MaxALogs; ++i)
        fillItem(store->ALogs[i], i, true);
    for (int i = 1; i <= store->MaxPanels; ++i)
        fillItem(store->Panels[i], i, false);
    std::printf("resident with 10000 full ALogs and 100 panels: %.1f MB\n", residentMB());

    std::size_t formatted = 0;
    const double formatMs = bestMs(3, [&] {
        LineBuffer out(1252);
        for (int i = 1; i <= store->MaxPanels; ++i)
            WriteItemRecord(store->Panels[i], i, PanelKind, out);
        for (int i = 1; i <= store->MaxALogs; ++i)
            WriteItemRecord(store->ALogs[i], i, ALogKind, out);
        formatted = static_cast<std::size_t>(out.view().size());
    });
    std::printf("format only (no disk): %.0f ms for %zu bytes\n", formatMs, formatted);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.dfd"));
    bool saved = true;
    const double saveMs = bestMs(3, [&] { saved = SaveItemsFile(*store, path, 1252).ok && saved; });
    std::printf("save 10000 ALogs + 100 panels: %.0f ms (%s), file %.1f MB\n", saveMs,
                saved ? "ok" : "FAILED", static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0));

    // Opening as the Open command does: every working record reset, the file read over
    // them, the records distributed.
    bool loaded = true;
    const double openMs = bestMs(3, [&] {
        auto target = std::make_unique<ItemStore>();
        loaded = OpenItemsFile(*target, path, 1252).ok && loaded;
    });
    std::printf("open 10000 ALogs + 100 panels: %.0f ms (%s)\n", openMs, loaded ? "ok" : "FAILED");

    const double loadOnlyMs = bestMs(3, [&] {
        auto target = std::make_unique<ItemStore>();
        loaded = LoadItemsFile(*target, path, 1252).ok && loaded;
    });
    std::printf("load into fresh arrays: %.0f ms (%s)\n", loadOnlyMs, loaded ? "ok" : "FAILED");
    return saved && loaded ? 0 : 1;
}
