// The help strings of the control's methods, as its type information gives them.
#pragma once

#include <QString>

namespace tovu::control {

// The help string of the method called name; empty for a method that has none.
QString methodHelp(const char* name);

} // namespace tovu::control
