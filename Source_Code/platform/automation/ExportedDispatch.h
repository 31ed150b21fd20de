#pragma once
// Hands a dispatch object of ours across the binary interface of in-process servers:
// a C++ server returns its objects from DllGetClassObject this way, and the host passes
// its own objects to a server the same way.
//
//   extern "C" TOVU_EXPORT TovuResult DllGetClassObject(const char* progId, TovuDispatch** out)
//   {
//       *out = nullptr;
//       if (strcasecmp(progId, "Verbolt_OCX.Verbolt") != 0)
//           return TOVU_E_CLASSNOTAVAILABLE;
//       *out = tovu::platform::automation::exportDispatch(std::make_shared<Verbolt>());
//       return TOVU_S_OK;
//   }
//   extern "C" TOVU_EXPORT TovuResult DllCanUnloadNow()
//   {
//       return tovu::platform::automation::exportedObjectsAlive() ? TOVU_S_FALSE : TOVU_S_OK;
//   }
//
// Strings, arrays and objects an exported object hands out stay valid until its next
// call or its release, as the interface requires.

#include "platform/automation/Dispatch.h"
#include "platform/automation/InProcServer.h"

#include <cstddef>

namespace tovu::platform::automation {

// A C object that forwards to object, with one reference owned by the caller.
TovuDispatch* exportDispatch(DispatchRef object);

// The object behind a C object made by exportDispatch in this module, or null.
DispatchRef exportedTarget(TovuDispatch* object);

// How many exported objects of this module are alive (for DllCanUnloadNow).
std::size_t exportedObjectsAlive();

} // namespace tovu::platform::automation
