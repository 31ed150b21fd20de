#include "app/mainwindow/ReportWiring.h"
#include "app/mainwindow/PaneLayout.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/FileMenus.h"

#include "app/mainwindow/frmmain.h"
#include "app/reports/widgets/ReportFrame.h"
#include "platform/printing/SystemPrinting.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

namespace tovu::mainwindow {

namespace {

constexpr int kCancelTextId = 6213;

MessageIcon windowIcon(reports::MessageIcon icon)
{
    switch (icon) {
    case reports::MessageIcon::Information: return MessageIcon::Information;
    case reports::MessageIcon::Exclamation: return MessageIcon::Exclamation;
    case reports::MessageIcon::Critical: return MessageIcon::Critical;
    case reports::MessageIcon::Question: return MessageIcon::Question;
    case reports::MessageIcon::None: break;
    }
    return MessageIcon::None;
}

reports::ReportFiles reportFiles(MainContext& ctx)
{
    return {ctx.paths.assetPath(QStringLiteral("Logo.bmp")), ctx.display.picturePath()};
}

} // namespace

ReportWiring::ReportWiring(frmmain& window)
    : w_(window)
    , report_(window.verbolt(), *this, *this, window.context().store, window.context().language,
              reportFiles(window.context()))
    , copy_(window.context().store, window.context().language, copyOptions_, window.context().clipboard, *this, *this)
    , print_(window.context().display, *this, *this)
    , frame_(qobject_cast<reports::ReportFrame*>(window.Frm_Export()))
    , chooser_([this] { return printDialog(); })
{
    if (!frame_)
        throw std::logic_error("the window's Frm_Export is not a report frame");
    frame_->setReportButtonsEnabled(false);
    connectButtons();
    connectMenus();
}

ReportWiring::~ReportWiring() = default;

// The report's buttons are user commands like the menus: refused while another runs
// (a transfer, say), so the report never draws or saves in the middle of one.
void ReportWiring::connectButtons()
{
    using reports::WordReport;
    const std::pair<QPushButton*, void (WordReport::*)()> buttons[] = {
        {frame_->Btn_WordExport(), &WordReport::Btn_WordExport_Click},
        {frame_->BtnExportMulti(), &WordReport::BtnExportMulti_Click},
        {frame_->Btn_SaveClose(), &WordReport::Btn_SaveClose_Click},
        {frame_->Btn_View_Word(), &WordReport::Btn_View_Word_Click},
    };
    for (const auto& [button, handler] : buttons)
        QObject::connect(button, &QPushButton::clicked, &w_,
                         [this, h = handler] { w_.runCommand([this, h] { (report_.*h)(); }); });
    QObject::connect(frame_->BtnExport_Current(), &QPushButton::clicked, &w_,
                     [this] { w_.runCommand([this] { BtnExport_Current_Click(); }); });
}

void ReportWiring::connectMenus()
{
    const std::pair<const char*, void (ReportWiring::*)()> commands[] = {
        {"mnuCopyPanel", &ReportWiring::mnuCopyPanel_Click},
        {"mnuCopyAlog", &ReportWiring::mnuCopyAlog_Click},
        {"mnuPopUpAscanCopy", &ReportWiring::mnuCopyAlog_Click},
        {"mnuPrint", &ReportWiring::mnuPrint_Click},
        {"mnuExportExcel", &ReportWiring::mnuExportExcel_Click},
        {"mnuExportMatlab", &ReportWiring::mnuExportMatlab_Click},
    };
    for (const auto& [name, handler] : commands)
        w_.connectCommand(name, [this, h = handler] { (this->*h)(); });
}

// ---- Commands ----

void ReportWiring::Toggle_Export_Frame()
{
    // The window probes Word at start-up; the report follows what it found.
    report_.WordAvailable = w_.wordAvailable();
    report_.setVerbolt(w_.verbolt());
    constexpr int twips = kTwipsPerPixel;
    const QWidget* list = w_.lvwPanelsALog();
    reports::ExportFrameMetrics m;
    m.scaleHeight = w_.centralWidget() ? w_.centralWidget()->height() * twips : w_.height() * twips;
    m.treeTop = w_.DFDTree()->y() * twips;
    m.listLeft = list->x() * twips;
    m.listWidth = list->width() * twips;
    m.frameLeft = frame_->x() * twips;
    const reports::ExportFrameLayout layout = report_.Toggle_Export_Frame(m);
    frame_->setVisible(layout.frameVisible);
    // The window's layout places the frame and shortens the tree, list and splitter.
    w_.paneLayout().Form_Resize();
}

void ReportWiring::mnuCopyPanel_Click()
{
    if (!w_.itemCommands().requireShownItem())
        return;
    copyOptions_.setMask(w_.clipboardOptions().copyOptionsMask());
    copy_.mnuCopyPanel_Click();
    // The AGC option follows the model of the item copied: shown and enabled from model
    // 11, hidden below; its check (and the stored mask) stay for the next such item.
    QAction* agc = w_.menus().mnuCopyClipBoardOptions[reports::CopyAgc];
    agc->setVisible(copyOptions_.agcAvailable());
    agc->setEnabled(copyOptions_.agcAvailable());
}

void ReportWiring::mnuCopyAlog_Click()
{
    if (w_.itemCommands().requireShownItem())
        w_.ascanMenus().mnuPopUpAscanCopy_Click();
}

void ReportWiring::mnuPrint_Click()
{
    if (w_.itemCommands().requireShownItem())
        print_.mnuPrint_Click();
}

void ReportWiring::BtnExport_Current_Click()
{
    if (w_.itemCommands().requireShownItem())
        report_.BtnExport_Current_Click();
}

reports::AlogExportMenus ReportWiring::exportMenus()
{
    MainContext& ctx = w_.context();
    return reports::AlogExportMenus(ctx.store, ctx.language, *this, w_.languageCodePage());
}

void ReportWiring::mnuExportExcel_Click()
{
    exportMenus().mnuExportExcel_Click(w_.action(QStringLiteral("mnuSaveIndividual"))->text());
}

void ReportWiring::mnuExportMatlab_Click()
{
    exportMenus().mnuExportMatlab_Click(w_.action(QStringLiteral("mnuSaveIndividual"))->text());
}

// ---- ReportUser ----

void ReportWiring::message(const QString& text, const QString& title, reports::MessageIcon icon)
{
    w_.context().ui.message(text, title, windowIcon(icon));
}

bool ReportWiring::askYesNo(const QString& text, const QString& title, reports::MessageIcon icon)
{
    return w_.context().ui.askYesNo(text, title, windowIcon(icon)) == Answer::Yes;
}

std::optional<QString> ReportWiring::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    return w_.context().ui.inputBox(prompt, title, defaultText);
}

