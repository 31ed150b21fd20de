#include "app/link/ItemArrays.h"

#include "platform/text/NumberText.h"
#include "app/link/Commands.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/ModelIdentification.h"

namespace tovu::link {

namespace {

constexpr int kDacCurveWaitMs = 200;   // before a panel's DAC curve
constexpr int kTcgCurveWaitMs = 2;     // before a panel's TCG curve on early models
constexpr int kFirstModelWithTcgPace = 11;

} // namespace

bool readItemArrays(LinkContext& ctx, int s, const QString& cmd, items::Curve items::RecordCurves::*a,
                    items::Curve items::RecordCurves::*b, bool items::DFDRecord::*present)
{
    const bool got = ReadWaveformData(ctx, s, cmd);
    items::DFDRecord& r = ctx.store.workItem(s);
    r.*present = got;
    if (!got) {
        (r.editCurves().*a).fill(0);
        if (b)
            (r.editCurves().*b).fill(0);
    }
    return got;
}

bool readItemWaveform(LinkContext& ctx, int s)
{
    return readItemArrays(ctx, s, command::kReadWaveform, &items::RecordCurves::WaveMin, &items::RecordCurves::WaveMax,
                          &items::DFDRecord::WaveformPresent);
}

void readItemCurves(LinkContext& ctx, SlotKind kind, int s)
{
    using C = items::RecordCurves;
    using R = items::DFDRecord;
    const bool panel = kind == SlotKind::Panel;
    if (ctx.store.workItem(s).DacPresent) {
        if (panel)
            ctx.clock.sleepMs(kDacCurveWaitMs);
        readItemArrays(ctx, s, command::kReadDacCurve, &C::DacCurveA, &C::DacCurveB, &R::DacCurvePresent);
    } else {
        ctx.store.workItem(s).DacCurvePresent = false;
    }
    if (ctx.store.workItem(s).TcgPresent) {
        if (panel && GetInstrumentModel(ctx, 0) < kFirstModelWithTcgPace)
            ctx.clock.sleepMs(kTcgCurveWaitMs);
        readItemArrays(ctx, s, panel ? command::kReadPanelTcgCurve : command::kReadALogTcgCurve, &C::TcgCurve, nullptr,
                       &R::TcgCurvePresent);
    } else {
        ctx.store.workItem(s).TcgCurvePresent = false;
    }
    if (platform::text::valueOfText(ctx.store.workItem(s).settings().AvgMode) == kAvgOn)
        readItemArrays(ctx, s, command::kReadAvgCurve, &C::AvgCurveA, &C::AvgCurveB, &R::AvgCurvePresent);
    else
        ctx.store.workItem(s).AvgCurvePresent = false;
}

} // namespace tovu::link
