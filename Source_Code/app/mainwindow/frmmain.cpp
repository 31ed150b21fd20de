#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/CaptionTable.h"

#include "app/display/widgets/AScanPropertiesDialog.h"
#include "app/link/BaudScan.h"
#include "app/link/forms/TransferForm.h"
#include "app/mainwindow/CaptionTable.h"
#include "app/mainwindow/DragDropWiring.h"
#include "app/mainwindow/DragFeedback.h"
#include "app/mainwindow/FileMenus.h"
#include "app/mainwindow/Icons.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/ItemViews.h"
#include "app/mainwindow/MainToolbar.h"
#include "app/mainwindow/PageMenus.h"
#include "app/mainwindow/PaneLayout.h"
#include "app/mainwindow/ReportWiring.h"
#include "app/mainwindow/SplitterHandle.h"
#include "app/mainwindow/StatusDisplay.h"
#include "app/mainwindow/TransferCommands.h"
#include "app/reports/widgets/ReportFrame.h"
#include "platform/locale/AnsiCodePage.h"
#include "platform/locale/UserLocale.h"
#include "platform/text/NumberText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

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
    toolbar_ = std::make_unique<MainToolbar>(*this, ctx_.language, [this](const QString& key) {
        Toolbar1_ButtonClick(key);
    });
    createControls();
    views_ = std::make_unique<ItemViews>(ctx_, menus_, *list_, *listModel_, *toolbarButton(kSuperimposeButton), *ascanMenus_,
                                         [this] { items_->refreshShownItem(); });
    layout_ = std::make_unique<PaneLayout>(*this);
    // The page menus redraw the ticks through the status display, which reads their pages.
    pages_ = std::make_unique<PageMenus>(
        menus_, *tree_, ctx_.language, [this](QAction* item, std::function<void()> handler) { connectCommand(item, std::move(handler)); },
        [this](const QString& panelPage, const QString& alogBank) { status_->RE_DRAW_TICKS_ON_PANEL(panelPage, alogBank); });
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
        qtTexts_.follow(ctx_.language.LanguageCode());
        const int item = languageItemOfUserLocale(ctx_.language.LanguageCode());
        for (int i = 0; i < kLanguages; ++i)
            menus_.mnuMultSel[static_cast<std::size_t>(i)]->setChecked(i == item);
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
        {"CopyAlog", [this] { reports_->mnuCopyAlog_Click(); }},
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

// ---- Controls, toolbar and the wiring of every menu item to its handler ----

QAction* frmmain::toolbarButton(int position) const
{
    return toolbar_->button(position);
}

QWidget* frmmain::imgSplitter() const
{
    return imgSplitter_;
}

void frmmain::createControls()
{
    auto* form = new QWidget(this);
    form->setObjectName(QStringLiteral("Form"));
    form->setMouseTracking(true);
    form->installEventFilter(this);
    setCentralWidget(form);

    tree_ = new MemoryTree(form);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        DFDTree_PopUp(tree_->positionOf(tree_->itemAt(p)), tree_->viewport()->mapToGlobal(p));
    });

    listModel_ = std::make_unique<ItemListModel>(ctx_.store);
    list_ = new ItemListView(form);
    list_->setObjectName(QStringLiteral("lvwPanelsALog"));
    list_->setModel(listModel_.get());
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setLayoutMode(QListView::Batched);
    list_->setResizeMode(QListView::Adjust);

    imgSplitter_ = new SplitterHandle(form);
    picSplitter_ = new QWidget(form);
    picSplitter_->setObjectName(QStringLiteral("picSplitter"));
    picSplitter_->setAutoFillBackground(true);
    QPalette bar = picSplitter_->palette();
    bar.setColor(QPalette::Window, QColor(128, 128, 128));
    picSplitter_->setPalette(bar);
    picSplitter_->hide();

    // The two move buttons of the reorder commands.
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(i == 0 ? QStringLiteral("\u25B2") : QStringLiteral("\u25BC"), form);
        b->setObjectName(QStringLiteral("cmdMoveOrder(%1)").arg(i));
        moveOrder_[static_cast<std::size_t>(i)] = b;
    }

    exportFrame_ = new reports::ReportFrame(ctx_.language, form);
    exportFrame_->setObjectName(QStringLiteral("Frm_Export"));
    exportFrame_->hide();

    picture_ = new display::AScanWidget(ctx_.display, form);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->setShownItemSource([this] { return shownItemIndex(); });

    notes_ = new NotesPane(form);
    notes_->installEventFilter(this);

    ascanMenus_ = std::make_unique<display::AScanMenuController>(ctx_.display, ctx_.clipboard, *this);
    connect(picture_, &display::AScanWidget::popUpMenuRequested, this,
            [this](const QPoint& p) { menus_.menu(QStringLiteral("mnuPopUpAscan"))->popup(p); });
}

bool frmmain::eventFilter(QObject* watched, QEvent* event)
{
    // The bare window and the notes pane hide the A-scan cursor read-out.
    if (event->type() == QEvent::MouseMove && (watched == centralWidget() || watched == notes_))
        Form_MouseMove();
    return QMainWindow::eventFilter(watched, event);
}

