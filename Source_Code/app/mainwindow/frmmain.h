#pragma once
// The main window: start-up and shutdown, the menus and toolbar, the controls (memory
// tree, item list, A-scan picture, notes and settings tab, report frame), language and
// captions, the About box, the modified mark and the busy guard. One instance for the
// program's life; its handlers keep their own names. The item list's views, the clipboard
// options and the help file are small classes of its own.
//
// The commands live in collaborators the window owns, each with its own state: the status
// display, the page menus, the pane layout, the item commands, the instrument commands,
// the file menus and the report wiring. They reach the controls and each other through
// the accessors below.

#include "app/display/AScanMenuController.h"
#include "app/display/widgets/AScanWidget.h"
#include "app/mainwindow/ClipboardOptionsMenu.h"
#include "app/mainwindow/HelpMenu.h"
#include "app/mainwindow/ItemListModel.h"
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/MainMenus.h"
#include "app/mainwindow/MainToolbar.h"
#include "app/mainwindow/MemoryTree.h"
#include "app/mainwindow/NotesPane.h"
#include "app/mainwindow/QtDialogTexts.h"
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

namespace tovu::mainwindow {

class DragDropWiring;
class FileMenus;
class ItemCommands;
class ItemViews;
class PageMenus;
class PaneLayout;
class ReportWiring;
class SplitterHandle;
class StatusDisplay;
class TransferCommands;

namespace ids = resources::ids;

constexpr int kTwipsPerPixel = 15;
inline const QString kProgramTitle = QStringLiteral("TOVU");
inline const QString kVerboltProgId = QStringLiteral("Verbolt_OCX.Verbolt");
inline const QString kControlLibrary = QStringLiteral("libword.so");
constexpr platform::automation::DispId kIsWordAvailableId = 0x60030054;

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
    void Form_MouseMove();

    // ---- Captions and language ----
    void ApplyLanguageCaptions();
    void mnuMultSel_Click(int Index);
    // Qt's own dialog texts, in the language of the table in force.
    const QtDialogTexts& qtDialogTexts() const { return qtTexts_; }

    // ---- Item list and views ----
    ItemViews& itemViews() const { return *views_; }

    // ---- Clipboard options ----
    ClipboardOptionsMenu& clipboardOptions() { return clipboardOptions_; }

    // ---- About, help ----
    void mnuAbout_Click();
    HelpMenu& helpMenu() { return help_; }
    frmAbout* aboutBox() const { return about_.get(); }

    // ---- Toolbar ----
    void Toolbar1_ButtonClick(const QString& key);

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
    // Runs command through the busy guard whenever the menu item or button is triggered.
    void connectCommand(QAction* action, std::function<void()> command);
    // The same for the menu item of that name.
    void connectCommand(const char* actionName, std::function<void()> command);

    // ---- The collaborators ----
    StatusDisplay& statusDisplay() const { return *status_; }
    PageMenus& pageMenus() const { return *pages_; }
    PaneLayout& paneLayout() const { return *layout_; }
    ItemCommands& itemCommands() const { return *items_; }
    TransferCommands& transferCommands() const { return *transfers_; }
    FileMenus& fileMenus() const { return *files_; }
    // The Word report, Copy Panel, Print and the ALog exports.
    ReportWiring& reportWiring() const { return *reports_; }

    // ---- Controls ----
    MainContext& context() const { return ctx_; }
    MainMenus& menus() { return menus_; }
    QAction* action(const QString& name) const { return menus_.action(name); }
    MemoryTree* DFDTree() const { return tree_; }
    QListView* lvwPanelsALog() const { return list_; }
    ItemListModel& listModel() const { return *listModel_; }
    display::AScanWidget* Picture1() const { return picture_; }
    NotesPane* NotesSettingsTab() const { return notes_; }
    QGroupBox* Frm_Export() const { return exportFrame_; }
    QToolBar* Toolbar1() const { return toolbar_->toolbar(); }
    QAction* toolbarButton(int position) const;  // 1..17
    QWidget* imgSplitter() const;
    SplitterHandle& splitterHandle() const { return *imgSplitter_; }
    QWidget* picSplitter() const { return picSplitter_; }
    QPushButton* cmdMoveOrder(int index) const { return moveOrder_[static_cast<std::size_t>(index)]; }
    display::AScanMenuController& ascanMenus() { return *ascanMenus_; }
    // The window's one file dialog: every command sets what it needs of it.
    CommonDialog& commonDialog() { return commonDialog_; }

    // The document control (null without its library) and whether it found Word.
    const platform::automation::DispatchRef& verbolt() const { return verbolt_; }
    bool wordAvailable() const { return wordAvailable_; }
    // Stands for a PC on which the probe found no Word (tests).
    void setWordAvailable(bool available) { wordAvailable_ = available; }
    // Whether a Word report is open.
    bool reportCreated() const;
    bool serviceMode() const { return serviceMode_; }
    // The ANSI code page of the chosen language: the files written are in it.
    int languageCodePage() const;

    // AScanHost: the shown item is the item commands'.
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

    void createControls();
    void connectMenus();
    void connectLink();
    void probeWord();
    void buildTree();
    QString programTitle() const { return kProgramTitle; }
    void refreshCaption();
    void syncAscanChecks();
    void loadAbout();
    void hideCursor();
    void DFDTree_PopUp(int position, const QPoint& globalPos);

    MainContext& ctx_;
    MainMenus menus_;
    ClipboardOptionsMenu clipboardOptions_{menus_, ctx_.settings};
    HelpMenu help_{ctx_};
    MemoryTree* tree_ = nullptr;
    QListView* list_ = nullptr;
    std::unique_ptr<ItemListModel> listModel_;
    display::AScanWidget* picture_ = nullptr;
    NotesPane* notes_ = nullptr;
    QGroupBox* exportFrame_ = nullptr;
    std::unique_ptr<MainToolbar> toolbar_;
    SplitterHandle* imgSplitter_ = nullptr;
    QWidget* picSplitter_ = nullptr;
    std::array<QPushButton*, 2> moveOrder_{};
    std::unique_ptr<display::AScanMenuController> ascanMenus_;
    std::unique_ptr<frmAbout> about_;
    CommonDialog commonDialog_;
    QtDialogTexts qtTexts_;
    platform::automation::DispatchRef verbolt_;

    std::unique_ptr<ItemViews> views_;
    std::unique_ptr<PaneLayout> layout_;
    std::unique_ptr<PageMenus> pages_;
    std::unique_ptr<StatusDisplay> status_;
    std::unique_ptr<ItemCommands> items_;
    std::unique_ptr<TransferCommands> transfers_;
    std::unique_ptr<FileMenus> files_;
    std::unique_ptr<DragDropWiring> dragDrop_;
    std::unique_ptr<ReportWiring> reports_;

    QString captionBase_ = kProgramTitle;
    bool wordAvailable_ = false;
    bool modified_ = false;
    bool serviceMode_ = false;
    int busyDepth_ = 0;
    bool unloading_ = false;
};

} // namespace tovu::mainwindow
