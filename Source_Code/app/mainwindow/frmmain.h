#pragma once
// The main window: start-up and shutdown, menus, memory tree, item list, A-scan picture,
// notes and settings tab, status display, page menus, language and captions, About and
// help. One instance for the program's life; its handlers keep their own names.
//
// Seams for the commands built later (drag and drop, notes editing, file menus, live
// settings, toolbar report, Word report): the public members below (page state, the
// modified flag, the busy guard, the views) are what those handlers use.

#include "app/display/AScanMenuController.h"
#include "app/display/widgets/AScanWidget.h"
#include "app/link/Thickness.h"
#include "app/mainwindow/ItemListModel.h"
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/MainMenus.h"
#include "app/mainwindow/MemoryTree.h"
#include "app/mainwindow/NotesPane.h"
#include "app/mainwindow/ShownItem.h"
#include "app/mainwindow/frmAbout.h"
#include "app/resources/StringIds.h"
#include "platform/automation/Dispatch.h"

#include <QListView>
#include <QMainWindow>
#include <functional>
#include <memory>

class QGroupBox;
class QPushButton;
class QToolBar;

namespace tovu::link {
struct TransferEnv;
}

namespace tovu::mainwindow {

class SplitterHandle;
class WindowTransferHost;
class DragDropWiring;
class ReportStatusDialog;
class ReportWiring;

namespace ids = resources::ids;

constexpr int kTwipsPerPixel = 15;
inline const QString kProgramTitle = QStringLiteral("TOVU");
inline const QString kVerboltProgId = QStringLiteral("Verbolt_OCX.Verbolt");
inline const QString kControlLibrary = QStringLiteral("libword.so");
constexpr platform::automation::DispId kIsWordAvailableId = 0x60030054;

// The one page state of the memory tree, read by the display, the status read and the
// transfers: the panel page (1..5, 20 slots each) and the ALog bank (0-based, 100 slots
// each: 0..7 on an 800-ALog instrument, 0..99 on a 10000-ALog one).
struct PageState {
    int panelPage = 1;
    int alogBank = 0;
    int firstPanelSlot() const { return (panelPage - 1) * 20 + 1; }
    int firstALogSlot() const { return alogBank * 100 + 1; }
};

class frmmain final : public QMainWindow, public display::AScanHost {
    Q_OBJECT
public:
    explicit frmmain(MainContext& ctx);
    ~frmmain() override;

    // ---- Start-up and shutdown ----
    void Form_Load();
    // Cancel comes back True when the window must stay open.
    void Form_Unload(bool& Cancel);
    void mnuExit_Click();
    void mnuCom_Click(int Index);
    void Form_Resize();
    void Form_MouseMove();

    // ---- Captions and language ----
    void ApplyLanguageCaptions();
    void mnuMultSel_Click(int Index);
    QString helpFile() const { return helpFile_; }

    // ---- Status display ----
    void Current_Status_DFD(bool& GET_ALL_STATUS, bool& GET_PANELS, bool& GET_ALOGS, bool& ShowScreen);
    void RE_DRAW_TICKS_ON_PANEL(const QString& START_PANEL, const QString& START_ALOG);
    void DFD_Tick(int item);
    void mnuStatus_Click();
    void mnuOptionsCheckDFDStatus_Click() { mnuStatus_Click(); }
    void mnuScanCurrent_Click();

    // ---- Page menus ----
    void mnuPanelMem_Click(int Index);
    void mnuAlogMem_Click(int Index);
    void mnuAlogMem_I_Click(int Index) { thousandsPage_Click(1, Index); }
    // Group 2..10: mnuAlogMem_1000_Click ... mnuAlogMem_9000_Click.
    void thousandsPage_Click(int group, int Index);
    const PageState& pages() const { return pages_; }

    // ---- Item list and views ----
    void FillItemList();
    void mnuViewALogs_Click();
    void mnuViewPanels_Click();
    void mnuLargeIcons_Click();
    void mnuSmallIcons_Click();
    void mnuList_Click();
    void mnuSuperimpose_Click();
    bool alogsShown() const;
    // The splitter position in twips may be raised to its minimum.
    void ResizeControls(float& position);
    void imgSplitter_MouseDown(int X);
    void imgSplitter_MouseMove(int X);
    void imgSplitter_MouseUp(int X);

    // ---- Clipboard options ----
    void mnuCopyClipBoardOptions_Click(int Index);
    void mnuoptall_Click(int Index);
    int copyOptionsMask() const;
    void storeCopyOptionsMask();

    // ---- About, help, service ----
    void mnuAbout_Click();
    void mnuhelp_Click();
    frmAbout* aboutBox() const { return about_.get(); }

    // ---- Toolbar ----
    void Toolbar1_ButtonClick(const QString& key);

    // ---- File (the part the close needs) ----
    // Save: true when the file was written.
    bool mnuSave_Click();

    // ---- Modified flag ----
    bool modified() const { return modified_; }
    void setModified(bool modified);
    // The caption without the modified mark ("TOVU", or the title and a model name).
    void setCaptionBase(const QString& base);

    // ---- Busy guard ----
    // True while a command runs; user commands and closing are refused meanwhile.
    bool busy() const { return busyDepth_ > 0; }
    // Runs a user command unless another one is running (then false, nothing runs).
    bool runCommand(const std::function<void()>& command);

