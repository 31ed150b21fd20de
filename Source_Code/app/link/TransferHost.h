#pragma once
// What the transfer engines need of the user and of the main window. The engines stay
// headless: the main window implements TransferHost and LinkDialogs, tests script them.

#include "app/link/LinkContext.h"
#include "app/link/TransferView.h"

#include <QString>
#include <optional>

namespace tovu::link {

enum class LinkIcon { None, Information, Exclamation, Critical, Question };

// Message boxes and questions of the link commands.
class LinkDialogs {
public:
    virtual ~LinkDialogs() = default;
    // An empty title means the application title.
    virtual void message(const QString& text, const QString& title, LinkIcon icon) = 0;
    // A Yes/No box; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title, LinkIcon icon) = 0;
};

// The main window as the engines see it.
class TransferHost {
public:
    virtual ~TransferHost() = default;
    // Hourglass (11) while an operation runs, default (0) at its end.
    virtual void setBusy(bool busy) = 0;
    // The page the memory tree shows, as the transfers address it: the checked item of
    // mnuPanelMem (1..5) and of mnuAlogMem (1..8); on a generation-2 instrument the ALog
    // page may be any of 1..100 (slots 100(p - 1) + 1 .. 100p), so the thousands menus can
    // make their page the page of transfers. 0 or a page beyond the memory: page 1.
    virtual int checkedPanelPage() const = 0;
    virtual int checkedALogPage() const = 0;
    // Marks tree node `node` occupied (panel position + 1, ALog position + 22).
    virtual void DFD_Tick(int node) = 0;
    // Marks tree node `node` empty: grey text, picture 2.
    virtual void markNodeEmpty(int node) = 0;
    // End of a panel download: mnuViewPanels checked and FillItemList.
    virtual void showPanelsView() = 0;
    // End of an ALog download: mnuViewALogs_Click (copies ALogs into WorkItems, refills).
    virtual void mnuViewALogs_Click() = 0;
    // The caption's modified mark (" *").
    virtual void markModified() = 0;
};

// Everything one engine call works with.
struct TransferEnv {
    LinkContext& link;
    TransferHost& host;
    LinkDialogs& dialogs;
    MessageView& wait;  // MessageFrm
};

// Tree positions of the memory tree.
constexpr int kFirstPanelNode = 2;   // panel position 1
constexpr int kLastPanelNode = 21;
constexpr int kFirstALogNode = 23;   // ALog position 1
constexpr int kPanelsPerBank = 20;
constexpr int kALogsPerBank = 100;

} // namespace tovu::link
