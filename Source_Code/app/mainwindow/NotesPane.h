#pragma once
// The notes and settings tab NotesSettingsTab: tab 0 "Settings" holds the settings grid,
// tab 1 "Notes" the record number, the five note boxes with their captions and the date
// and model labels, tab 2 "Memo" the free memo (shown only in service mode). The edit
// handlers that store notes back into the records live with the notes editing.

#include "app/display/SettingsGridTableModel.h"
#include "app/display/widgets/SettingsGridView.h"

#include <QTabWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tovu::mainwindow {

constexpr int kSettingsTab = 0;
constexpr int kNotesTab = 1;
constexpr int kMemoTab = 2;

class NotesPane final : public QTabWidget {
    Q_OBJECT
public:
    explicit NotesPane(QWidget* parent = nullptr);

    display::SettingsGridTableModel& gridModel() { return gridModel_; }
    display::SettingsGridView* GridSettings() const { return grid_; }

    QLabel* NoteIndex() const { return noteIndex_; }
    QLabel* LabelLbl() const { return captions_[0]; }
    QLabel* OperatorLbl() const { return captions_[1]; }
    QLabel* LocationLbl() const { return captions_[2]; }
    QLabel* ProbeLbl() const { return captions_[3]; }
    QLabel* NotesLbl() const { return captions_[4]; }
    QLineEdit* LabelText() const { return boxes_[0]; }
    QLineEdit* OperatorText() const { return boxes_[1]; }
    QLineEdit* LocationText() const { return boxes_[2]; }
    QLineEdit* ProbeText() const { return boxes_[3]; }
    QLineEdit* NotesText() const { return boxes_[4]; }
    QLabel* DateLbl() const { return date_; }
    QLabel* ModelLbl() const { return model_; }
    QPlainTextEdit* MemoText() const { return memo_; }

    // The caption of the current tab (the tab control's Caption).
    void setCurrentCaption(const QString& text) { setTabText(currentIndex(), text); }
    void setMemoTabShown(bool shown) { setTabVisible(kMemoTab, shown); }
    bool memoTabShown() const { return isTabVisible(kMemoTab); }

private:
    display::SettingsGridTableModel gridModel_;
    display::SettingsGridView* grid_;
    QLabel* noteIndex_;
    std::array<QLabel*, 5> captions_{};
    std::array<QLineEdit*, 5> boxes_{};
    QLabel* date_;
    QLabel* model_;
    QPlainTextEdit* memo_;
};

} // namespace tovu::mainwindow
