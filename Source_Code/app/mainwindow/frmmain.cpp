#include "app/mainwindow/frmmain.h"

#include "platform/text/NumberText.h"
#include "app/link/BaudScan.h"
#include "app/link/forms/TransferForm.h"
#include "app/mainwindow/DragDropWiring.h"
#include "app/mainwindow/FileMenus.h"
#include "app/mainwindow/Icons.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/ItemViews.h"
#include "app/mainwindow/PageMenus.h"
#include "app/mainwindow/PaneLayout.h"
#include "app/mainwindow/ReportWiring.h"
#include "app/mainwindow/SplitterHandle.h"
#include "app/mainwindow/StatusDisplay.h"
#include "app/mainwindow/TransferCommands.h"
#include "platform/locale/AnsiCodePage.h"
#include "platform/locale/UserLocale.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace tovu::mainwindow {

// Counts the commands in progress for the busy guard.
class frmmain::BusyScope {
public:
    explicit BusyScope(frmmain& w) : w_(w) { ++w_.busyDepth_; }
    ~BusyScope() { --w_.busyDepth_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    frmmain& w_;
};

namespace {

constexpr int kSuperimposeButton = 12;  // the toolbar position of Superimpose

// A start-up step that fails is skipped and the next one runs, so that a missing language
// library, Word, port or instrument never stops the program; the failure goes to the log
// under the step's name.
template <typename F>
void startUpStep(const char* step, F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        qWarning("start-up step %s failed: %s", step, e.what());
    } catch (...) {
        qWarning("start-up step %s failed", step);
    }
}

} // namespace

frmmain::frmmain(MainContext& ctx) : ctx_(ctx)
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowIcon(iconResource(IconResource::Detector));
    buildMenus(*this, menus_);
    createToolbar();
    createControls();
    views_ = std::make_unique<ItemViews>(ctx_, menus_, *list_, *listModel_, *toolbarButton(kSuperimposeButton), *ascanMenus_,
                                         [this] { items_->refreshShownItem(); });
    layout_ = std::make_unique<PaneLayout>(*this);
    // The page menus redraw the ticks through the status display, which reads their pages.
    pages_ = std::make_unique<PageMenus>(*this, [this](const QString& panelPage, const QString& alogBank) {
        status_->RE_DRAW_TICKS_ON_PANEL(panelPage, alogBank);
    });
    status_ = std::make_unique<StatusDisplay>(*this);
    connectMenus();
    connectLink();
    items_ = std::make_unique<ItemCommands>(*this);
    transfers_ = std::make_unique<TransferCommands>(*this);
    files_ = std::make_unique<FileMenus>(*this);
    dragDrop_ = std::make_unique<DragDropWiring>(*this);
    statusBar();
    // 9750 x 7365 twips at the least.
    setMinimumSize(9750 / kTwipsPerPixel, 7365 / kTwipsPerPixel);
    resize(800, 600);
    refreshCaption();

    // The document control lives as long as the window. Without its library the program
    // simply has no Word report.
    startUpStep("create the document control", [&] {
        verbolt_ = ctx_.activator.createObjectFrom(ctx_.paths.programFolder + u'/' + kControlLibrary, kVerboltProgId);
    });
    reports_ = std::make_unique<ReportWiring>(*this);
}

frmmain::~frmmain()
{
    // The transfer dialog is a child window: let it go before the window's children do.
    ctx_.link.unloadTransferDialog();
    ctx_.link.makeTransferView = nullptr;
}

// The transfers show their progress in a dialog of the window's.
void frmmain::connectLink()
{
    ctx_.link.makeTransferView = [this]() -> std::unique_ptr<link::TransferView> {
        return std::make_unique<link::TransferForm>(ctx_.language, [this] { ctx_.link.Active = false; }, this);
    };
}

// ---- Start-up ----

