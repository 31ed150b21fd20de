#pragma once
// What the file commands share: the saved-items type the dialogs offer and the name a
// chosen file is written under.

#include <QString>

namespace tovu::mainwindow {

inline const QString kSavedItemsFilter = QStringLiteral("DFD Files|*.dfd");

// The chosen name with ".dfd" added unless it already ends so (case ignored).
QString savedItemsFileName(const QString& chosen);

} // namespace tovu::mainwindow
