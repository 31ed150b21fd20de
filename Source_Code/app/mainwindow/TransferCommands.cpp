// Downloads by dropping tree nodes on the item list, uploads by dropping list items on a
// tree slot, and the slot commands of the tree's pop-up and instrument menus.
#include "app/mainwindow/frmmain.h"

#include "platform/text/NumberText.h"
#include "app/link/DownloadEngine.h"
#include "app/link/SlotCommands.h"
#include "app/link/UploadEngine.h"
#include "app/mainwindow/WindowTransferHost.h"

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

link::TransferEnv frmmain::transferEnv()
{
    return transferHost_->env();
}

void frmmain::lvwPanelsALog_DragDrop(const QString& source)
{
    if (source != kTreeSource)
        return;
    const int n = tree_->firstSelectedPosition();
    const bool panels = n >= kPanelsNode && n < kALogsNode;
    const bool alogs = n >= kALogsNode && n < kTreeNodes;
    if (!panels && !alogs)
        return;
    action(QStringLiteral("mnuViewALogs"))->setChecked(alogs);
    action(QStringLiteral("mnuViewPanels"))->setChecked(panels);
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
    const std::vector<int> offsets = panels ? selectedOffsets(*tree_, kFirstPanelNode, kPanelsPerPage)
                                            : selectedOffsets(*tree_, kFirstALogNode, kALogsPerPage);
    if (offsets.empty())
        return;
    if (panels)
        link::DownloadPanels(env, offsets);
    else
        link::DownloadALogs(env, offsets);
}

void frmmain::DFDTree_DragDrop(const QString& source, const QPoint& point)
{
    const auto refresh = [this] { tree_->viewport()->update(); };
    const auto incompatible = [this] {
        ctx_.ui.message(ctx_.language.GetResString(kIncompatibleString), ctx_.language.GetResString(ids::ProgramTitle),
                        MessageIcon::Exclamation);
    };
    const int target = tree_->positionOf(tree_->itemAt(point));
    refresh();
    QApplication::processEvents();
    if (source == kTreeSource) {
        refresh();
        return;
    }
    const std::optional<int> firstSelected = selectedItemIndex();
    if (!firstSelected)
        return;
    int first = *firstSelected;
    int last = first;
    for (const QModelIndex& i : list_->selectionModel()->selectedIndexes())
        last = std::max(last, i.row() + 1);

    const bool alogs = alogsShown();
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
        dragdropHighlight = false;
        if (!alogs && (target < kFirstPanelNode || target > kFirstPanelNode + kPanelsPerPage - 1)) {
            incompatible();
            refresh();
            return;
        }
        const int slot = alogs ? target - kALogsNode + pages_.alogBank * kALogsPerPage
                               : target - kPanelsNode + (pages_.panelPage - 1) * kPanelsPerPage;
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

bool frmmain::dropAccepted(const QWidget* target, const QString& source) const
{
    const bool fromTree = source == kTreeSource;
    const bool fromList = source == list_->objectName();
    if (target == list_ || target == list_->viewport())
        return fromTree;
    if (target == tree_ || target == tree_->viewport())
        return fromList || fromTree;
    if (target == picture_ || target == notes_->GridSettings() || target == notes_->GridSettings()->viewport())
        return fromList;
    return false;
}

void frmmain::PopUpmnuRecallItem_Click()
{
    link::TransferEnv env = transferEnv();
    link::PopUpmnuRecallItem_Click(env, tree_->currentPosition());
}

void frmmain::PopUpmnuDeleteItem_Click()
{
    link::TransferEnv env = transferEnv();
    link::PopUpmnuDeleteItem_Click(env, tree_->currentPosition());
}

void frmmain::MnuErasePanels_Click()
{
    link::TransferEnv env = transferEnv();
    if (link::MnuErasePanels_Click(env))
        for (int k = 0; k < kPanelsPerPage; ++k)
            tree_->setSlotState(kFirstPanelNode + k, false);
}

void frmmain::MnuEraseALOGS_Click()
{
    link::TransferEnv env = transferEnv();
    if (link::MnuEraseALOGS_Click(env))
        for (int k = 0; k < kALogsPerPage; ++k)
            tree_->setSlotState(kFirstALogNode + k, false);
}

} // namespace tovu::mainwindow
