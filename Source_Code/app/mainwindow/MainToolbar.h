#pragma once
// The window's toolbar: its buttons at positions 1 to 17 (separators counted), each running
// the command its key names through the window's busy guard.

#include "app/items/StringSource.h"

#include <QAction>
#include <QString>
#include <functional>
#include <vector>

class QToolBar;

namespace tovu::mainwindow {

class frmmain;

class MainToolbar {
public:
    // Adds the toolbar to the window; a click on a button calls click with the button's key.
    MainToolbar(frmmain& window, const items::StringSource& language, std::function<void(const QString& key)> click);

    QToolBar* toolbar() const { return toolbar_; }
    QAction* button(int position) const;
    QAction* helpButton() const { return buttons_.back(); }

private:
    QToolBar* toolbar_ = nullptr;
    std::vector<QAction*> buttons_;
};

} // namespace tovu::mainwindow
