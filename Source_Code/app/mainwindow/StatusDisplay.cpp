// The instrument status display: the status read shown in the memory tree and the status
// report; the read itself is the link's (app/link/StatusRead).
#include "app/mainwindow/frmmain.h"

#include "platform/text/NumberText.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/StatusRead.h"
#include "app/mainwindow/Icons.h"
#include "app/mainwindow/ReportStatusDialog.h"

#include <QApplication>
#include <algorithm>
#include <QLabel>

namespace tovu::mainwindow {

namespace {

constexpr int kAgcOption = 12;
constexpr int kFirstAgcModel = 11;
constexpr int kFirstOwnPictureModel = 35;

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

// The memory tree follows the status read: the model at its root, the slots of the bank
// being read, and the ticks of the occupied ones.
class frmmain::StatusTree final : public link::StatusReadView {
public:
    explicit StatusTree(frmmain& w) : w_(w) {}

    void modelRead(int model, bool supported) override
    {
        if (!supported)
            w_.ctx_.ui.message(w_.ctx_.language.GetResString(ids::UnsupportedModel), w_.programTitle(), MessageIcon::None);
        const QString rootText =
            w_.ctx_.link.ModelNames.at(static_cast<std::size_t>(std::clamp(model, 0, items::kModelCount - 1)));
        w_.tree_->setCurrentItem(w_.tree_->node(kRootNode));
        w_.tree_->setCaption(kRootNode, rootText);
        w_.tree_->setRootPicture(
            iconResource(model >= kFirstOwnPictureModel ? IconResource::Detector : IconResource::YellowDetector));
    }

    void bankStarting(link::SlotRow row, int bank, int perBank) override
    {
        const bool panels = row == link::SlotRow::Panels;
        const int firstNode = panels ? kFirstPanelNode : kFirstALogNode;
        const QString caption = w_.ctx_.language.GetResString(panels ? 152 : 153);
        for (int i = 1; i <= perBank; ++i) {
            w_.tree_->setCaption(firstNode + i - 1, caption + u' ' + QString::number(bank * perBank + i));
            w_.tree_->setSlotState(firstNode + i - 1, false);
        }
    }

    void bankRead(link::SlotRow row, int bank) override
    {
        if (row == link::SlotRow::Panels)
            w_.RE_DRAW_TICKS_ON_PANEL(QString::number(bank), QString());
        else
            w_.RE_DRAW_TICKS_ON_PANEL(QString(), QString::number(bank));
    }

    void allBanksRead(link::SlotRow row) override
    {
        if (row == link::SlotRow::Panels)
            w_.mnuPanelMem_Click(1);
        else
            w_.mnuAlogMem_Click(1);
    }

private:
    frmmain& w_;
};

void frmmain::statusRead(bool all, bool panels, bool alogs, bool show)
{
    discarded_ = false;
    Current_Status_DFD(all, panels, alogs, show);
    // The user let the items go for an instrument of another memory size.
    if (discarded_) {
        setModified(false);
        if (listModel_->count() > 0)
            FillItemList();
    }
}

void frmmain::Current_Status_DFD(bool& GET_ALL_STATUS, bool& GET_PANELS, bool& GET_ALOGS, bool& ShowScreen)
{
    link::LinkContext& l = ctx_.link;
    items::ItemStore& store = ctx_.store;
    const items::StringSource& s = ctx_.language;
    WaitCursor hourglass;
    try {
        link::StatusRequest request;
        request.allBanks = GET_ALL_STATUS;
        request.panels = GET_PANELS;
        request.alogs = GET_ALOGS;
        request.panelBank = pages_.panelPage - 1;
        request.alogBank = pages_.alogBank;
        request.showDialog = ShowScreen;
        StatusTree tree(*this);
        const link::StatusResult status = link::ReadInstrumentStatus(l, request, tree);
        if (!status.supported) {
            GET_PANELS = false;
            GET_ALOGS = false;
            ShowScreen = false;
        }

        lastReport_ = std::make_unique<ReportStatusDialog>(this);
        ReportStatusDialog& report = *lastReport_;
        report.PanelReportLbl()->setText(s.GetResString(ids::StatusValidPanels) + u' ' + platform::text::numberText(static_cast<long long>(status.validPanels)));
        report.ALogReportLbl()->setText(s.GetResString(ids::StatusValidALogs) + u' ' + platform::text::numberText(static_cast<long long>(status.validALogs)));
        report.setWindowTitle(s.GetResString(ids::StatusReport));
        report.ProgramLbl()->setText(s.GetResString(ids::StatusProgram) + u' ' + status.program);
        report.VersionLbl()->setText(s.GetResString(ids::StatusVersion) + u' ' + status.version);
        report.ModelIDserialLbl()->setText(store.workItem(0).settings().IdentText);

        if (ShowScreen)
            ctx_.ui.runModal(report);

        QAction* agc = menus_.mnuCopyClipBoardOptions[kAgcOption];
        agc->setEnabled(status.model >= kFirstAgcModel);
        agc->setChecked(false);
        storeCopyOptionsMask();
    } catch (const link::LinkError& e) {
        l.unloadTransferDialog();
        ctx_.ui.message(e.Source() + u'\n' + e.Description(), ctx_.language.GetResString(ids::StatusErrorTitle), MessageIcon::Critical);
        l.Active = true;
        if (e.kind() == link::LinkErrorKind::Cancelled)
            link::CloseComm(l);
    } catch (const std::exception& e) {
        l.unloadTransferDialog();
        ctx_.ui.message(QStringLiteral("Current_Status_DFD\n") + QString::fromLocal8Bit(e.what()),
                        ctx_.language.GetResString(ids::StatusErrorTitle), MessageIcon::Critical);
        l.Active = true;
    }
}

void frmmain::RE_DRAW_TICKS_ON_PANEL(const QString& START_PANEL, const QString& START_ALOG)
{
    const auto bankOf = [](const QString& text) {
        bool ok = false;
        const int bank = text.trimmed().toInt(&ok);
        if (!ok)
            throw std::invalid_argument("RE_DRAW_TICKS_ON_PANEL: a bank is no number");
        return bank;
    };
    if (!START_PANEL.isEmpty()) {
        const int bank = bankOf(START_PANEL);
        for (int k = 1; k <= kPanelsPerPage; ++k)
            tree_->setSlotState(k + kPanelsNode, ctx_.store.PanelOccupied.at(static_cast<std::size_t>(bank * 20 + k)));
    }
    if (!START_ALOG.isEmpty()) {
        const int bank = bankOf(START_ALOG);
        for (int k = 1; k <= kALogsPerPage; ++k)
            tree_->setSlotState(k + kALogsNode, ctx_.store.ALogOccupied.at(static_cast<std::size_t>(bank * 100 + k)));
    }
}

void frmmain::DFD_Tick(int item)
{
    tree_->setSlotState(item, true);
}

void frmmain::mnuStatus_Click()
{
    statusRead(false, true, true, true);
}

void frmmain::mnuScanCurrent_Click()
{
    if (tree_->currentPosition() == kALogsNode)
        statusRead(false, false, true, true);
    else
        statusRead(false, true, false, true);
}

} // namespace tovu::mainwindow
