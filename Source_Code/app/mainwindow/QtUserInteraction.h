#pragma once
// The user interaction of the running program: Qt message boxes, file dialogs and input
// boxes owned by the main window, and the desktop's file handlers.

#include "app/mainwindow/UserInteraction.h"

#include <QPointer>
#include <QWidget>

namespace tovu::mainwindow {

// "DFD Files|*.dfd|Matlab Files|*.mtl" -> "DFD Files (*.dfd);;Matlab Files (*.mtl)".
QString qtFilterOf(const QString& filter);

class QtUserInteraction final : public UserInteraction {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text, const QString& title, MessageIcon icon) override;
    Answer askYesNo(const QString& text, const QString& title, MessageIcon icon) override;
    Answer askYesNoCancel(const QString& text, const QString& title, MessageIcon icon) override;
    std::optional<QString> openFileName(const CommonDialog& dialog) override;
    std::optional<QString> saveFileName(const CommonDialog& dialog) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    void runModal(QDialog& dialog) override;
    bool openWithDesktop(const QString& path) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace tovu::mainwindow
