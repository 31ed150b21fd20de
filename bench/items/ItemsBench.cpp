// Figures for the item arrays and the saved-items file: resident memory of the arrays
// at start-up sizes, and the time to save and to open a full memory (10 000 ALogs and
// 100 panels with every curve, trace and note filled). Stores are built and destroyed
// outside the timed part; every figure is the min and the median of several runs, and
// the peak memory of an open is measured against the file's size. Prints figures and
// whether the targets hold (open 0.5 s, save 0.4 s, peak under 3 times the file).

#include "app/items/FileHandlingModule.h"
#include "items/FullItems.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <ctime>
#include <unistd.h>
#include <vector>

using namespace tovu::items;

namespace {

constexpr int kRuns = 7;

double residentMB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The kernel's high-water mark of resident memory, and its reset to the current size.
double peakMB()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
    return 0;
}
bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear.flush());
}

struct Figures {
    double min = 0;
    double median = 0;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Processor time of this process (user and system), which a busy machine stretches
// less than the wall clock.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace

int main()
{
    std::printf("sizeof(DFDRecord) %zu B, settings block %zu B, curve block %zu B\n",
                sizeof(DFDRecord), sizeof(RecordSettings), sizeof(RecordCurves));

    const double before = residentMB();
    auto startup = std::make_unique<ItemStore>();
    std::printf("arrays at start-up sizes (%zu + %zu + %zu records): %.2f MB resident\n",
                startup->WorkItems.size(), startup->Panels.size(), startup->ALogs.size(), residentMB() - before);
    for (int i = 1; i < static_cast<int>(startup->WorkItems.size()); ++i)
        startup->ClearDFDRecord(i);
    std::printf("after resetting every working record: %.2f MB resident\n", residentMB() - before);
    startup.reset();

    auto store = std::make_unique<ItemStore>();
    tovu::bench::fillFullMemory(*store);
    std::printf("resident with 10000 full ALogs and 100 panels: %.1f MB\n", residentMB());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.dfd"));
    bool ok = true;
    std::vector<double> saves;
    std::vector<double> saveCpu;
    for (int run = 0; run < kRuns; ++run) {
        const double c0 = cpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        ok = SaveItemsFile(*store, path, 1252).ok && ok;
        saves.push_back(msSince(t0));
        saveCpu.push_back(cpuMs() - c0);
    }
    const double fileMB = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    const Figures save = figures(saves);
    std::printf("save 10000 ALogs + 100 panels (%.1f MB file): min %.0f ms, median %.0f ms over %d runs (target 400 ms): %s\n",
                fileMB, save.min, save.median, kRuns, save.median < 400 ? "holds" : "MISSED");
    const Figures saveCpuMs = figures(saveCpu);
    std::printf("  processor time of a save: min %.0f ms, median %.0f ms\n", saveCpuMs.min, saveCpuMs.median);

    // Opening as the Open command does (records reset, the file read over them, the
    // records distributed), into a store built before and destroyed after the clock.
    std::vector<double> opens;
    std::vector<double> openCpu;
    double peak = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto target = std::make_unique<ItemStore>();
        const bool peakKnown = resetPeak();
        const double rssBefore = residentMB();
        const double c0 = cpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        const LoadResult res = OpenItemsFile(*target, path, 1252);
        opens.push_back(msSince(t0));
        openCpu.push_back(cpuMs() - c0);
        ok = ok && res.ok && res.report.empty() && target->ALogs[10000].InUse;
        if (peakKnown)
            peak = std::max(peak, peakMB() - rssBefore);
        target.reset();
    }
    const Figures open = figures(opens);
    std::printf("open 10000 ALogs + 100 panels: min %.0f ms, median %.0f ms over %d runs (target 500 ms): %s\n",
                open.min, open.median, kRuns, open.median < 500 ? "holds" : "MISSED");
    const Figures openCpuMs = figures(openCpu);
    std::printf("  processor time of an open: min %.0f ms, median %.0f ms\n", openCpuMs.min, openCpuMs.median);
    std::printf("peak memory of an open: %.1f MB, %.2f times the file (target under 3): %s\n", peak, peak / fileMB,
                peak < 3 * fileMB ? "holds" : "MISSED");

    // Reading alone, the records staged and not distributed.
    std::vector<double> reads;
    for (int run = 0; run < kRuns; ++run) {
        auto target = std::make_unique<ItemStore>();
        const auto t0 = std::chrono::steady_clock::now();
        StagedLoad staged = ReadItemsFile(*target, path, 1252, StagingBase::ResetRecords);
        reads.push_back(msSince(t0));
        ok = ok && staged.result.ok;
    }
    const Figures read = figures(reads);
    std::printf("read into staging only: min %.0f ms, median %.0f ms\n", read.min, read.median);
    if (!ok)
        std::printf("a save or an open FAILED\n");
    return ok ? 0 : 1;
}
