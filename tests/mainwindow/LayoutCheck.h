#pragma once
// What a person would see as a broken layout, found from the widgets' geometry and font
// metrics: visible siblings that overlap or stick out of their parent, and captions,
// tabs, buttons, group titles, menus, toolbar buttons or settings-grid labels whose text
// does not fit. Each fault is one readable line naming the widgets.

#include <QStringList>

class QWidget;

namespace tovu::mainwindow::testing {

QStringList layoutFaults(const QWidget& window);

} // namespace tovu::mainwindow::testing