void frmmain::Form_Load()
{
    BusyScope busy(*this);
    items::ItemStore& store = ctx_.store;
    // Steps 1 and 2: the start-up counts and empty arrays.
    startUpStep("empty item arrays", [&] {
        store = items::ItemStore();
        store.ThicknessCount = 0;
        ctx_.link.GenerationIdentified = false;
    });
    store.LiveSettingsShown = false;
    notes_->setMemoTabShown(false);
    probeWord();
    exportFrame_->setVisible(false);
    hideCursor();
    if (reports_)
        reports_->report().ReportCreated = false;

    // The service switch: the first two characters of the command line.
    serviceMode_ = ctx_.options.commandLine.left(2).toUpper() == u"/Z";
    for (const char* name : {"mnuTerminal", "mnuPrint"}) {
        action(QString::fromLatin1(name))->setVisible(serviceMode_);
        action(QString::fromLatin1(name))->setEnabled(serviceMode_);
    }
    notes_->setMemoTabShown(serviceMode_);

    ctx_.link.Active = true;
    startUpStep("LoadResourceDll", [&] {
        ctx_.language.setLanguageCode(platform::locale::lcidText(ctx_.userLcid()));
        ctx_.language.LoadResourceDll(ctx_.language.LanguageCode());
    });
    startUpStep("help file name", [&] { help_.setHelpFile(); });
    startUpStep("build the memory tree", [&] { buildTree(); });
    startUpStep("InitModelNames", [&] { items::InitModelNames(ctx_.link.ModelNames); });
    startUpStep("ApplyLanguageCaptions", [&] { ApplyLanguageCaptions(); });
    startUpStep("InitSettingsGrid", [&] { notes_->gridModel().InitSettingsGrid(ctx_.language); });
    startUpStep("clipboard options", [&] { clipboardOptions_.loadCopyOptions(); });

    // The saved port, COM 1 when none (or no sensible one) is saved.
    startUpStep("mnuCom_Click", [&] {
        int port = platform::text::intOfText(ctx_.settings.GetSetting(QStringLiteral("Com"), QStringLiteral("Port")));
        if (port < 1)
            port = 1;
        mnuCom_Click(port - 1);
    });
    startUpStep("close the serial port", [&] { ctx_.port.setPortOpen(false); });
    startUpStep("picture format", [&] {
        ascanMenus_->loadPictureType();
        syncAscanChecks();
    });
}

void frmmain::probeWord()
{
    wordAvailable_ = false;
    if (!verbolt_)
        return;
    startUpStep("IsWordAvailable", [&] {
        std::vector<platform::automation::Variant> args;
        const QString version = verbolt_->invoke(kIsWordAvailableId, args).toString();
        wordAvailable_ = platform::text::valueOfText(version) != 0;
    });
}

void frmmain::buildTree()
{
    tree_->build(ctx_.language, iconResource(IconResource::Detector));
}

void frmmain::mnuCom_Click(int Index)
{
    for (int i = 0; i < kComPorts; ++i)
        menus_.mnuCom[static_cast<std::size_t>(i)]->setChecked(i == Index);
    platform::serial::SerialPort& port = ctx_.port;
    if (port.portOpen())
        port.setPortOpen(false);
    if (!port.portOpen())
        port.setCommPort(Index + 1);
    ctx_.settings.SaveSetting(QStringLiteral("Com"), QStringLiteral("Port"), QString::number(Index + 1));

    link::BaudScanHooks hooks;
    hooks.applicationTitle = programTitle();
    hooks.showAbout = [this] {
        loadAbout();
        about_->show();
    };
    hooks.setAboutCaption = [this](const QString& caption) {
        loadAbout();
        about_->setWindowTitle(caption);
    };
    hooks.hideAbout = [this] {
        if (about_)
            about_->hide();
    };
    hooks.statusRead = [this] { status_->statusRead(true, true, true, false); };
    link::scan_baudrate(ctx_.link, hooks);
}

void frmmain::loadAbout()
{
    if (!about_)
        about_ = std::make_unique<frmAbout>(ctx_.language, programTitle(), this);
}

void frmmain::mnuAbout_Click()
{
    loadAbout();
    about_->lblTitle()->setText(programTitle());
    about_->cmdOK()->setVisible(true);
    about_->BaudData()->setText(ctx_.language.GetResString(ids::BaudRateInformation) + QStringLiteral("( ") + ctx_.port.settings()
                                + QStringLiteral(" )"));
    about_->BaudData()->setVisible(true);
    ctx_.ui.runModal(*about_);
    // cmdOK_Click unloads the box; the next scan or About loads it afresh.
    about_.reset();
}

// ---- Shutdown ----

void frmmain::Form_Unload(bool& Cancel)
{
    if (!modified_)
        return;
    const Answer answer = ctx_.ui.askYesNoCancel(ctx_.language.GetResString(ids::SaveBeforeClosing), ctx_.language.GetResString(ids::ProgramTitle),
                                                 MessageIcon::Question);
    if (answer == Answer::Yes) {
        // A save that is cancelled or fails keeps the window, and the changes, open.
        if (!files_->mnuSave_Click())
            Cancel = true;
    } else if (answer != Answer::No) {
        Cancel = true;
    }
}

