#pragma once
// What one drawing of the A-scan picture takes: the item, the item drawn before it (for
// the superimposed view), the menu state, the colours, the string table and the
// locale's decimal separator.

#include "app/display/AScanColours.h"
#include "app/items/DFDRecord.h"
#include "app/items/StringSource.h"

#include <QString>

namespace tovu::display {

struct AScanView {
    bool superimpose = false;  // mnuSuperimpose checked
    bool smooth = false;       // mnuPopUpAscanStyleSmooth checked
};

struct AScanScene {
    const items::DFDRecord& item;
    const items::DFDRecord* second = nullptr;  // null when there is no such record
    AScanView view;
    AScanColours colours;
    const items::StringSource& strings;
    QString decimalSeparator = QStringLiteral(".");
};

} // namespace tovu::display
