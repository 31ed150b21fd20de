// Memory items with every part filled: settings, gates, DAC and TCG points, notes, memo,
// the trace and all three curves, differing from item to item. The items benchmarks and
// the item-opening benchmark of the window use the same records.
#pragma once

#include "app/items/ItemStore.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace tovu::bench {

inline void fillFullItem(items::DFDRecord& r, int n, bool alog)
{
    using namespace tovu::items;
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
    for (std::size_t i = 1; i <= 10; ++i) {
        s.DacX[i] = s.TcgX[i] = QString::number(i * 10) + QStringLiteral(".0");
        s.DacY[i] = s.TcgY[i] = QString::number(100 - static_cast<int>(i) * 7);
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
        const auto k = static_cast<std::size_t>(i);
        c.WaveMin[k] = static_cast<std::int16_t>((i * 11 + n) % 128);
        c.WaveMax[k] = static_cast<std::int16_t>(128 + (i * 13 + n) % 127);
        c.DacCurveA[k] = static_cast<std::int16_t>(200 - i % 200);
        c.DacCurveB[k] = static_cast<std::int16_t>(i % 50 == 0 ? -1 : i);
        c.AvgCurveA[k] = static_cast<std::int16_t>(i * 3 % 255);
        c.AvgCurveB[k] = static_cast<std::int16_t>(i * 5 % 255);
        c.TcgCurve[k] = static_cast<std::int16_t>(i * 7 % 120 - 20);
    }
}

// Every ALog and panel of the store filled, as a full memory of the largest instrument.
inline void fillFullMemory(items::ItemStore& store)
{
    for (int i = 1; i <= store.MaxALogs; ++i)
        fillFullItem(store.ALogs[static_cast<std::size_t>(i)], i, true);
    for (int i = 1; i <= store.MaxPanels; ++i)
        fillFullItem(store.Panels[static_cast<std::size_t>(i)], i, false);
}

} // namespace tovu::bench
