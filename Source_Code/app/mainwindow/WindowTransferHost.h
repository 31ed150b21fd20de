#pragma once
// The main window as the transfer engines and the slot commands see it: the page shown,
// the tree's ticks, the list refill after a download, the modified mark, and the user's
// questions and messages in the window's own dialogs.

#include "app/link/TransferHost.h"

#include <memory>

namespace tovu::link {
class MessageFrm;
}

namespace tovu::mainwindow {

class frmmain;

class WindowTransferHost final : public link::TransferHost, public link::LinkDialogs {
public:
    explicit WindowTransferHost(frmmain& window);
    ~WindowTransferHost() override;

    link::TransferEnv env();

    // TransferHost
    void setBusy(bool busy) override;
    int checkedPanelPage() const override;
    int checkedALogPage() const override;
    void DFD_Tick(int node) override;
    void markNodeEmpty(int node) override;
    void showPanelsView() override;
    void mnuViewALogs_Click() override;
    void markModified() override;

    // LinkDialogs
    void message(const QString& text, const QString& title, link::LinkIcon icon) override;
    bool askYesNo(const QString& text, const QString& title, link::LinkIcon icon) override;

private:
    frmmain& w_;
    std::unique_ptr<link::MessageFrm> wait_;
    bool busyCursor_ = false;
};

} // namespace tovu::mainwindow