// The tree's pop-up menus: the scan menu on PANELS and ALOGS, the memory menu elsewhere,
// with the items that the node under the pointer allows.
void frmmain::DFDTree_PopUp(int position, const QPoint& globalPos)
{
    if (position < 0)
        return;
    if (position == kPanelsNode || position == kALogsNode) {
        tree_->setCurrentItem(tree_->node(position));
        menus_.menu(QStringLiteral("mnuScan"))->popup(globalPos);
        return;
    }
    QAction* status = action(QStringLiteral("mnuStatus"));
    QAction* memory = action(QStringLiteral("mnuMemory"));
    QAction* recall = action(QStringLiteral("PopUpmnuRecallItem"));
    QAction* del = action(QStringLiteral("PopUpmnuDeleteItem"));
    if (position == kRootNode) {
        status->setEnabled(true);
        memory->setEnabled(ctx_.store.MemoryGeneration >= 1);
        recall->setEnabled(false);
        del->setEnabled(false);
    } else {
        const bool panel = position < kALogsNode;
        const long long offset = panel ? position - kPanelsNode : position - kALogsNode;
        status->setEnabled(false);
        memory->setEnabled(false);
        recall->setEnabled(true);
        del->setEnabled(true);
        recall->setText(ctx_.language.GetResString(panel ? ids::RecallPanel : ids::RecallALog) + platform::text::numberText(offset));
        del->setText(ctx_.language.GetResString(panel ? ids::DeletePanel : ids::DeleteALog) + platform::text::numberText(offset));
    }
    menus_.menu(QStringLiteral("mnuPopUpDFDtree"))->popup(globalPos);
}

void frmmain::connectMenus()
{
    const auto ascan = [this](void (display::AScanMenuController::*handler)()) {
        return [this, handler] {
            (ascanMenus_.get()->*handler)();
            syncAscanChecks();
        };
    };

    // Exit is the close: the close itself refuses while a command runs.
    connect(action(QStringLiteral("mnuExit")), &QAction::triggered, this, [this] { mnuExit_Click(); });
    connectCommand("mnuViewALogs", [this] { views_->mnuViewALogs_Click(); });
    connectCommand("mnuViewPanels", [this] { views_->mnuViewPanels_Click(); });
    connectCommand("mnuSuperimpose", [this] { views_->mnuSuperimpose_Click(); });
    connectCommand("mnuLargeIcons", [this] { views_->mnuLargeIcons_Click(); });
    connectCommand("mnuSmallIcons", [this] { views_->mnuSmallIcons_Click(); });
    connectCommand("mnuList", [this] { views_->mnuList_Click(); });
    connectCommand("mnuAbout", [this] { mnuAbout_Click(); });
    connectCommand("mnuhelp", [this] { help_.mnuhelp_Click(); });

    connectCommand("mnuPopUpAscanStyleMinMax", ascan(&display::AScanMenuController::mnuPopUpAscanStyleMinMax_Click));
    connectCommand("mnuPopUpAscanStyleSmooth", ascan(&display::AScanMenuController::mnuPopUpAscanStyleSmooth_Click));
    connectCommand("mnuOptionsAlogStyleMinMax", ascan(&display::AScanMenuController::mnuOptionsAlogStyleMinMax_Click));
    connectCommand("mnuOptionsAlogStyleSmooth", ascan(&display::AScanMenuController::mnuOptionsAlogStyleSmooth_Click));
    connectCommand("mnuPictureBitmap", ascan(&display::AScanMenuController::mnuPictureBitmap_Click));
    connectCommand("mnuPictureMetafile", ascan(&display::AScanMenuController::mnuPictureMetafile_Click));
    connectCommand("mnuAScanProperties", ascan(&display::AScanMenuController::mnuAScanProperties_Click));
    connectCommand("mnuAlogProperties", ascan(&display::AScanMenuController::mnuAlogProperties_Click));

    for (int i = 0; i < kComPorts; ++i)
        connectCommand(menus_.mnuCom[static_cast<std::size_t>(i)], [this, i] { mnuCom_Click(i); });
    for (int i = 0; i < kLanguages; ++i)
        connectCommand(menus_.mnuMultSel[static_cast<std::size_t>(i)], [this, i] { mnuMultSel_Click(i); });
    for (int i = 0; i < kCopyOptions; ++i)
        connectCommand(menus_.mnuCopyClipBoardOptions[static_cast<std::size_t>(i)], [this, i] { clipboardOptions_.mnuCopyClipBoardOptions_Click(i); });
    for (int i = 1; i <= 2; ++i)
        connectCommand(menus_.mnuoptall[static_cast<std::size_t>(i)], [this, i] { clipboardOptions_.mnuoptall_Click(i); });

    // The design's initial checks: the ALog view, the Min-Max trace (the page menus check
    // their first pages themselves); the thousands menus start hidden until a 10000-ALog
    // instrument.
    action(QStringLiteral("mnuViewALogs"))->setChecked(true);
    action(QStringLiteral("mnuAlogMemSelect2"))->setVisible(false);
    syncAscanChecks();
    // The other items are wired by the collaborators that handle them: the status display,
    // the page menus, the item, instrument and file commands and the report wiring.
}

