#include "platform/serial/CommSettings.h"

#include <QStringList>

namespace tovu::platform::serial {

std::optional<CommSettings> CommSettings::parse(const QString& text)
{
    const QStringList f = text.split(QLatin1Char(','));
    if (f.size() != 4)
        return std::nullopt;
    bool ok = false;
    CommSettings s;
    s.baud = f[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return std::nullopt;
    const QString p = f[1].trimmed().toUpper();
    if (p.size() != 1 || !QStringLiteral("NEOMS").contains(p))
        return std::nullopt;
    s.parity = p[0].toLatin1();
    s.dataBits = f[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8)
        return std::nullopt;
    s.stopBits = f[3].trimmed().toInt(&ok);
    if (!ok || (s.stopBits != 1 && s.stopBits != 2))
        return std::nullopt;
    return s;
}

QString CommSettings::text() const
{
    return QStringLiteral("%1,%2,%3,%4").arg(baud).arg(QLatin1Char(parity)).arg(dataBits).arg(stopBits);
}

} // namespace tovu::platform::serial
