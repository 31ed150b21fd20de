#pragma once
// The commands that talk to the instrument: downloads by dropping tree nodes on the item
// list, uploads by dropping list items on a tree slot, the slot commands of the tree's
// pop-up and instrument menus, Get Current Settings, and the service windows (terminal,
// thickness log, privileges). The transfers see the window through WindowTransferHost.

#include "app/link/Thickness.h"

#include <QPoint>
#include <QString>
#include <memory>

class QWidget;

namespace tovu::link {
struct TransferEnv;
}

namespace tovu::mainwindow {

class frmmain;
class MainContext;
class WindowTransferHost;

class TransferCommands {
public:
    // Wires the slot, instrument and service menu items to the handlers below.
    explicit TransferCommands(frmmain& window);
    ~TransferCommands();
    TransferCommands(const TransferCommands&) = delete;
    TransferCommands& operator=(const TransferCommands&) = delete;

    // Drops: source is the object name of the dragged control ("DFDTree",
    // "lvwPanelsALog"); the tree's drop point is in pixels of its viewport.
    void lvwPanelsALog_DragDrop(const QString& source);
    void DFDTree_DragDrop(const QString& source, const QPoint& point);
    // Whether the control accepts a drag that started at source (the drop-here picture).
    bool dropAccepted(const QWidget* target, const QString& source) const;
    void PopUpmnuRecallItem_Click();
    void PopUpmnuDeleteItem_Click();
    void MnuErasePanels_Click();
    void MnuEraseALOGS_Click();
    void mnuGetCurrentSettings_Click();
    void mnuTerminal_Click();
    void mnuThickness_Click();
    void mnuSetPrivilege_Click();

private:
    link::TransferEnv transferEnv();

    frmmain& w_;
    MainContext& ctx_;
    std::unique_ptr<WindowTransferHost> host_;
    link::ThicknessLog thicknessLog_;  // the readings held for the program's life
};

} // namespace tovu::mainwindow
