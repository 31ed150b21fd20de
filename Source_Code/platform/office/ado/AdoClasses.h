#pragma once
// The classes "ADODB.Connection" and "ADODB.Recordset", served by the program itself.

#include "platform/automation/Activator.h"

namespace tovu::platform::ado {

void registerAdoClasses(automation::Activator& activator);

} // namespace tovu::platform::ado
