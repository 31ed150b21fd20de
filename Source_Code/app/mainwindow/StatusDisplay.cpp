// The instrument status display: the status read shown in the memory tree and the status
// report; the read itself is the link's (app/link/StatusRead).
#include "app/mainwindow/StatusDisplay.h"

#include "platform/text/NumberText.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/StatusRead.h"
#include "app/mainwindow/Icons.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/PageMenus.h"
#include "app/mainwindow/ReportStatusDialog.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"

#include <QApplication>
#include <algorithm>
#include <QLabel>

namespace tovu::mainwindow {

namespace {

constexpr int kFirstOwnPictureModel = 35;

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

// The memory tree follows the status read: the model at its root, the slots of the bank
// being read, and the ticks of the occupied ones.
class StatusDisplay::StatusTree final : public link::StatusReadView {
public:
    StatusTree(frmmain& w, StatusDisplay& status) : w_(w), ctx_(w.context()), status_(status) {}

    void modelRead(int model, bool supported) override
    {
        if (!supported)
            ctx_.ui.message(ctx_.language.GetResString(ids::UnsupportedModel), kProgramTitle, MessageIcon::None);
        const int shown = std::clamp(model, 0, items::kModelCount - 1);
        MemoryTree& tree = *w_.DFDTree();
        tree.setCurrentItem(tree.node(kRootNode));
        tree.setRootModel(shown, ctx_.link.ModelNames.at(static_cast<std::size_t>(shown)));
        tree.setRootPicture(
            iconResource(model >= kFirstOwnPictureModel ? IconResource::Detector : IconResource::YellowDetector));
    }

    void bankStarting(link::SlotRow row, int bank, int perBank) override
    {
        const bool panels = row == link::SlotRow::Panels;
        const int firstNode = panels ? kFirstPanelNode : kFirstALogNode;
        const QString caption = ctx_.language.GetResString(panels ? 152 : 153);
        MemoryTree& tree = *w_.DFDTree();
        for (int i = 1; i <= perBank; ++i) {
            tree.setCaption(firstNode + i - 1, caption + u' ' + QString::number(bank * perBank + i));
            tree.setSlotState(firstNode + i - 1, false);
        }
    }

    void bankRead(link::SlotRow row, int bank) override
    {
        if (row == link::SlotRow::Panels)
            status_.RE_DRAW_TICKS_ON_PANEL(QString::number(bank), QString());
        else
            status_.RE_DRAW_TICKS_ON_PANEL(QString(), QString::number(bank));
    }