// The command sets only some properties of the window's one file dialog; the rest stays
// as the last command left it.
std::optional<QString> ReportWiring::saveFileName(const reports::FileDialogRequest& request)
{
    CommonDialog& d = w_.commonDialog();
    d.Filter = request.Filter;
    d.Flags = request.Flags;
    if (!request.DialogTitle.isEmpty())
        d.DialogTitle = request.DialogTitle;
    d.InitDir = w_.fileMenus().startFolder();
    std::optional<QString> chosen = w_.context().ui.saveFileName(d);
    if (chosen) {
        d.FileName = *chosen;
        w_.fileMenus().rememberFolderOf(*chosen);
    }
    return chosen;
}

platform::printing::PrintJob* ReportWiring::choosePrinter()
{
    return chooser_ ? chooser_() : nullptr;
}

platform::printing::PrintJob* ReportWiring::printDialog()
{
    if (!printerDialog_)
        printerDialog_ = std::make_unique<platform::printing::PrinterDialog>(&w_);
    return printerDialog_->choosePrinter();
}

// ---- ReportWindow ----

QString ReportWiring::noteIndexCaption() const
{
    return w_.NotesSettingsTab()->NoteIndex()->text();
}

QString ReportWiring::modelCaption() const
{
    return w_.NotesSettingsTab()->ModelLbl()->text();
}

