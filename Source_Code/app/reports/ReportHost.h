#pragma once
// What the report, printout, export and clipboard commands need of the program around
// them. ReportUser puts questions, messages, file and printer dialogs and the input box
// to the user; ReportWindow is the main window as these commands see it: the shown
// item's labels and note boxes, the settings grid, the item list's selection, the
// drawing of an item, the report buttons and the progress dialog. The main window
// implements both; tests script them.

#include "app/display/SettingsGridModel.h"

#include <QString>
#include <optional>

namespace tovu::platform::printing {
class PrintJob;
}

namespace tovu::reports {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

// The properties a command sets on the main window's file dialog; the dialog keeps the
// others (initial folder, ...) from its last use.
struct FileDialogRequest {
    QString Filter;       // "Name|pattern|Name|pattern", or a bare pattern
    int Flags = 0;        // kOverwritePrompt: the dialog asks before an existing file is chosen
    QString DialogTitle;  // empty: the dialog's title is left as it was
};
inline constexpr int kOverwritePrompt = 2;

class ReportUser {
public:
    virtual ~ReportUser() = default;
    virtual void message(const QString& text, const QString& title, MessageIcon icon) = 0;
    // True for Yes.
    virtual bool askYesNo(const QString& text, const QString& title, MessageIcon icon) = 0;
    // The text entered; nothing when the box was cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // The file chosen in a save dialog; nothing when it was cancelled.
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    // Shows the printer dialog; a job on the chosen printer, ready to be painted on, or
    // null when the dialog was cancelled. The job stays the implementer's.
    virtual platform::printing::PrintJob* choosePrinter() = 0;
};

// The note boxes of the notes pane, as typed.
struct NoteBoxes {
    QString LabelText;
    QString OperatorText;
    QString LocationText;
    QString ProbeText;
    QString NotesText;
};

class ReportWindow {
public:
    virtual ~ReportWindow() = default;

    // The notes pane's labels: the shown item's index, its model and its date.
    virtual QString noteIndexCaption() const = 0;
    virtual QString modelCaption() const = 0;
    virtual QString dateCaption() const = 0;
    virtual NoteBoxes noteBoxes() const = 0;
    // The settings grid GridSettings as filled for the shown item.
    virtual const display::SettingsGridModel& gridSettings() const = 0;

    // The item list: entries 1..listCount(), list position k showing WorkItems record k.
    virtual int listCount() const = 0;
    virtual bool listItemSelected(int position) const = 0;
    // The list's kept first and last selected entries (ListSelFirst, ListSelLast).
    virtual void setListSelection(int first, int last) = 0;

    // Shows an item as opening it does: draws it (rewriting the picture file), fills the
    // settings grid, shows its notes.
    virtual void DrawAScan(int index) = 0;
    virtual void ShowALogSettings(int index) = 0;
    virtual void ShowItemNotes(int index) = 0;

    // BtnExport_Current, BtnExportMulti, Btn_SaveClose and Btn_View_Word.
    virtual void setReportButtonsEnabled(bool enabled) = 0;

    // Dlg_Progress_Bar: shown without blocking, updated between the steps.
    virtual void showProgress(const QString& caption) = 0;
    virtual void setProgress(int percent) = 0;
    virtual void hideProgress() = 0;

    // The progress of a range appended item by item, with a Cancel button: shown with the
    // number of items, told after each item how many are done; true once the user has
    // asked to stop.
    virtual void showRangeProgress(const QString& caption, int count) = 0;
    virtual bool rangeProgress(int done, const QString& label) = 0;
    virtual void hideRangeProgress() = 0;
};

} // namespace tovu::reports