// The A-scan menu checks are kept by the display's controller; the items mirror them.
void frmmain::syncAscanChecks()
{
    const display::AScanMenuChecks& c = ascanMenus_->checks();
    const std::pair<const char*, bool> checks[] = {
        {"mnuPopUpAscanStyleMinMax", c.mnuPopUpAscanStyleMinMax},
        {"mnuPopUpAscanStyleSmooth", c.mnuPopUpAscanStyleSmooth},
        {"mnuOptionsAlogStyleMinMax", c.mnuOptionsAlogStyleMinMax},
        {"mnuOptionsAlogStyleSmooth", c.mnuOptionsAlogStyleSmooth},
        {"mnuPictureMetafile", c.mnuPictureMetafile},
        {"mnuPictureBitmap", c.mnuPictureBitmap},
    };
    for (const auto& [name, checked] : checks)
        action(QString::fromLatin1(name))->setChecked(checked);
}

// ---- AScanHost ----

std::optional<int> frmmain::shownItemIndex() const
{
    return items_ ? items_->shownItemIndex() : std::nullopt;
}

void frmmain::ShowALogSettings(int index)
{
    items_->ShowALogSettings(index);
}

void frmmain::ShowItemNotes(int index)
{
    items_->ShowItemNotes(index);
}

void frmmain::showColourDialog()
{
    display::AScanPropertiesDialog dialog(ctx_.language, ctx_.settings, this);
    ctx_.ui.runModal(dialog);
}

QSize frmmain::pictureSize() const
{
    return picture_->size();
}

// ---- Captions from string ids, and the language menu ----

void frmmain::ApplyLanguageCaptions()
{
    const items::StringSource& s = ctx_.language;
    setCaptionBase(programTitle());
    for (int i = 0; i < kLanguages; ++i)
        menus_.mnuMultSel[static_cast<std::size_t>(i)]->setText(s.GetResString(languageCaptionIds()[static_cast<std::size_t>(i)]));
    for (const Caption& c : menuCaptions())
        action(QString::fromLatin1(c.control))->setText(s.GetResString(c.id));
    for (int i = 0; i < kComPorts; ++i)
        menus_.mnuCom[static_cast<std::size_t>(i)]->setText(s.GetResString(kComCaptionId) + u' ' + QString::number(i + 1));

    notes_->setCurrentIndex(kNotesTab);
    notes_->setCurrentCaption(s.GetResString(kNotesTabCaptionId));
    for (const Caption& c : noteCaptions())
        notes_->findChild<QLabel*>(QString::fromLatin1(c.control))->setText(s.GetResString(c.id));
    notes_->setCurrentIndex(kSettingsTab);
    notes_->setCurrentCaption(s.GetResString(kSettingsTabCaptionId));
    notes_->setTabText(kMemoTab, s.GetResString(ids::MemoTab));

    menus_.mnuoptall[1]->setText(s.GetResString(kSelectAllOptionsId));
    menus_.mnuoptall[2]->setText(s.GetResString(kDeleteAllOptionsId));
    for (int i = 0; i < kCopyOptions; ++i)
        menus_.mnuCopyClipBoardOptions[static_cast<std::size_t>(i)]->setText(
            s.GetResString(copyOptionCaptionIds()[static_cast<std::size_t>(i)]));

    for (const Tooltip& t : toolbarTooltips())
        toolbarButton(t.position)->setToolTip(s.GetResString(t.id));
    toolbar_->helpButton()->setText(s.GetResString(ids::HelpButton));
    if (reports_)
        reports_->frame().applyCaptions(s);
    // The grid's heading row (strings 170 and 171) is written by InitSettingsGrid, which
    // both callers run right after this routine.
}

void frmmain::mnuMultSel_Click(int Index)
{
    for (int i = 0; i < kLanguages; ++i)
        menus_.mnuMultSel[static_cast<std::size_t>(i)]->setChecked(i == Index);
    ctx_.language.setLanguageCode(QString::fromLatin1(localeCodeOfLanguageItem(Index)));
    help_.setHelpFile();
    ctx_.settings.SaveSetting(QStringLiteral("Application"), QStringLiteral("Language"), ctx_.language.LanguageCode());
    // Without a library for the code every text on screen stays as it is.
    if (!ctx_.language.LoadResourceDll(ctx_.language.LanguageCode()))
        return;
    qtTexts_.follow(ctx_.language.LanguageCode());
    items::InitModelNames(ctx_.link.ModelNames);
    // The tree keeps what the status read and the page menus put into it; only its words
    // change with the language.
    tree_->retitle(ctx_.language, ctx_.link.ModelNames);
    pages_->relabelPages();
    ApplyLanguageCaptions();
    notes_->gridModel().InitSettingsGrid(ctx_.language);
    views_->FillItemList();
    // The shown item in the new language's names; longer captions may need more room.
    if (const std::optional<int> n = shownItemIndex())
        items_->openItem(*n);
    layout_->Form_Resize();
}

} // namespace tovu::mainwindow
