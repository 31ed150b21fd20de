#include "app/link/CurrentSettings.h"

#include "platform/text/NumberText.h"
#include "app/link/Connection.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/ItemArrays.h"
#include "app/link/LinkError.h"
#include "app/link/RecordTransfer.h"
#include "app/link/TransferSupport.h"

namespace tovu::link {

namespace {

constexpr int kLiveRecord = 0;
constexpr int kErrorTitleString = 6277;  // "Get All Alogs Error"

void readLive(LinkContext& ctx)
{
    {
        items::DFDRecord& r = ctx.store.workItem(kLiveRecord);
        r.InUse = r.WaveformPresent = r.DacCurvePresent = r.TcgCurvePresent = false;
    }
    // The identification inside may re-create the arrays: the record is looked up anew.
    ReadPanelSettings(ctx, kLiveRecord);
    readItemWaveform(ctx, kLiveRecord);
    ReadParamsCDSH(ctx, kLiveRecord);
    items::DFDRecord& r = ctx.store.workItem(kLiveRecord);
    r.editSettings().SlotText = platform::text::numberText(0LL);
    r.InUse = true;
    // The live set-up has no recall pacing and its TCG curve is the ALog's ("AYC").
    readItemCurves(ctx, SlotKind::ALog, kLiveRecord);
}

} // namespace

CurrentSettingsReport GetCurrentSettings(TransferEnv& env)
{
    LinkContext& ctx = env.link;
    CurrentSettingsReport report;
    const auto fail = [&](const QString& source, const QString& text) {
        report.errorSource = source;
        report.errorText = text;
        env.dialogs.message(source + u' ' + text, ctx.strings.GetResString(kErrorTitleString), LinkIcon::Critical);
        ctx.Active = true;
        CloseComm(ctx);
    };
    ctx.store.LiveSettingsShown = true;
    takeRefusals(ctx);
    try {
        OpenComm(ctx);
        readLive(ctx);
        CloseComm(ctx);
        report.completed = true;
    } catch (const LinkError& e) {
        fail(e.Source(), e.Description());
    } catch (const std::exception& e) {
        fail(QStringLiteral("mnuGetCurrentSettings"), QString::fromLocal8Bit(e.what()));
    }
    report.refused = takeRefusals(ctx);
    // Like a transfer's closing message: one box for what was refused, none when all was
    // read; after an error, the error's box alone.
    if (report.completed && !report.refused.isEmpty())
        env.dialogs.message(refusedLine(ctx, ctx.strings.GetResString(kLiveSettingsItemString), report.refused, false),
                            ctx.strings.GetResString(kLiveReadWithNotesString), LinkIcon::Exclamation);
    return report;
}

} // namespace tovu::link
