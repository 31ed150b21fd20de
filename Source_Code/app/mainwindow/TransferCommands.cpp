// Downloads by dropping tree nodes on the item list, uploads by dropping list items on a
// tree slot, and the slot commands of the tree's pop-up and instrument menus.
#include "app/mainwindow/TransferCommands.h"

#include "app/link/Connection.h"
#include "app/link/CurrentSettings.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/DownloadEngine.h"
#include "app/link/LinkError.h"
#include "app/link/Privileges.h"
#include "app/link/RecordTransfer.h"
#include "app/link/SlotCommands.h"
#include "app/link/UploadEngine.h"
#include "app/link/forms/PrivilegesFrm.h"
#include "app/link/forms/frmTerminal.h"
#include "app/link/forms/frmThickness.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/PageMenus.h"
#include "app/mainwindow/WindowTransferHost.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"
#include "platform/text/NumberText.h"

#include <QApplication>

namespace tovu::mainwindow {

namespace {

constexpr int kIncompatibleString = 520;
constexpr int kMaxUploadPanels = 100;
constexpr int kMaxUploadALogs = 800;
const QString kTreeSource = QStringLiteral("DFDTree");

// The offsets on the shown page of the selected slot nodes of one kind, in tree order.
std::vector<int> selectedOffsets(const MemoryTree& tree, int firstNode, int count)
{
    std::vector<int> offsets;
    for (int p = firstNode; p < firstNode + count; ++p)
        if (tree.node(p)->isSelected())
            offsets.push_back(p - firstNode + 1);
    return offsets;
}

} // namespace

TransferCommands::TransferCommands(frmmain& window)
    : w_(window), ctx_(window.context()), host_(std::make_unique<WindowTransferHost>(window))
{
    w_.connectCommand("mnuGetCurrentSettings", [this] { mnuGetCurrentSettings_Click(); });
    w_.connectCommand("PopUpmnuRecallItem", [this] { PopUpmnuRecallItem_Click(); });
    w_.connectCommand("PopUpmnuDeleteItem", [this] { PopUpmnuDeleteItem_Click(); });
    w_.connectCommand("MnuErasePanels", [this] { MnuErasePanels_Click(); });
    w_.connectCommand("MnuEraseALOGS", [this] { MnuEraseALOGS_Click(); });
    w_.connectCommand("mnuTerminal", [this] { mnuTerminal_Click(); });
    w_.connectCommand("mnuThickness", [this] { mnuThickness_Click(); });
    w_.connectCommand("mnuSetPrivilege", [this] { mnuSetPrivilege_Click(); });
}

TransferCommands::~TransferCommands() = default;

link::TransferEnv TransferCommands::transferEnv()
{
    return host_->env();
}

void TransferCommands::lvwPanelsALog_DragDrop(const QString& source)
{
    if (source != kTreeSource)
        return;
    const int n = w_.DFDTree()->firstSelectedPosition();
    const bool panels = n >= kPanelsNode && n < kALogsNode;
    const bool alogs = n >= kALogsNode && n < kTreeNodes;
    if (!panels && !alogs)
        return;
    w_.action(QStringLiteral("mnuViewALogs"))->setChecked(alogs);
    w_.action(QStringLiteral("mnuViewPanels"))->setChecked(panels);
    items::ItemStore& store = ctx_.store;
    link::TransferEnv env = transferEnv();

    if (n == kPanelsNode || n == kALogsNode) {
        const int all = panels ? store.MaxPanels : store.MaxALogs;
        int last = all;
        if (store.MemoryGeneration >= 1) {
            const QString text = ctx_.language.GetResString(panels ? ids::DownloadAllPanels : ids::DownloadAllALogs);
            const Answer a = ctx_.ui.askYesNoCancel(text, ctx_.language.GetResString(ids::ALogTransferTitle), MessageIcon::Question);
            if (a == Answer::Cancel)
                return;
            if (a == Answer::No)
                last = panels ? kPanelsPerPage : kALogsPerPage;
        }
        if (panels)
            link::DownloadPanels(env, 1, last);
        else
            link::DownloadALogs(env, 1, last);
        return;
    }
    // Only the nodes the user selected: a selection with gaps is not read as a run.
    const std::vector<int> offsets = panels ? selectedOffsets(*w_.DFDTree(), kFirstPanelNode, kPanelsPerPage)
                                            : selectedOffsets(*w_.DFDTree(), kFirstALogNode, kALogsPerPage);
    if (offsets.empty())
        return;
    if (panels)
        link::DownloadPanels(env, offsets);
    else
        link::DownloadALogs(env, offsets);
}

void TransferCommands::DFDTree_DragDrop(const QString& source, const QPoint& point)
{
    const auto refresh = [this] { w_.DFDTree()->viewport()->update(); };
    const auto incompatible = [this] {
        ctx_.ui.message(ctx_.language.GetResString(kIncompatibleString), ctx_.language.GetResString(ids::ProgramTitle),
                        MessageIcon::Exclamation);
    };
    const int target = w_.DFDTree()->positionOf(w_.DFDTree()->itemAt(point));
    refresh();
    QApplication::processEvents();
    if (source == kTreeSource) {
        refresh();
        return;
    }
    const std::optional<int> firstSelected = w_.itemCommands().selectedItemIndex();
    if (!firstSelected)
        return;
    int first = *firstSelected;
    int last = first;
    for (const QModelIndex& i : w_.lvwPanelsALog()->selectionModel()->selectedIndexes())
        last = std::max(last, i.row() + 1);

    const bool alogs = w_.itemViews().alogsShown();
    // Several items may land on any node of their kind, PANELS and the root included for
    // panels; one item needs a slot node.
    if (target < 0 || (alogs && target < kFirstALogNode) || (!alogs && target > kALogsNode)) {
        incompatible();
        return;
    }
    const QString model = ctx_.link.ModelNames.at(
        static_cast<std::size_t>(std::clamp<int>(ctx_.store.workItem(0).ModelIndex, 0, items::kModelCount - 1)));
    const items::StringSource& s = ctx_.language;
    const QString title = s.GetResString(ids::ProgramTitle);
    const auto N = [](int v) { return platform::text::numberText(static_cast<long long>(v)); };
    link::TransferEnv env = transferEnv();

    if (first == last) {
        if (!alogs && (target < kFirstPanelNode || target > kFirstPanelNode + kPanelsPerPage - 1)) {
            incompatible();
            refresh();
            return;
        }
        const int slot = alogs ? target - kALogsNode + w_.pageMenus().pages().alogBank * kALogsPerPage
                               : target - kPanelsNode + (w_.pageMenus().pages().panelPage - 1) * kPanelsPerPage;
        const QString question = alogs ? u' ' + s.GetResString(ids::AboutToWriteALog) + N(first) + s.GetResString(ids::IntoALog) + N(slot) + s.GetResString(ids::OfThe) + model
                                       : u' ' + s.GetResString(ids::AboutToWritePanel) + N(first) + s.GetResString(ids::IntoPanel) + N(slot) + s.GetResString(ids::OfThe) + model;
        if (ctx_.ui.askYesNo(question, title, MessageIcon::Question) == Answer::Yes) {
            if (alogs)
                link::UploadALogs(env, first, last, slot);
            else
                link::UploadPanels(env, first, last, slot);
        }
        refresh();
        return;
    }
    last = std::min(last, alogs ? kMaxUploadALogs : kMaxUploadPanels);
    const QString question = alogs ? u' ' + s.GetResString(ids::AboutToWriteALogs) + N(first) + QStringLiteral(" -") + N(last) + s.GetResString(ids::IntoThe) + model
                                   : u' ' + s.GetResString(ids::AboutToWritePanels) + N(first) + u'-' + N(last) + s.GetResString(ids::IntoThe) + model;
    if (ctx_.ui.askYesNo(question, title, MessageIcon::Question) == Answer::Yes) {
        if (alogs)
            link::UploadALogs(env, first, last, 0);
        else
            link::UploadPanels(env, first, last, 0);
    }
    refresh();
}

bool TransferCommands::dropAccepted(const QWidget* target, const QString& source) const
{
    const bool fromTree = source == kTreeSource;
    const bool fromList = source == w_.lvwPanelsALog()->objectName();
    if (target == w_.lvwPanelsALog() || target == w_.lvwPanelsALog()->viewport())
        return fromTree;
    if (target == w_.DFDTree() || target == w_.DFDTree()->viewport())
        return fromList || fromTree;
    if (target == w_.Picture1() || target == w_.NotesSettingsTab()->GridSettings() || target == w_.NotesSettingsTab()->GridSettings()->viewport())
        return fromList;
    return false;
}

void TransferCommands::PopUpmnuRecallItem_Click()
{
    link::TransferEnv env = transferEnv();
    link::PopUpmnuRecallItem_Click(env, w_.DFDTree()->currentPosition());
}

void TransferCommands::PopUpmnuDeleteItem_Click()
{
    link::TransferEnv env = transferEnv();
    link::PopUpmnuDeleteItem_Click(env, w_.DFDTree()->currentPosition());
}

void TransferCommands::MnuErasePanels_Click()
{
    link::TransferEnv env = transferEnv();
    if (link::MnuErasePanels_Click(env))
        for (int k = 0; k < kPanelsPerPage; ++k)
            w_.DFDTree()->setSlotState(kFirstPanelNode + k, false);
}

void TransferCommands::MnuEraseALOGS_Click()
{
    link::TransferEnv env = transferEnv();
    if (link::MnuEraseALOGS_Click(env))
        for (int k = 0; k < kALogsPerPage; ++k)
            w_.DFDTree()->setSlotState(kFirstALogNode + k, false);
}

// ---- Get Current Settings: the instrument's settings, live A-scan and curves read into
// record 0 and shown like an opened item. ----

void TransferCommands::mnuGetCurrentSettings_Click()
{
    link::TransferEnv env = transferEnv();
    if (!link::GetCurrentSettings(env).completed)
        return;
    const items::DFDRecord& r = ctx_.store.workItem(0);
    w_.clipboardOptions().enableAgcOption(r.ModelIndex);
    ctx_.display.DrawAScan(0);
    ItemCommands& items = w_.itemCommands();
    items.ShowALogSettings(0);
    items.ShowItemNotes(0);
    items.setShownItem(0);
    w_.setCaptionBase(kProgramTitle + u' ' +
                   ctx_.link.ModelNames.at(static_cast<std::size_t>(std::clamp<int>(r.ModelIndex, 0, items::kModelCount - 1))));
}

// ---- The service windows of the Tools menu ----

// The terminal takes the place of the main window while it is open; its OK brings the
// window back.
void TransferCommands::mnuTerminal_Click()
{
    w_.hide();
    link::frmTerminal terminal(ctx_.link, *host_, [this] { w_.show(); }, &w_);
    ctx_.ui.runModal(terminal);
    w_.show();
}

void TransferCommands::mnuThickness_Click()
{
    const auto chooseFile = [this](const QString& filter) -> QString {
        CommonDialog& dialog = w_.commonDialog();
        dialog.Filter = filter;
        dialog.Flags = kOverwritePrompt;
        const std::optional<QString> name = ctx_.ui.saveFileName(dialog);
        if (!name)
            return {};  // cancelled: no file name to save under
        dialog.FileName = *name;
        return *name;
    };
    link::frmThickness thickness(ctx_.link, *host_, thicknessLog_, chooseFile, &w_);
    ctx_.ui.runModal(thickness);
}

void TransferCommands::mnuSetPrivilege_Click()
{
    link::TransferEnv env = transferEnv();
    link::PrivilegesState state(ctx_.store.MaxPanels, ctx_.store.MaxALogs);
    link::mnuSetPrivilege_Click(env, state, [this](link::PrivilegesState& shown) {
        const auto apply = [this, &shown] {
            return link::applyPrivileges(ctx_.link, *host_, shown,
                                         [this](bool busy) { host_->setBusy(busy); });
        };
        link::PrivilegesFrm window(ctx_.language, shown, apply, &w_);
        ctx_.ui.runModal(window);
    });
}

} // namespace tovu::mainwindow
