// Tools, Get Current Settings: the instrument's settings, live A-scan and curves read into
// record 0 and shown like an opened item.
#include "app/mainwindow/frmmain.h"

#include "platform/text/NumberText.h"
#include "app/link/Connection.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/LinkError.h"
#include "app/link/RecordTransfer.h"

namespace tovu::mainwindow {

namespace {
constexpr int kAgcOption = 12;
constexpr int kFirstAgcModel = 11;
} // namespace

void frmmain::mnuGetCurrentSettings_Click()
{
    link::LinkContext& l = ctx_.link;
    items::ItemStore& store = ctx_.store;
    try {
        store.LiveSettingsShown = true;
        link::OpenComm(l);
        {
            items::DFDRecord& r = store.workItem(0);
            r.InUse = false;
            r.WaveformPresent = false;
            r.DacCurvePresent = false;
            r.TcgCurvePresent = false;
        }
        // The identification inside may re-create the arrays: the record is looked up anew.
        link::ReadPanelSettings(l, 0);
        link::ReadWaveformData(l, 0, QStringLiteral("AWT"));
        link::ReadParamsCDSH(l, 0);
        items::DFDRecord& r = store.workItem(0);
        r.editSettings().SlotText = platform::text::numberText(0LL);
        r.InUse = true;
        r.WaveformPresent = true;
        r.DacCurvePresent = r.DacPresent;
        if (r.DacPresent)
            link::ReadWaveformData(l, 0, QStringLiteral("ADC"));
        r.TcgCurvePresent = r.TcgPresent;
        if (r.TcgPresent)
            link::ReadWaveformData(l, 0, QStringLiteral("AYC"));
        r.AvgCurvePresent = r.settings().AvgMode == u"5";
        if (r.AvgCurvePresent)
            link::ReadWaveformData(l, 0, QStringLiteral("AAC"));
        link::CloseComm(l);
        menus_.mnuCopyClipBoardOptions[kAgcOption]->setEnabled(r.ModelIndex >= kFirstAgcModel);
        ctx_.display.DrawAScan(0);
        ShowALogSettings(0);
        ShowItemNotes(0);
        setShownItem(0);
        setCaptionBase(programTitle() + u' ' +
                       l.ModelNames.at(static_cast<std::size_t>(std::clamp<int>(r.ModelIndex, 0, items::kModelCount - 1))));
    } catch (const link::LinkError& e) {
        ctx_.ui.message(e.Source() + u' ' + e.Description(), ctx_.language.GetResString(ids::GetAllALogsError), MessageIcon::Critical);
        l.Active = true;
        link::CloseComm(l);
    } catch (const std::exception& e) {
        ctx_.ui.message(QStringLiteral("mnuGetCurrentSettings ") + QString::fromLocal8Bit(e.what()),
                        ctx_.language.GetResString(ids::GetAllALogsError), MessageIcon::Critical);
        link::CloseComm(l);
    }
}

} // namespace tovu::mainwindow
