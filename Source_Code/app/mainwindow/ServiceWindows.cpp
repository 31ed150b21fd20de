// The instrument's service windows from the Tools menu: the remote terminal, the
// thickness log download and the privileges window.
#include "app/mainwindow/frmmain.h"

#include "app/link/Privileges.h"
#include "app/link/Thickness.h"
#include "app/link/forms/PrivilegesFrm.h"
#include "app/link/forms/frmThickness.h"
#include "app/link/forms/frmTerminal.h"
#include "app/mainwindow/WindowTransferHost.h"

namespace tovu::mainwindow {

void frmmain::connectServiceWindows()
{
    connectCommand(action(QStringLiteral("mnuTerminal")), [this] { mnuTerminal_Click(); });
    connectCommand(action(QStringLiteral("mnuThickness")), [this] { mnuThickness_Click(); });
    connectCommand(action(QStringLiteral("mnuSetPrivilege")), [this] { mnuSetPrivilege_Click(); });
}

// The terminal takes the place of the main window while it is open; its OK brings the
// window back.
void frmmain::mnuTerminal_Click()
{
    hide();
    link::frmTerminal terminal(ctx_.link, *transferHost_, [this] { show(); }, this);
    ctx_.ui.runModal(terminal);
    show();
}

void frmmain::mnuThickness_Click()
{
    const auto chooseFile = [this](const QString& filter) -> QString {
        CommonDialog1.Filter = filter;
        CommonDialog1.Flags = kOverwritePrompt;
        const std::optional<QString> name = ctx_.ui.saveFileName(CommonDialog1);
        if (!name)
            return {};  // cancelled: no file name to save under
        CommonDialog1.FileName = *name;
        return *name;
    };
    link::frmThickness thickness(ctx_.link, *transferHost_, thicknessLog_, chooseFile, this);
    ctx_.ui.runModal(thickness);
}

void frmmain::mnuSetPrivilege_Click()
{
    link::TransferEnv env = transferEnv();
    link::PrivilegesState state(ctx_.store.MaxPanels, ctx_.store.MaxALogs);
    link::mnuSetPrivilege_Click(env, state, [this](link::PrivilegesState& shown) {
        const auto apply = [this, &shown] {
            return link::applyPrivileges(ctx_.link, *transferHost_, shown,
                                         [this](bool busy) { transferHost_->setBusy(busy); });
        };
        link::PrivilegesFrm window(ctx_.language, shown, apply, this);
        ctx_.ui.runModal(window);
    });
}

} // namespace tovu::mainwindow
