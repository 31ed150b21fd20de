#pragma once
// Every question, message, file dialog, input box and modal window that the main window
// puts to the user goes through this one interface. The
// program answers with Qt dialogs (QtUserInteraction); tests script the answers.

#include <QString>
#include <optional>

class QDialog;

namespace tovu::mainwindow {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class Answer { Ok, Yes, No, Cancel };

// The main window's one file dialog (CommonDialog1, frmmain::commonDialog()): every command sets only some of its
// properties; the others keep what the last command left.
struct CommonDialog {
    QString Filter = QStringLiteral("DFD Files|*.dfd");  // "Name|pattern|Name|pattern"
    int Flags = 0;                                      // 2: ask before overwriting
    QString DialogTitle;
    QString InitDir;
    QString FileName;  // the file chosen last
};
constexpr int kOverwritePrompt = 2;

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    virtual void message(const QString& text, const QString& title, MessageIcon icon) = 0;
    virtual Answer askYesNo(const QString& text, const QString& title, MessageIcon icon) = 0;
    virtual Answer askYesNoCancel(const QString& text, const QString& title, MessageIcon icon) = 0;

    // The chosen file, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFileName(const CommonDialog& dialog) = 0;
    virtual std::optional<QString> saveFileName(const CommonDialog& dialog) = 0;

    // The text entered, or nothing when the box was cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;

    // Shows a window of the program modally and returns when it is closed.
    virtual void runModal(QDialog& dialog) = 0;
};

} // namespace tovu::mainwindow
