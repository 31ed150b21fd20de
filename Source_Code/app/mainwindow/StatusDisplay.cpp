// The instrument status display: model, occupied slots and the status report.
#include "app/mainwindow/frmmain.h"

#include "app/items/NumberText.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/ModelIdentification.h"
#include "app/link/SlotOperations.h"
#include "app/mainwindow/Icons.h"
#include "app/mainwindow/ReportStatusDialog.h"

#include <QApplication>
#include <algorithm>
#include <span>
#include <QLabel>

namespace tovu::mainwindow {

namespace {

constexpr int kUnsupportedModel = 19;
constexpr int kAgcOption = 12;
constexpr int kFirstAgcModel = 11;
constexpr int kFirstOwnPictureModel = 35;
constexpr int kPanelBanks = 5;
constexpr int kALogBanks = 8;  // ALog locations 1 to 800 at most

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// Reads one kind of slot, bank by bank, into the occupancy table and the tree.
struct SlotKind {
    link::SlotRow row;
    int perBank;
    int firstNode;  // tree position of offset 1
    int captionId;
    const char* listCommand;
    bool (*used)(link::LinkContext&, int, const QString&);
};

constexpr SlotKind kPanelKind{link::SlotRow::Panels, kPanelsPerPage, kFirstPanelNode, 152, "APL", &link::PanelSlotUsed};
constexpr SlotKind kALogKind{link::SlotRow::ALogs, kALogsPerPage, kFirstALogNode, 153, "AWL", &link::ALogSlotUsed};

} // namespace

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
        try {
            link::OpenComm(l);
        } catch (const link::LinkError& e) {
            // A port that does not open shows up at the next command; a cancel does not wait.
            if (e.kind() == link::LinkErrorKind::Cancelled)
                throw;
        }
        const int model = link::GetInstrumentModel(l, 0);
        store.workItem(0).ModelIndex = static_cast<std::int16_t>(model);
        const QString rootText = l.ModelNames.at(static_cast<std::size_t>(std::clamp(model, 0, items::kModelCount - 1)));

        if (model == kUnsupportedModel) {
            ctx_.ui.message(s.GetResString(ids::UnsupportedModel), programTitle(), MessageIcon::None);
            GET_PANELS = false;
            GET_ALOGS = false;
            ShowScreen = false;
        }

        l.loadTransferDialog();
        l.setStatusText(s.GetResString(ids::CheckingStatus));
        if (ShowScreen && l.transferDialog())
            l.transferDialog()->showModeless();

        tree_->setCurrentItem(tree_->node(kRootNode));
        tree_->setCaption(kRootNode, rootText);
        tree_->setRootPicture(iconResource(model >= kFirstOwnPictureModel ? IconResource::Detector : IconResource::YellowDetector));

        int valid[2] = {0, 0};
        const auto readKind = [&](const SlotKind& k, int allBanks, int pageBank, bool& flagAll) {
            QString list;
            int firstBank = 0;
            int lastBank = 0;
            if (store.MemoryGeneration >= 1) {
                list = link::WriteCommSpecial(l, QString::fromLatin1(k.listCommand));
                if (flagAll)
                    lastBank = allBanks - 1;
                else
                    firstBank = lastBank = pageBank;
            }
            const double step = 100.0 / ((lastBank - firstBank + 1) * k.perBank);
            int counter = 0;
            l.setProgress(0);
            const std::span<bool> occupied = k.row == link::SlotRow::Panels ? std::span<bool>(store.PanelOccupied)
                                                              : std::span<bool>(store.ALogOccupied);
            for (int b = firstBank; b <= lastBank; ++b) {
                for (int i = 1; i <= k.perBank; ++i) {
                    const int slot = b * k.perBank + i;
                    if (auto* view = l.transferDialog()) {
                        view->setSlotCaption(k.row, i, QString::number(slot));
                        view->setSlotColour(k.row, i, link::SlotColour::Grey);
                    }
                    tree_->setCaption(k.firstNode + i - 1, s.GetResString(k.captionId) + u' ' + QString::number(slot));
                    tree_->setSlotState(k.firstNode + i - 1, false);
                }
                for (int i = 1; i <= k.perBank; ++i) {
                    const int slot = b * k.perBank + i;
                    l.setProgress(static_cast<int>(counter * step));
                    ++counter;
                    if (auto* view = l.transferDialog())
                        view->setSlotColour(k.row, i, link::SlotColour::Yellow);
                    const bool used = k.used(l, slot, list);
                    if (auto* view = l.transferDialog())
                        view->setSlotColour(k.row, i, used ? link::SlotColour::Green : link::SlotColour::Red);
                    if (used)
                        ++valid[k.row == link::SlotRow::Panels ? 0 : 1];
                    occupied[static_cast<std::size_t>(slot)] = used;
                }
                const QString bank = QString::number(b);
                if (k.row == link::SlotRow::Panels)
                    RE_DRAW_TICKS_ON_PANEL(bank, QString());
                else
                    RE_DRAW_TICKS_ON_PANEL(QString(), bank);
            }
        };

        if (GET_PANELS) {
            readKind(kPanelKind, kPanelBanks, pages_.panelPage - 1, GET_ALL_STATUS);
            if (GET_ALL_STATUS)
                mnuPanelMem_Click(1);
        }
        if (GET_ALOGS) {
            readKind(kALogKind, kALogBanks, pages_.alogBank, GET_ALL_STATUS);
            if (GET_ALL_STATUS)
                mnuAlogMem_Click(1);
        }

        l.setProgress(0);
        link::WriteComm(l, QStringLiteral("WAS"), QStringLiteral("1"));
        link::WriteComm(l, QStringLiteral("WPS"), QStringLiteral("1"));

        lastReport_ = std::make_unique<ReportStatusDialog>(this);
        ReportStatusDialog& report = *lastReport_;
        report.PanelReportLbl()->setText(s.GetResString(ids::StatusValidPanels) + u' ' + items::numberText(static_cast<long long>(valid[0])));
        report.ALogReportLbl()->setText(s.GetResString(ids::StatusValidALogs) + u' ' + items::numberText(static_cast<long long>(valid[1])));
        report.setWindowTitle(s.GetResString(ids::StatusReport));
        report.ProgramLbl()->setText(s.GetResString(ids::StatusProgram) + u' ' + link::WriteComm(l, QStringLiteral("AME"), QString()));
        report.VersionLbl()->setText(s.GetResString(ids::StatusVersion) + u' ' + link::WriteComm(l, QStringLiteral("AMF"), QString()));
        report.ModelIDserialLbl()->setText(store.workItem(0).settings().IdentText);

        link::CloseComm(l);
        l.unloadTransferDialog();
        if (ShowScreen)
            ctx_.ui.runModal(report);

        QAction* agc = menus_.mnuCopyClipBoardOptions[kAgcOption];
        agc->setEnabled(model >= kFirstAgcModel);
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