    void allBanksRead(link::SlotRow row) override
    {
        if (row == link::SlotRow::Panels)
            w_.pageMenus().mnuPanelMem_Click(1);
        else
            w_.pageMenus().mnuAlogMem_Click(1);
    }

private:
    frmmain& w_;
    MainContext& ctx_;
    StatusDisplay& status_;
};

StatusDisplay::StatusDisplay(frmmain& window) : w_(window)
{
    link::LinkContext& l = w_.context().link;
    l.onMemoryMenus = [this](const link::MemoryMenus& m) { applyMemoryMenus(m); };
    l.approveDiscard = [this](int generation) { return approveDiscard(generation); };
    w_.connectCommand("mnuStatus", [this] { mnuStatus_Click(); });
    w_.connectCommand("mnuOptionsCheckDFDStatus", [this] { mnuOptionsCheckDFDStatus_Click(); });
    w_.connectCommand("mnuScanCurrent", [this] { mnuScanCurrent_Click(); });
}

StatusDisplay::~StatusDisplay()
{
    link::LinkContext& l = w_.context().link;
    l.onMemoryMenus = nullptr;
    l.approveDiscard = nullptr;
}

void StatusDisplay::applyMemoryMenus(const link::MemoryMenus& m)
{
    if (m.eraseMemory)
        w_.action(QStringLiteral("mnuEraseMemory"))->setVisible(*m.eraseMemory);
    if (m.alogMemSelect)
        w_.action(QStringLiteral("mnuAlogMemSelect"))->setVisible(*m.alogMemSelect);
    if (m.alogMemSelect2)
        w_.action(QStringLiteral("mnuAlogMemSelect2"))->setVisible(*m.alogMemSelect2);
}

// An instrument of another memory size needs the arrays made anew; items held on the PC
// would go with them, so the user decides.
bool StatusDisplay::approveDiscard(int generation)
{
    MainContext& ctx = w_.context();
    const QString text = ctx.language.GetResString(ids::DiscardForOtherMemory).arg(generation);
    discarded_ = ctx.ui.askYesNo(text, ctx.language.GetResString(ids::ProgramTitle), MessageIcon::Exclamation) == Answer::Yes;
    return discarded_;
}

void StatusDisplay::statusRead(bool all, bool panels, bool alogs, bool show)
{
    discarded_ = false;
    Current_Status_DFD(all, panels, alogs, show);
    if (discarded_) {
        w_.setModified(false);
        if (w_.listModel().count() > 0)
            w_.itemViews().FillItemList();
        w_.itemCommands().refreshShownItem();
    }
}

void StatusDisplay::Current_Status_DFD(bool& GET_ALL_STATUS, bool& GET_PANELS, bool& GET_ALOGS, bool& ShowScreen)
{
    MainContext& ctx = w_.context();
    link::LinkContext& l = ctx.link;
    items::ItemStore& store = ctx.store;
    const items::StringSource& s = ctx.language;
    WaitCursor hourglass;
    try {
        link::StatusRequest request;
        request.allBanks = GET_ALL_STATUS;
        request.panels = GET_PANELS;
        request.alogs = GET_ALOGS;
        request.panelBank = w_.pageMenus().pages().panelPage - 1;
        request.alogBank = w_.pageMenus().pages().alogBank;
        request.showDialog = ShowScreen;
        StatusTree tree(w_, *this);
        const link::StatusResult status = link::ReadInstrumentStatus(l, request, tree);
        if (!status.supported) {
            GET_PANELS = false;
            GET_ALOGS = false;
            ShowScreen = false;
        }

        lastReport_ = std::make_unique<ReportStatusDialog>(&w_);
        ReportStatusDialog& report = *lastReport_;
        report.PanelReportLbl()->setText(s.GetResString(ids::StatusValidPanels) + u' ' + platform::text::numberText(static_cast<long long>(status.validPanels)));
        report.ALogReportLbl()->setText(s.GetResString(ids::StatusValidALogs) + u' ' + platform::text::numberText(static_cast<long long>(status.validALogs)));
        report.setWindowTitle(s.GetResString(ids::StatusReport));
        report.ProgramLbl()->setText(s.GetResString(ids::StatusProgram) + u' ' + status.program);
        report.VersionLbl()->setText(s.GetResString(ids::StatusVersion) + u' ' + status.version);
        report.ModelIDserialLbl()->setText(store.workItem(0).settings().IdentText);

        if (ShowScreen)
            ctx.ui.runModal(report);

        w_.clipboardOptions().resetAgcOption(status.model);
    } catch (const link::LinkError& e) {
        l.unloadTransferDialog();
        ctx.ui.message(e.Source() + u'\n' + e.Description(), ctx.language.GetResString(ids::StatusErrorTitle), MessageIcon::Critical);
        l.Active = true;
        if (e.kind() == link::LinkErrorKind::Cancelled)
            link::CloseComm(l);
    } catch (const std::exception& e) {
        l.unloadTransferDialog();
        ctx.ui.message(QStringLiteral("Current_Status_DFD\n") + QString::fromLocal8Bit(e.what()),
                        ctx.language.GetResString(ids::StatusErrorTitle), MessageIcon::Critical);
        l.Active = true;
    }
}

void StatusDisplay::RE_DRAW_TICKS_ON_PANEL(const QString& START_PANEL, const QString& START_ALOG)
{
    const items::ItemStore& store = w_.context().store;
    MemoryTree& tree = *w_.DFDTree();
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
            tree.setSlotState(k + kPanelsNode, store.PanelOccupied.at(static_cast<std::size_t>(bank * 20 + k)));
    }
    if (!START_ALOG.isEmpty()) {
        const int bank = bankOf(START_ALOG);
        for (int k = 1; k <= kALogsPerPage; ++k)
            tree.setSlotState(k + kALogsNode, store.ALogOccupied.at(static_cast<std::size_t>(bank * 100 + k)));
    }
}

void StatusDisplay::DFD_Tick(int item)
{
    w_.DFDTree()->setSlotState(item, true);
}

void StatusDisplay::mnuStatus_Click()
{
    statusRead(false, true, true, true);
}

void StatusDisplay::mnuScanCurrent_Click()
{
    if (w_.DFDTree()->currentPosition() == kALogsNode)
        statusRead(false, false, true, true);
    else
        statusRead(false, true, false, true);
}

} // namespace tovu::mainwindow
