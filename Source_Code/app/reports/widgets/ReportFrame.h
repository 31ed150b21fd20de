#pragma once
// The report frame Frm_Export, "Report Controls" (its title follows the language): five square buttons that drive the
// Word report. The main window places it below the memory tree, shows and hides it with
// the report's toggle and enables the last four buttons as the report tells it.

#include "app/items/StringSource.h"

#include <QGroupBox>
#include <array>

class QPushButton;

namespace tovu::reports {

class WordReport;

class ReportFrame final : public QGroupBox {
    Q_OBJECT
public:
    // Captioned from strings; applyCaptions captions it anew after a language change.
    explicit ReportFrame(const items::StringSource& strings, QWidget* parent = nullptr);

    // Connects the buttons to the report's handlers; the report must outlive the frame's use.
    void connectReport(WordReport& report);
    // The frame's title and the buttons' tooltips, in the language loaded.
    void applyCaptions(const items::StringSource& strings);
    // BtnExport_Current, BtnExportMulti, Btn_SaveClose and Btn_View_Word.
    void setReportButtonsEnabled(bool enabled);

    QPushButton* Btn_WordExport() const { return buttons_[0]; }
    QPushButton* BtnExport_Current() const { return buttons_[1]; }
    QPushButton* BtnExportMulti() const { return buttons_[2]; }
    QPushButton* Btn_SaveClose() const { return buttons_[3]; }
    QPushButton* Btn_View_Word() const { return buttons_[4]; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutButtons();

    std::array<QPushButton*, 5> buttons_{};
};

} // namespace tovu::reports
