#pragma once
// The menus of the main window, built from one table: the menu bar, the memory tree's
// pop-up menus (mnuPopUpDFDtree, mnuScan) and the A-scan pop-up (mnuPopUpAscan). Every
// item is a QAction named as the control it stands for; control arrays keep their
// indexes. Captions that come from string ids are set by ApplyLanguageCaptions; the
// captions built here are the fixed ones (page ranges, "Memory", "SCAN CURRENT").

#include <QAction>
#include <QMenu>
#include <QString>
#include <array>
#include <map>

class QMainWindow;

namespace tovu::mainwindow {

constexpr int kComPorts = 20;
constexpr int kLanguages = 9;
constexpr int kCopyOptions = 13;
constexpr int kPanelPages = 5;
constexpr int kALogPages = 8;
constexpr int kThousandGroups = 10;
constexpr int kPagesPerGroup = 10;

struct MainMenus {
    std::map<QString, QAction*> byName;  // items and sub-menus (their menu action)
    std::map<QString, QMenu*> menus;

    std::array<QAction*, kComPorts> mnuCom{};                     // 0..19
    std::array<QAction*, kLanguages> mnuMultSel{};                // 0..8
    std::array<QAction*, kCopyOptions> mnuCopyClipBoardOptions{};  // 0..12
    std::array<QAction*, 3> mnuoptall{};                          // 1, 2
    std::array<QAction*, kPanelPages + 1> mnuPanelMem{};          // 1..5
    std::array<QAction*, kALogPages + 1> mnuAlogMem{};            // 1..8
    std::array<QMenu*, kThousandGroups + 1> mnuAlogMem1{};        // groups 1..10
    // Pages of the thousands menus: group 1 is mnuAlogMem_I, group k (2..10) is
    // mnuAlogMem_1000 ... mnuAlogMem_9000; items 1..10.
    std::array<std::array<QAction*, kPagesPerGroup + 1>, kThousandGroups + 1> thousandPages{};

    QAction* action(const QString& name) const;  // the item or sub-menu action; throws when unknown
    QMenu* menu(const QString& name) const;      // throws when unknown
};

// Name of the page menu of a thousands group: "mnuAlogMem_I", "mnuAlogMem_1000" ...
QString thousandMenuName(int group);

// Builds every menu on the window; the pop-ups are not in the menu bar.
void buildMenus(QMainWindow& window, MainMenus& menus);

} // namespace tovu::mainwindow
