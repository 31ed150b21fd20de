#pragma once
// The help file of the language in use, and the Help command that shows it.

#include "app/mainwindow/MainContext.h"

#include <QString>

namespace tovu::mainwindow {

class HelpMenu {
public:
    explicit HelpMenu(MainContext& ctx) : ctx_(ctx) {}

    // Names the help file of the language code in use.
    void setHelpFile();
    QString helpFile() const { return helpFile_; }
    void mnuhelp_Click();

private:
    MainContext& ctx_;
    QString helpFile_;
};

} // namespace tovu::mainwindow