void frmmain::mnuExit_Click()
{
    close();
}

void frmmain::closeEvent(QCloseEvent* event)
{
    if (busy() && !unloading_) {
        statusBar()->showMessage(ctx_.language.GetResString(ids::LinkBusy), 5000);
        event->ignore();
        return;
    }
    bool cancel = false;
    {
        BusyScope scope(*this);
        unloading_ = true;
        Form_Unload(cancel);
        unloading_ = false;
    }
    if (cancel) {
        event->ignore();
        return;
    }
    if (about_)
        about_->hide();
    event->accept();
}

// ---- Toolbar: each button runs the handler of its menu command, chosen by its key ----

void frmmain::Toolbar1_ButtonClick(const QString& key)
{
    struct Command {
        const char* key;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"Recycle_Bin_Empty", [this] { items_->Recycle_Bin_Empty(); }},
        {"Open", [this] { files_->mnuOpen_Click(); }},
        {"Save", [this] { files_->mnuSave_Click(); }},
        {"Status", [this] { status_->statusRead(true, true, true, true); }},
        {"CopyAlog", [this] { ascanMenus_->mnuPopUpAscanCopy_Click(); }},
        {"ViewAlogs", [this] { views_->mnuViewALogs_Click(); }},
        {"ViewPanels", [this] { views_->mnuViewPanels_Click(); }},
        {"Superimpose", [this] { views_->mnuSuperimpose_Click(); }},
        {"LargeIcons", [this] { views_->mnuLargeIcons_Click(); }},
        {"SmallIcons", [this] { views_->mnuSmallIcons_Click(); }},
        {"List", [this] { views_->mnuList_Click(); }},
        {"TOVUHelp", [this] { help_.mnuhelp_Click(); }},
        {"wordIcon1", [this] { reports_->Toggle_Export_Frame(); }},
        {"CopyPanel", [this] { reports_->mnuCopyPanel_Click(); }},
    };
    for (const Command& c : commands)
        if (key == QLatin1String(c.key)) {
            c.run();
            return;
        }
}

// ---- Modified flag and caption ----

void frmmain::setModified(bool modified)
{
    modified_ = modified;
    refreshCaption();
}

void frmmain::setCaptionBase(const QString& base)
{
    captionBase_ = base;
    refreshCaption();
}

void frmmain::refreshCaption()
{
    setWindowTitle(modified_ ? captionBase_ + QStringLiteral(" *") : captionBase_);
}

// ---- Busy guard ----

bool frmmain::runCommand(const std::function<void()>& command)
{
    if (busy()) {
        statusBar()->showMessage(ctx_.language.GetResString(ids::LinkBusy), 5000);
        return false;
    }
    BusyScope scope(*this);
    try {
        command();
    } catch (const std::exception& e) {
        ctx_.ui.message(QString::fromLocal8Bit(e.what()), ctx_.language.GetResString(ids::ProgramTitle), MessageIcon::Critical);
    }
    return true;
}

void frmmain::connectCommand(QAction* a, std::function<void()> command)
{
    // Checkable items: the handler decides the check, so the toggle Qt made is undone
    // first (also when the command is refused).
    connect(a, &QAction::triggered, this, [this, a, command = std::move(command)](bool checked) {
        if (a->isCheckable())
            a->setChecked(!checked);
        runCommand(command);
    });
}

void frmmain::connectCommand(const char* actionName, std::function<void()> command)
{
    connectCommand(action(QString::fromLatin1(actionName)), std::move(command));
}

// ---- Mouse over the bare window ----

void frmmain::hideCursor()
{
    if (picture_)
        picture_->hideCursor();
}

void frmmain::Form_MouseMove()
{
    hideCursor();
}

void frmmain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (layout_)
        layout_->Form_Resize();
}

void frmmain::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QMainWindow::mouseMoveEvent(event);
}

bool frmmain::reportCreated() const
{
    return reports_ && reports_->report().ReportCreated;
}

int frmmain::languageCodePage() const
{
    return platform::locale::ansiCodePage(ctx_.language.LanguageCode().toUInt(nullptr, 16));
}

} // namespace tovu::mainwindow
