#pragma once
// A record with a distinct text in every instrument field ("v" and its code), so a
// transcript shows which field went out with which command.

#include "app/items/RecordFields.h"
#include "app/link/ParameterGroups.h"

#include <QString>
#include <QStringList>

namespace tovu::link::test {

inline QString v(const char* code) { return QStringLiteral("v") + QLatin1String(code); }
inline QString W(const char* cmd, const char* code) { return QLatin1String(cmd) + v(code); }
inline QString L(const char* cmd, const char* literal) { return QLatin1String(cmd) + QLatin1String(literal); }

inline void fillDistinct(items::DFDRecord& r)
{
    for (const QString& code : groupParameterCodes()) {
        const auto* f = items::fieldByInstrumentCode(code.toStdString());
        f->text(r.editSettings()) = QStringLiteral("v") + code;
    }
    for (const char* gate : {"A", "B", "I"})
        for (const char* k : {"G", "S", "W", "L"}) {
            const std::string code = std::string(k) + gate;
            items::fieldByInstrumentCode(code)->text(r.editSettings()) = QStringLiteral("v") + QString::fromStdString(code);
        }
}

// Gate writes for one gate: level, start, width, state.
inline QStringList gateWrites(const char* g)
{
    const QString x = QLatin1String(g);
    return {QStringLiteral("WL") + x + QStringLiteral("vL") + x, QStringLiteral("WS") + x + QStringLiteral("vS") + x,
            QStringLiteral("WW") + x + QStringLiteral("vW") + x, QStringLiteral("WG") + x + QStringLiteral("vG") + x};
}

} // namespace tovu::link::test
