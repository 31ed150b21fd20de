#pragma once
// The Word report: a document created once with a title page (logo and title), to which
// the shown item, or every item of the list's selected range, is appended (its A-scan
// picture, the settings grid as a table, its notes), the document being saved after
// each item. Everything goes through the document control Verbolt1 by dispatch id.
// The report frame's five buttons call the handlers below.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/reports/ReportHost.h"
#include "platform/automation/Dispatch.h"

namespace tovu::reports {

namespace automation = tovu::platform::automation;

// Where the report's two pictures are: the logo delivered with the program and the
// picture file that every drawing of an A-scan rewrites.
struct ReportFiles {
    QString logo;     // ".../Logo.bmp"
    QString picture;  // ".../MetaTest.emf"
};

// What showing or hiding the report frame does to the window, in twips.
struct ExportFrameMetrics {
    int scaleHeight = 0;  // the window's inner height
    int treeTop = 0;      // DFDTree's top
    int listLeft = 0;     // lvwPanelsALog's left and width
    int listWidth = 0;
    int frameLeft = 0;    // Frm_Export's left
};
struct ExportFrameLayout {
    bool frameVisible = false;
    int treeHeight = 0;   // also the item list's and the splitter's height
    int frameTop = 0;     // meaningful when the frame is shown
    int frameWidth = 0;
};

class WordReport {
public:
    WordReport(automation::DispatchRef Verbolt1, ReportWindow& window, ReportUser& user,
               const items::ItemStore& store, const items::StringSource& strings, ReportFiles files);

    // The control instance of the window, when it is created after the report.
    void setVerbolt(automation::DispatchRef Verbolt1) { control_ = std::move(Verbolt1); }

    // Set once at start-up from the control's Word probe.
    bool WordAvailable = false;
    bool ReportCreated = false;
    QString ReportTitle;
    QString ReportFileName;
    bool frameVisible() const { return frameVisible_; }
    bool reportButtonsEnabled() const { return buttonsEnabled_; }

    ExportFrameLayout Toggle_Export_Frame(const ExportFrameMetrics& metrics);

    void Create_Word_Report();
    // True when the item was appended and the document saved.
    bool Export_Item_To_Word();
    void Export_Selected_To_Word();

    void Btn_WordExport_Click() { Create_Word_Report(); }
    void BtnExport_Current_Click() { Export_Item_To_Word(); }
    void BtnExportMulti_Click() { Export_Selected_To_Word(); }
    void Btn_SaveClose_Click();
    void Btn_View_Word_Click();

    // The file name the report is written to: the name chosen, with ".docx" added when
    // it has no extension.
    static QString reportFileNameOf(const QString& chosen);

private:
    QString defaultTitle() const;
    QString text(int id) const { return strings_.GetResString(id); }
    QString creationFailure(int createStatus, int openStatus) const;
    void setButtons(bool enabled);
    void writeTitlePage();
    void writeNotes();

    automation::DispatchRef control_;
    ReportWindow& window_;
    ReportUser& user_;
    const items::ItemStore& store_;
    const items::StringSource& strings_;
    ReportFiles files_;
    bool frameVisible_ = false;
    bool buttonsEnabled_ = false;
};

} // namespace tovu::reports
