#pragma once
// The spelling dialog users see: the sentence with the unknown word marked, the
// suggestions, a field for the change, and the buttons Ignore Once, Ignore All, Add to
// Dictionary, Change, Change All and Cancel. Each question runs the dialog modally.

#include "platform/spelling/SpellingDialog.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace tovu::platform::spelling {

class SpellingWindow final : public QDialog, public SpellingDialog {
    Q_OBJECT
public:
    explicit SpellingWindow(QWidget* parent = nullptr);

    Decision decide(const Misspelling& misspelling) override;

    // Shows the question without waiting, for a caller that answers by itself (tests).
    void present(const Misspelling& misspelling);
    Decision decision() const { return decision_; }

    QTextEdit* contextView() const { return context_; }
    QListWidget* suggestionList() const { return suggestions_; }
    QLineEdit* changeField() const { return change_; }
    QPushButton* button(Decision::Kind kind) const;

private:
    void finish(Decision::Kind kind);

    QTextEdit* context_;
    QListWidget* suggestions_;
    QLineEdit* change_;
    std::vector<std::pair<Decision::Kind, QPushButton*>> buttons_;
    Decision decision_;
};

// The dialog a program installs: each question in a new window, modally; where no window
// system runs it raises SpellingError instead of answering.
std::shared_ptr<SpellingDialog> windowDialog();

} // namespace tovu::platform::spelling
