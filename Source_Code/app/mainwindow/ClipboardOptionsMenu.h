#pragma once
// The clipboard copy options of the Edit menu and their mask in the settings store. The
// menu items' checks are the options; the rules of their handlers and of the mask are
// the report's copy options, the one place that defines them.

#include "app/display/SettingsAccess.h"
#include "app/mainwindow/MainMenus.h"

namespace tovu::mainwindow {

class ClipboardOptionsMenu {
public:
    ClipboardOptionsMenu(MainMenus& menus, display::SettingsAccess& settings) : menus_(menus), settings_(settings) {}

    // The checks as the settings store keeps them.
    void loadCopyOptions();
    void mnuCopyClipBoardOptions_Click(int Index);
    void mnuoptall_Click(int Index);
    int copyOptionsMask() const;
    void storeCopyOptionsMask();
    // The AGC option exists from model 11 on: it follows the model of the item shown.
    void enableAgcOption(int model);
    // An instrument read or a file opened starts with the option cleared (and stored so).
    void resetAgcOption(int model);

private:
    MainMenus& menus_;
    display::SettingsAccess& settings_;
};

} // namespace tovu::mainwindow