    // ---- Controls, for the handlers built later and for tests ----
    MainContext& context() { return ctx_; }
    MainMenus& menus() { return menus_; }
    QAction* action(const QString& name) const { return menus_.action(name); }
    MemoryTree* DFDTree() const { return tree_; }
    QListView* lvwPanelsALog() const { return list_; }
    ItemListModel& listModel() { return *listModel_; }
    display::AScanWidget* Picture1() const { return picture_; }
    NotesPane* NotesSettingsTab() const { return notes_; }
    QGroupBox* Frm_Export() const { return exportFrame_; }
    QToolBar* Toolbar1() const { return toolbar_; }
    QAction* toolbarButton(int position) const;  // 1..17
    QWidget* imgSplitter() const;
    QWidget* picSplitter() const { return picSplitter_; }
    QPushButton* cmdMoveOrder(int index) const { return moveOrder_[index]; }
    display::AScanMenuController& ascanMenus() { return *ascanMenus_; }
    ReportStatusDialog* lastStatusReport() const { return lastReport_.get(); }
    // The Word report, Copy Panel, Print and the ALog exports.
    ReportWiring& reportWiring() const { return *reports_; }
    // The ANSI code page of the chosen language: the files written are in it.
    int languageCodePage() const;

    bool WordAvailable = false;
    bool ReportCreated = false;
    bool serviceMode() const { return serviceMode_; }
    bool mbMoving = false;
    float splitterLeft = 2560;  // twips
    platform::automation::DispatchRef Verbolt1;
    CommonDialog CommonDialog1;

    // ---- Item commands: transfers by drag and drop, opening, notes, files ----
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
    void lvwPanelsALog_DblClick();
    void lvwPanelsALog_ItemClick(int item);
    void GridSettings_DragDrop();
    void Picture1_DragDrop();
    // Opens WorkItems record n: draws it, fills the grid and, for an item in use, the
    // notes; it becomes the shown item. False when it holds neither an item nor a waveform.
    bool openItem(int n);
    // The one item the picture, the grid, the report, the printout, the copy and the
    // exports use: the item opened last (by any route) or the live settings.
    const ShownItem& shownItem() const { return shown_; }
    // Makes WorkItems record n (already drawn) the shown item.
    void setShownItem(int n);
    // Shows the shown item anew when its working record was refilled with other data (a
    // download, a file opened); a record that holds the same data is left as drawn.
    void refreshShownItem();
    // The item whose notes the notes pane shows: its edits go there.
    const ShownItem& notesItem() const { return notesItem_; }
    // The list's selected item (the first one of a range); none when nothing is selected.
    std::optional<int> selectedItemIndex() const;
    bool mnuOpen_Click();
    bool mnuSaveIndividual_Click();
    void mnuGetCurrentSettings_Click();
    void mnuCompactMem_Click();
    void cmdMoveOrder_Click(int Index);
    void Recycle_Bin_Empty();
    bool KeepListSelection = false;
    int ListSelFirst = 0;
    int ListSelLast = 0;
    bool dragdropHighlight = false;

    // AScanHost
    std::optional<int> shownItemIndex() const override;
    void ShowALogSettings(int index) override;
    void ShowItemNotes(int index) override;
    void showColourDialog() override;
    QSize pictureSize() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class BusyScope;
    class StatusTree;  // the memory tree as the status read shows it (StatusDisplay.cpp)

    void createControls();
    void createToolbar();
    void connectMenus();
    void connectCommand(QAction* action, std::function<void()> command);
    void connectLink();
    void probeWord();
    void buildTree();
    QString programTitle() const { return kProgramTitle; }
    void refreshCaption();
    void setHelpFile();
    void loadCopyOptions();
    void syncPictureTypeMenus();
    void syncAscanChecks();
    void showPageChecks();
    void relabelALogPage(int bank);
    void showKind(ListKind kind);
    void loadAbout();
    void hideCursor();
    bool approveDiscard(int generation);
    void applyMemoryMenus(const link::MemoryMenus& m);
    void statusRead(bool all, bool panels, bool alogs, bool show);
    void DFDTree_PopUp(int position, const QPoint& globalPos);

    void connectItemCommands();
    void connectServiceWindows();
    void mnuTerminal_Click();
    void mnuThickness_Click();
    void mnuSetPrivilege_Click();
    void connectFileCommands();
    void storeNote(int box, const QString& text);
    void storeMemo();
    void markModified() { setModified(true); }
    link::TransferEnv transferEnv();
    void updateMinimumSize();
    ShownItem shown_{ShownItem::Array::ALogs, -1};  // -1: nothing opened yet
    ShownItem notesItem_;
    items::DFDRecord shownRecord_;  // the shown item as it was drawn
    bool showingNotes_ = false;
    std::unique_ptr<WindowTransferHost> transferHost_;
    std::unique_ptr<DragDropWiring> dragDrop_;
    std::unique_ptr<ReportWiring> reports_;
    link::ThicknessLog thicknessLog_;  // the readings held for the program's life

    MainContext& ctx_;
    MainMenus menus_;
    MemoryTree* tree_ = nullptr;
    QListView* list_ = nullptr;
    std::unique_ptr<ItemListModel> listModel_;
    display::AScanWidget* picture_ = nullptr;
    NotesPane* notes_ = nullptr;
    QGroupBox* exportFrame_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    std::vector<QAction*> toolbarButtons_;
    SplitterHandle* imgSplitter_ = nullptr;
    QWidget* picSplitter_ = nullptr;
    std::array<QPushButton*, 2> moveOrder_{};
    std::unique_ptr<display::AScanMenuController> ascanMenus_;
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<ReportStatusDialog> lastReport_;

    PageState pages_;
    QString captionBase_ = kProgramTitle;
    QString helpFile_;
    bool modified_ = false;
    bool serviceMode_ = false;
    int busyDepth_ = 0;
    bool unloading_ = false;
    bool discarded_ = false;
};

} // namespace tovu::mainwindow
