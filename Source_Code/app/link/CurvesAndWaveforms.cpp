#include "app/link/CurvesAndWaveforms.h"

#include "platform/text/NumberText.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/LinkError.h"
#include "app/link/ModelIdentification.h"
#include "app/link/ParameterGroups.h"
#include "app/link/PortAccess.h"
#include "app/link/Refusals.h"
#include "app/link/ReplyParsing.h"

#include <cmath>

namespace tovu::link {

namespace {

using items::DFDRecord;

struct PointFields {
    items::PointList items::RecordSettings::*x;
    items::PointList items::RecordSettings::*y;
    QString items::RecordSettings::*count;
    bool DFDRecord::*present;
    QLatin1String readCmd;
    QLatin1String writeCmd;
    QLatin1String rangeCmd;  // the two settings sent after the points
    QLatin1String distanceCmd;
    QString items::RecordSettings::*range;
    QString items::RecordSettings::*distance;
    int maxSent;
};

const PointFields& fieldsOf(CurveKind kind)
{
    using S = items::RecordSettings;
    static const PointFields dac{&S::DacX, &S::DacY, &S::DacPointCount, &DFDRecord::DacPresent,
                                 command::kReadDacPoints, command::kWriteDacPoints, command::kWriteDacRange,
                                 command::kWriteDacDistance, &S::DR, &S::DD, items::kMaxPoints};
    // The instrument takes at most 9 TCG points.
    static const PointFields tcg{&S::TcgX, &S::TcgY, &S::TcgPointCount, &DFDRecord::TcgPresent,
                                 command::kReadTcgPoints, command::kWriteTcgPoints, command::kWriteTcgRange,
                                 command::kWriteTcgDistance, &S::YR, &S::YD, items::kMaxPoints - 1};
    return kind == CurveKind::DAC ? dac : tcg;
}

int pointCount(const DFDRecord& rec, const PointFields& f)
{
    const QString& t = rec.settings().*f.count;
    bool ok = false;
    const double v = t.trimmed().toDouble(&ok);
    const auto n = ok ? platform::text::roundToInt32(v) : std::nullopt;
    if (!n || *n < 0 || *n > items::kMaxPoints)
        throw RecordValueError(QStringLiteral("Point count \"%1\" is not a number from 0 to 10").arg(t));
    return *n;
}

void storeArrays(DFDRecord& rec, const ArrayReply& a)
{
    items::RecordCurves& c = rec.editCurves();
    items::Curve* first = nullptr;
    items::Curve* second = nullptr;
    switch (a.target) {
    case ArrayTarget::Waveform: first = &c.WaveMin, second = &c.WaveMax; break;
    case ArrayTarget::DacCurve: first = &c.DacCurveA, second = &c.DacCurveB; break;
    case ArrayTarget::AvgCurve: first = &c.AvgCurveA, second = &c.AvgCurveB; break;
    case ArrayTarget::TcgCurve:
        for (std::size_t i = 0; i < a.first.size(); ++i)
            c.TcgCurve[i + 1] = a.first[i];
        return;
    case ArrayTarget::None: return;
    }
    for (std::size_t k = 0; k < a.first.size(); ++k) {
        (*first)[k] = a.first[k];
        (*second)[k] = a.second[k];
    }
}

LinkContext::LivePoints& livePointsOf(LinkContext& ctx, CurveKind kind)
{
    return ctx.livePoints[kind == CurveKind::DAC ? 0 : 1];
}

} // namespace

double Log10(double x) { return std::log(x) / 2.30258509299405; }

void ReadCurvePoints(LinkContext& ctx, int idx, CurveKind kind)
{
    const PointFields& f = fieldsOf(kind);
    ctx.store.workItem(idx);
    const QString cmd = f.readCmd;
    // A refused list is no list: the points are absent, as on an instrument without them.
    const std::optional<PointListReply> parsed =
        readSpecialParsed(ctx, cmd, [&](const QString& raw) { return parsePointList(cmd, raw); });
    const PointListReply reply = parsed.value_or(PointListReply());
    // The read answers for the live set-up; a refused read leaves it unknown.
    livePointsOf(ctx, kind).mayHold = parsed ? reply.present : ctx.refused.contains(cmd);
    DFDRecord& rec = ctx.store.workItem(idx);
    items::RecordSettings& s = rec.editSettings();
    if (!reply.present) {
        s.*f.count = platform::text::numberText(0LL);
        rec.*f.present = false;
        return;
    }
    for (std::size_t k = 0; k < reply.points.size(); ++k) {
        (s.*f.x)[k + 1] = reply.points[k].first;
        (s.*f.y)[k + 1] = reply.points[k].second;
    }
    s.*f.count = platform::text::numberText(static_cast<long long>(reply.points.size()));
    rec.*f.present = true;
}

void writeCurvePoints(LinkContext& ctx, const DFDRecord& rec, CurveKind kind)
{
    const PointFields& f = fieldsOf(kind);
    const int count = std::min(pointCount(rec, f), f.maxSent);
    if (count == 0)
        return;
    const items::RecordSettings& s = rec.settings();
    QString list;
    for (int k = 1; k <= count; ++k)
        list += QLatin1Char(',') + (s.*f.x)[static_cast<std::size_t>(k)] + QLatin1Char(',') + (s.*f.y)[static_cast<std::size_t>(k)];
    const QString cmd = f.writeCmd;
    // Taken or not, the instrument may hold points from here on.
    livePointsOf(ctx, kind).mayHold = true;
    for (int round = 0; round < kPointRounds; ++round) {
        if (WriteComm(ctx, cmd, list) == kAck) {
            writeSetting(ctx, f.rangeCmd, s.*f.range);
            writeSetting(ctx, f.distanceCmd, s.*f.distance);
            return;
        }
    }
    noteRefused(ctx, cmd);
}

void clearCurvePoints(LinkContext& ctx, CurveKind kind)
{
    LinkContext::LivePoints& live = livePointsOf(ctx, kind);
    if (!live.mayHold)
        return;
    if (!live.cannotClear) {
        QString reply;
        {
            // Not a refusal of the item: what it costs the item is noted below.
            const RefusalsAside aside(ctx);
            reply = writeSetting(ctx, fieldsOf(kind).writeCmd, QString());
        }
        // N/A: an instrument without such a curve holds no such points.
        if (reply == kAck || reply == kNotAvailable) {
            live.mayHold = false;
            return;
        }
        live.cannotClear = true;
    }
    const QString name = kind == CurveKind::DAC ? QStringLiteral("DAC") : QStringLiteral("TCG");
    if (!ctx.keptPoints.contains(name))
        ctx.keptPoints << name;
}

void WriteCurvePoints(LinkContext& ctx, int idx, CurveKind kind)
{
    const DFDRecord copy = ctx.store.workItem(idx);
    writeCurvePoints(ctx, copy, kind);
}

bool WriteALogWaveform(LinkContext& ctx, int idx)
{
    const items::RecordCurves& c = ctx.store.workItem(idx).curves();
    QString text;
    text.reserve(kWaveformSamplesSent * 12);
    for (int i = 0; i < kWaveformSamplesSent; ++i)
        text += QLatin1Char(',') + QString::number(c.WaveMin[static_cast<std::size_t>(i)]) + QLatin1Char(',')
            + QString::number(c.WaveMax[static_cast<std::size_t>(i)]);
    for (int send = 0; send < kWaveformSends; ++send)
        if (WriteComm(ctx, command::kWriteWaveform, text) == kAck)
            return true;
    return false;
}

bool ReadWaveformData(LinkContext& ctx, int idx, const QString& cmd)
{
    ctx.store.workItem(idx);
    const std::optional<ArrayReply> parsed = readSpecialParsed(ctx, cmd, [&](const QString& raw) {
        ArrayReply a = parseArrayReply(cmd, raw);
        // A tag without values (a reply cut short) is no array.
        if (a.target != ArrayTarget::None && a.first.empty())
            throw badReply(QStringLiteral("ReadWaveformData"), cmd, QStringLiteral("no values"));
        return a;
    });
    if (!parsed)
        return false;
    const ArrayReply& reply = *parsed;
    storeArrays(ctx.store.workItem(idx), reply);
    if (reply.target == ArrayTarget::TcgCurve) {
        // The TCG reply may trail bytes the next command must not see.
        try {
            ctx.port.setInBufferCount(0);
        } catch (const platform::serial::PortError& e) {
            throw LinkError(LinkErrorKind::PortFailure, QStringLiteral("ReadWaveformData"), lostInstrumentText(ctx, e.device()));
        }
    }
    return reply.target != ArrayTarget::None;
}

void ReadParamTS(LinkContext& ctx, int idx)
{
    ctx.store.workItem(idx);
    QString ts = readSpecial(ctx, command::kReadTimeStamp).value_or(QString());
    // Some instruments put the command in front of the raw reply.
    if (ts.startsWith(QLatin1String("ATS,")))
        ts.remove(0, 4);
    ctx.store.workItem(idx).editSettings().TimeStamp = ts;
}

void ReadParamsCDSH(LinkContext& ctx, int idx)
{
    ctx.store.workItem(idx);
    // A reading the instrument refused is no reading: the field keeps its reset value.
    const auto reading = [&](QLatin1String cmd) {
        const QString v = readSetting(ctx, cmd);
        return v == kNotAvailable && ctx.refused.contains(cmd) ? QString() : v;
    };
    const QString distance = reading(command::kReadDistance);
    const QString peak = reading(command::kReadPeak);
    DFDRecord& r = ctx.store.workItem(idx);
    r.editSettings().Distance = distance;
    r.editSettings().Peak = peak;
}

bool SameModelAsRecord0(LinkContext& ctx, int idx)
{
    return ctx.store.workItem(idx).ModelIndex == ctx.store.workItem(0).ModelIndex;
}

double dataVersionOf(const DFDRecord& rec)
{
    if (rec.DataVersion > 0)
        return rec.DataVersion;
    const items::Curve& b = rec.curves().DacCurveB;
    for (int i = 0; i < kWaveformSamplesSent; ++i)
        if (b[static_cast<std::size_t>(i)] == -1)
            return 3;
    return 2;
}

double GetDataVersion(LinkContext& ctx, int idx)
{
    DFDRecord& r = ctx.store.workItem(idx);
    r.DataVersion = dataVersionOf(r);
    return r.DataVersion;
}

void ConvertDACForFirmware(LinkContext& ctx, DFDRecord& rec)
{
    if (!rec.DacPresent)
        return;
    const int firmware = platform::text::roundToInt32(firmwareFigure(readFirmware(ctx))).value_or(0);
    const int version = platform::text::roundToInt32(rec.DataVersion).value_or(0);
    items::RecordSettings& s = rec.editSettings();
    const int count = pointCount(rec, fieldsOf(CurveKind::DAC));
    const double gainRef = platform::text::valueOfText(s.GainRef);
    if (firmware >= 3 && version < 3) {
        for (int k = 1; k <= count; ++k) {
            QString& y = s.DacY[static_cast<std::size_t>(k)];
            const double height = platform::text::valueOfText(y);
            if (!(height > 0))
                throw RecordValueError(QStringLiteral("DAC point %1 has height %2; it cannot become a gain").arg(k).arg(y));
            const double gain = gainRef + 20.0 * Log10(kReferenceHeight / height);
            const double back = kReferenceHeight * std::pow(10.0, (gainRef - gain) / 20.0);
            if (platform::text::roundToInt32(back) == platform::text::roundToInt32(NumericValue(y)))
                y = platform::text::plainNumber(gain);
            else
                rec.DacPresent = false;
        }
        s.YH = s.Gain;
        s.Gain = s.GainRef;
        rec.DataVersion = 3;
        writeCalibration(ctx, rec);
    } else if (firmware < 3 && version >= 3) {
        for (int k = 1; k <= count; ++k) {
            QString& y = s.DacY[static_cast<std::size_t>(k)];
            y = platform::text::plainNumber(kReferenceHeight * std::pow(10.0, (gainRef - platform::text::valueOfText(y)) / 20.0));
        }
        rec.DataVersion = 2;
    }
}

} // namespace tovu::link
