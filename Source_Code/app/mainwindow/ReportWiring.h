#pragma once
// The reports subsystem hosted in the main window: the Word report and its frame, the
// Copy Panel settings text, the printed item and the ALog export menus. The window is
// seen by these commands through ReportWindow; the user's dialogs go through the
// window's UserInteraction and its one file dialog.

#include "app/reports/AlogExportMenus.h"
#include "app/reports/ClipboardSettingsText.h"
#include "app/reports/CopyOptions.h"
#include "app/reports/ItemPrintCommand.h"
#include "app/reports/ReportHost.h"
#include "app/reports/WordReport.h"

#include <functional>
#include <memory>

class QProgressDialog;

namespace tovu::reports {
class ReportFrame;
}
namespace tovu::platform::printing {
class PrinterDialog;
}

namespace tovu::mainwindow {

class frmmain;

class ReportWiring final : public reports::ReportWindow, public reports::ReportUser {
public:
    // The window's report frame Frm_Export must be a reports::ReportFrame; the window's
    // document control is taken as it is now.
    explicit ReportWiring(frmmain& window);
    ~ReportWiring() override;

    // Shows the printer dialog and returns the printer chosen; tests put a PDF printer here.
    using PrinterChooser = std::function<platform::printing::PrintJob*()>;
    void setPrinterChooser(PrinterChooser chooser) { chooser_ = std::move(chooser); }

    reports::WordReport& report() { return report_; }
    reports::ReportFrame& frame() const { return *frame_; }

    // The toolbar's "wordIcon1": the report frame shown or hidden, the panes laid out again.
    void Toggle_Export_Frame();
    // Each reads the shown item; with none shown the user is told so and nothing is used.
    void mnuCopyPanel_Click();
    void mnuCopyAlog_Click();
    void mnuPrint_Click();
    void BtnExport_Current_Click();
    void mnuExportExcel_Click();
    void mnuExportMatlab_Click();

    // ReportUser
    void message(const QString& text, const QString& title, reports::MessageIcon icon) override;
    bool askYesNo(const QString& text, const QString& title, reports::MessageIcon icon) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> saveFileName(const reports::FileDialogRequest& request) override;
    platform::printing::PrintJob* choosePrinter() override;

    // ReportWindow
    QString noteIndexCaption() const override;
    QString modelCaption() const override;
    QString dateCaption() const override;
    reports::NoteBoxes noteBoxes() const override;
    const display::SettingsGridModel& gridSettings() const override;
    int listCount() const override;
    bool listItemSelected(int position) const override;
    void setListSelection(int first, int last) override;
    void DrawAScan(int index) override;
    void ShowALogSettings(int index) override;
    void ShowItemNotes(int index) override;
    void setReportButtonsEnabled(bool enabled) override;
    void showProgress(const QString& caption) override;
    void setProgress(int percent) override;
    void hideProgress() override;
    void showRangeProgress(const QString& caption, int count) override;
    bool rangeProgress(int done, const QString& label) override;
    void hideRangeProgress() override;
    QProgressDialog* rangeProgressDialog() const { return rangeProgress_; }

private:
    void connectButtons();
    void connectMenus();
    platform::printing::PrintJob* printDialog();
    reports::AlogExportMenus exportMenus();

    frmmain& w_;
    reports::CopyOptions copyOptions_;
    reports::WordReport report_;
    reports::ClipboardCopy copy_;
    reports::ItemPrintCommand print_;
    reports::ReportFrame* frame_ = nullptr;
    PrinterChooser chooser_;
    std::unique_ptr<platform::printing::PrinterDialog> printerDialog_;
    QProgressDialog* progress_ = nullptr;
    QProgressDialog* rangeProgress_ = nullptr;
};

} // namespace tovu::mainwindow
