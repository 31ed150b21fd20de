// The window's controls, its toolbar and the wiring of every menu item to its handler.
#include "app/mainwindow/frmmain.h"

#include "app/display/widgets/AScanPropertiesDialog.h"
#include "platform/text/NumberText.h"
#include "app/mainwindow/DragFeedback.h"
#include "app/mainwindow/Icons.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/SplitterHandle.h"
#include "app/mainwindow/ItemViews.h"
#include "app/reports/widgets/ReportFrame.h"

#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace tovu::mainwindow {

namespace {

struct ToolbarButton {
    const char* key;  // nullptr: a separator
    QStyle::StandardPixmap icon;
    bool checkable = false;
    std::optional<ToolbarPicture> own = std::nullopt;  // a picture of the program's own instead
};

// Positions 1 to 17 in order.
constexpr ToolbarButton kToolbar[] = {
    {"Open", QStyle::SP_DialogOpenButton},
    {"Save", QStyle::SP_DialogSaveButton},
    {nullptr, QStyle::SP_CustomBase},
    {"Status", QStyle::SP_BrowserReload},
    {nullptr, QStyle::SP_CustomBase},
    {"CopyAlog", QStyle::SP_FileDialogContentsView},
    {"CopyPanel", QStyle::SP_CustomBase, false, ToolbarPicture::CopyPanel},
    {"wordIcon1", QStyle::SP_CustomBase, false, ToolbarPicture::Word},
    {nullptr, QStyle::SP_CustomBase},
    {"ViewAlogs", QStyle::SP_ArrowLeft},
    {"ViewPanels", QStyle::SP_ArrowRight},
    {"Superimpose", QStyle::SP_TitleBarNormalButton, true},
    {"Recycle_Bin_Empty", QStyle::SP_TrashIcon},
    {"LargeIcons", QStyle::SP_FileDialogListView},
    {"SmallIcons", QStyle::SP_FileDialogInfoView},
    {"List", QStyle::SP_CustomBase, false, ToolbarPicture::List},
    {"TOVUHelp", QStyle::SP_DialogHelpButton},
};

} // namespace

void frmmain::createToolbar()
{
    toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbarButtons_.assign(1, nullptr);  // positions from 1
    for (const ToolbarButton& b : kToolbar) {
        if (!b.key) {
            toolbarButtons_.push_back(toolbar_->addSeparator());
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        const QIcon icon = b.own ? toolbarPicture(*b.own) : style()->standardIcon(b.icon);
        const QString text = key == u"TOVUHelp" ? ctx_.language.GetResString(ids::HelpButton) : QString();
        QAction* a = toolbar_->addAction(icon, text);
        a->setObjectName(key);
        a->setData(key);
        a->setCheckable(b.checkable);
        connectCommand(a, [this, key] { Toolbar1_ButtonClick(key); });
        toolbarButtons_.push_back(a);
    }
    // The help button carries its fixed text beside the picture.
    if (auto* help = toolbar_->widgetForAction(toolbarButtons_.back()))
        if (auto* button = qobject_cast<QToolButton*>(help))
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

QAction* frmmain::toolbarButton(int position) const
{
    return toolbarButtons_.at(static_cast<std::size_t>(position));
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

    connectCommand("mnuCopyAlog", ascan(&display::AScanMenuController::mnuCopyAlog_Click));
    connectCommand("mnuPopUpAscanCopy", ascan(&display::AScanMenuController::mnuPopUpAscanCopy_Click));
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

} // namespace tovu::mainwindow