QString ReportWiring::dateCaption() const
{
    return w_.NotesSettingsTab()->DateLbl()->text();
}

reports::NoteBoxes ReportWiring::noteBoxes() const
{
    const NotesPane& n = *w_.NotesSettingsTab();
    return {n.LabelText()->text(), n.OperatorText()->text(), n.LocationText()->text(), n.ProbeText()->text(),
            n.NotesText()->text()};
}

const display::SettingsGridModel& ReportWiring::gridSettings() const
{
    return w_.NotesSettingsTab()->gridModel().grid();
}

int ReportWiring::listCount() const
{
    return w_.listModel().count();
}

bool ReportWiring::listItemSelected(int position) const
{
    const QItemSelectionModel* selection = w_.lvwPanelsALog()->selectionModel();
    return selection && position >= 1 && selection->isRowSelected(position - 1, QModelIndex());
}

void ReportWiring::setListSelection(int first, int last)
{
    w_.itemCommands().setListSelection(first, last);
}

void ReportWiring::DrawAScan(int index)
{
    // The range's items are shown one after the other; the last one stays shown.
    w_.context().display.DrawAScan(index);
    w_.itemCommands().setShownItem(index);
}

void ReportWiring::ShowALogSettings(int index)
{
    w_.itemCommands().ShowALogSettings(index);
}

void ReportWiring::ShowItemNotes(int index)
{
    w_.itemCommands().ShowItemNotes(index);
}

void ReportWiring::setReportButtonsEnabled(bool enabled)
{
    frame_->setReportButtonsEnabled(enabled);
}

void ReportWiring::showProgress(const QString& caption)
{
    if (!progress_) {
        progress_ = new QProgressDialog(&w_);
        progress_->setObjectName(QStringLiteral("Dlg_Progress_Bar"));
        progress_->setCancelButton(nullptr);
        progress_->setRange(0, 100);
        progress_->setMinimumDuration(0);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
    }
    progress_->setWindowTitle(caption);
    progress_->setValue(0);
    progress_->show();
}

void ReportWiring::setProgress(int percent)
{
    if (progress_)
        progress_->setValue(percent);
}

void ReportWiring::hideProgress()
{
    if (progress_)
        progress_->hide();
}

// Window-modal, so that its Cancel button is heard between two items while the rest of
// the window waits; every other command is refused meanwhile by the busy guard anyway.
void ReportWiring::showRangeProgress(const QString& caption, int count)
{
    if (!rangeProgress_) {
        rangeProgress_ = new QProgressDialog(&w_);
        rangeProgress_->setObjectName(QStringLiteral("Dlg_Range_Progress"));
        rangeProgress_->setWindowModality(Qt::WindowModal);
        rangeProgress_->setMinimumDuration(0);
        rangeProgress_->setAutoClose(false);
        rangeProgress_->setAutoReset(false);
    }
    rangeProgress_->setCancelButtonText(w_.context().language.GetResString(kCancelTextId));
    rangeProgress_->setWindowTitle(caption);
    rangeProgress_->setLabelText(caption);
    rangeProgress_->setRange(0, count);
    rangeProgress_->reset();
    rangeProgress_->setValue(0);
    rangeProgress_->show();
}

bool ReportWiring::rangeProgress(int done, const QString& label)
{
    if (!rangeProgress_)
        return false;
    rangeProgress_->setLabelText(label);
    rangeProgress_->setValue(done);
    QCoreApplication::processEvents();
    return rangeProgress_->wasCanceled();
}

void ReportWiring::hideRangeProgress()
{
    if (rangeProgress_)
        rangeProgress_->hide();
}

} // namespace tovu::mainwindow
