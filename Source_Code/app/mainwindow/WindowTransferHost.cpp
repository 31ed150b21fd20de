#include "app/mainwindow/WindowTransferHost.h"
#include "app/mainwindow/StatusDisplay.h"
#include "app/mainwindow/PageMenus.h"
#include "app/mainwindow/ItemCommands.h"

#include "app/link/forms/MessageFrm.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"

#include <QApplication>

namespace tovu::mainwindow {

namespace {

MessageIcon iconOf(link::LinkIcon icon)
{
    switch (icon) {
    case link::LinkIcon::Information: return MessageIcon::Information;
    case link::LinkIcon::Exclamation: return MessageIcon::Exclamation;
    case link::LinkIcon::Critical: return MessageIcon::Critical;
    case link::LinkIcon::Question: return MessageIcon::Question;
    case link::LinkIcon::None: break;
    }
    return MessageIcon::None;
}

} // namespace

WindowTransferHost::WindowTransferHost(frmmain& window) : w_(window) {}

WindowTransferHost::~WindowTransferHost()
{
    setBusy(false);
}

link::TransferEnv WindowTransferHost::env()
{
    if (!wait_)
        wait_ = std::make_unique<link::MessageFrm>(w_.context().language, &w_);
    return link::TransferEnv{w_.context().link, *this, *this, *wait_};
}

void WindowTransferHost::setBusy(bool busy)
{
    if (busy == busyCursor_)
        return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

int WindowTransferHost::checkedPanelPage() const
{
    return w_.pageMenus().pages().panelPage;
}

int WindowTransferHost::checkedALogPage() const
{
    return w_.pageMenus().pages().alogBank + 1;
}

void WindowTransferHost::DFD_Tick(int node)
{
    w_.statusDisplay().DFD_Tick(node);
}

void WindowTransferHost::markNodeEmpty(int node)
{
    w_.DFDTree()->setSlotState(node, false);
}

void WindowTransferHost::showPanelsView()
{
    w_.action(QStringLiteral("mnuViewALogs"))->setChecked(false);
    w_.action(QStringLiteral("mnuViewPanels"))->setChecked(true);
    w_.itemViews().FillItemList();
    w_.itemCommands().refreshShownItem();
}

void WindowTransferHost::mnuViewALogs_Click()
{
    w_.itemViews().mnuViewALogs_Click();
}

void WindowTransferHost::markModified()
{
    w_.setModified(true);
}

void WindowTransferHost::message(const QString& text, const QString& title, link::LinkIcon icon)
{
    w_.context().ui.message(text, title.isEmpty() ? QStringLiteral("TOVU") : title, iconOf(icon));
}

bool WindowTransferHost::askYesNo(const QString& text, const QString& title, link::LinkIcon icon)
{
    return w_.context().ui.askYesNo(text, title.isEmpty() ? QStringLiteral("TOVU") : title, iconOf(icon)) == Answer::Yes;
}

} // namespace tovu::mainwindow
