// A stored ALog for the benchmarks: a weld report's settings, notes and a trace that
// differs from item to item, so that no two items draw or save alike.
#pragma once

#include "app/items/DFDRecord.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace tovu::bench {

inline void fillALog(items::DFDRecord& r, int n)
{
    r.InUse = true;
    r.WaveformPresent = true;
    r.ModelIndex = 21;
    items::RecordSettings& s = r.editSettings();
    s.SlotText = QString::number(n);
    s.IdentText = QStringLiteral("VELTRIS 150 V2.10");
    s.TimeStamp = QStringLiteral("14/03/2024 10:42:07");
    s.Range = QString::number(100 + n % 400) + QStringLiteral(".0");
    s.Velocity = QStringLiteral("5920");
    s.Gain = QString::number(20 + n % 40) + QStringLiteral(".5");
    s.Gates[0] = {QStringLiteral("1"), QStringLiteral("10.0"), QStringLiteral("20.0"), QStringLiteral("40")};
    s.NoteLabel = QStringLiteral("W") + QString::number(n);
    s.NoteOperator = QStringLiteral("J. Smith");
    s.NoteProbe = QStringLiteral("MSEB4");
    s.NoteText = QStringLiteral("Root indication near the cap, 12 mm");
    items::RecordCurves& c = r.editCurves();
    for (int i = 0; i < items::kCurveLength; ++i) {
        c.WaveMin[static_cast<std::size_t>(i)] = static_cast<std::int16_t>((i * 11 + n) % 128);
        c.WaveMax[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(128 + (i * 13 + n) % 127);
    }
}

} // namespace tovu::bench
