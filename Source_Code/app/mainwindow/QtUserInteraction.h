#pragma once
// The user interaction of the running program: Qt message boxes, file dialogs and input
// boxes owned by the main window.

#include "app/items/StringSource.h"
#include "app/mainwindow/UserInteraction.h"

#include <QPointer>
#include <QWidget>

namespace tovu::mainwindow {

// "DFD Files|*.dfd|Matlab Files|*.mtl" -> "DFD Files (*.dfd);;Matlab Files (*.mtl)".
QString qtFilterOf(const QString& filter);

class QtUserInteraction final : public UserInteraction {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    // The message boxes' buttons are captioned from these texts (Qt's own English without).
    void setStrings(const items::StringSource* strings) { strings_ = strings; }

    void message(const QString& text, const QString& title, MessageIcon icon) override;
    Answer askYesNo(const QString& text, const QString& title, MessageIcon icon) override;
    Answer askYesNoCancel(const QString& text, const QString& title, MessageIcon icon) override;
    std::optional<QString> openFileName(const CommonDialog& dialog) override;
    std::optional<QString> saveFileName(const CommonDialog& dialog) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    void runModal(QDialog& dialog) override;

private:
    QPointer<QWidget> owner_;
    const items::StringSource* strings_ = nullptr;
};

} // namespace tovu::mainwindow
