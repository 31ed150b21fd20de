#include "app/link/ReplyParsing.h"

#include "platform/text/FieldText.h"
#include "platform/text/NumberText.h"
#include "app/link/Commands.h"
#include "app/link/LinkError.h"

#include <cmath>

namespace tovu::link {

namespace {

const QString kSource = QStringLiteral("Reply");

LinkError bad(const QString& cmd, const QString& why)
{
    return badReply(kSource, cmd, why);
}

ArrayTarget targetOfTag(const QString& cmd, const QString& tag)
{
    const QString t = tag.trimmed();
    if (t == command::kReadWaveform)
        return ArrayTarget::Waveform;
    if (t == command::kReadDacCurve)
        return ArrayTarget::DacCurve;
    if (t == command::kReadAvgCurve)
        return ArrayTarget::AvgCurve;
    if (t == QLatin1String("YC") || t == command::kReadALogTcgCurve || t == command::kReadPanelTcgCurve)
        return ArrayTarget::TcgCurve;
    Q_UNUSED(cmd);
    return ArrayTarget::None;
}

} // namespace

QStringList dataFields(const QString& reply)
{
    QStringList f = reply.split(QLatin1Char(','));
    f.removeFirst();
    if (!f.isEmpty() && f.last().trimmed().isEmpty())
        f.removeLast();
    return f;
}

PointListReply parsePointList(const QString& cmd, const QString& reply)
{
    PointListReply out;
    if (reply.size() < 7)
        return out;
    if (!reply.contains(QLatin1Char(',')))
        throw bad(cmd, QStringLiteral("no point list"));
    const QStringList f = dataFields(reply);
    if (f.size() % 2 != 0)
        throw bad(cmd, QStringLiteral("a point without its partner"));
    if (f.size() / 2 > items::kMaxPoints)
        throw bad(cmd, QStringLiteral("%1 points, at most %2 fit").arg(f.size() / 2).arg(items::kMaxPoints));
    for (qsizetype i = 0; i + 1 < f.size(); i += 2) {
        for (const QString& v : {f[i], f[i + 1]})
            if (!platform::text::strictDouble(v))
                throw bad(cmd, QStringLiteral("point value \"%1\" is not a number").arg(v.left(20)));
        out.points.emplace_back(f[i], f[i + 1]);
    }
    out.present = !out.points.empty();
    return out;
}

std::int16_t wireSample(const QString& cmd, const QString& field)
{
    bool ok = false;
    const double v = field.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw bad(cmd, QStringLiteral("\"%1\" is not a number").arg(field.left(20)));
    const auto r = platform::text::roundToInt32(v);
    if (!r || *r < -32768 || *r > 65535)
        throw bad(cmd, QStringLiteral("%1 does not fit 16 bits").arg(field.left(20)));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(*r & 0xFFFF));
}

ArrayReply parseArrayReply(const QString& cmd, const QString& reply)
{
    ArrayReply out;
    if (reply.size() <= 1)
        return out;
    const QString tag = reply.section(QLatin1Char(','), 0, 0);
    out.target = targetOfTag(cmd, tag);
    if (out.target == ArrayTarget::None)
        throw bad(cmd, QStringLiteral("unknown tag \"%1\"").arg(tag.left(20)));
    const QStringList f = dataFields(reply);
    if (out.target == ArrayTarget::TcgCurve) {
        if (f.size() > items::kCurveLength - 1)
            throw bad(cmd, QStringLiteral("%1 values, at most %2 fit").arg(f.size()).arg(items::kCurveLength - 1));
        for (const QString& v : f)
            out.first.push_back(wireSample(cmd, v));
        return out;
    }
    if (f.size() % 2 != 0)
        throw bad(cmd, QStringLiteral("a sample without its partner"));
    if (f.size() / 2 > items::kCurveLength)
        throw bad(cmd, QStringLiteral("%1 pairs, at most %2 fit").arg(f.size() / 2).arg(items::kCurveLength));
    for (qsizetype i = 0; i + 1 < f.size(); i += 2) {
        out.first.push_back(wireSample(cmd, f[i]));
        out.second.push_back(wireSample(cmd, f[i + 1]));
    }
    return out;
}

bool wellFormedSlotList(const QString& list)
{
    const QStringList f = list.split(QLatin1Char(','));
    for (qsizetype i = 1; i < f.size(); ++i) {
        bool ok = false;
        if (f[i].trimmed().toInt(&ok) < 0 || !ok)
            return false;
    }
    return true;
}

bool slotListed(const QString& list, int n)
{
    if (list.size() <= 1)
        return false;
    const QStringList f = list.split(QLatin1Char(','));
    for (qsizetype i = 1; i < f.size(); ++i) {
        bool ok = false;
        const int v = f[i].trimmed().toInt(&ok);
        if (ok && v == n)
            return true;
    }
    return false;
}

} // namespace tovu::link
