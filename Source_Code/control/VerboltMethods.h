// The control's method table (see VerboltMethods.cpp).
#pragma once

#include "control/MethodBinding.h"

#include <vector>

namespace tovu::control {

// Every method the control offers, in dispatch-id order.
const std::vector<MethodEntry>& verboltMethods();

} // namespace tovu::control
