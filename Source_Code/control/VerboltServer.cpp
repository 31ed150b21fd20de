// The control's library as an in-process server: it hands out Verbolt_OCX.Verbolt objects
// to a host that activates the class by ProgID.
#include "control/VerboltObject.h"
#include "platform/automation/ExportedDispatch.h"
#include "platform/automation/InProcServer.h"
#include "platform/office/word/ProofingSettings.h"
#include "platform/office/word/ViewerWindow.h"
#include "platform/spelling/SpellingWindow.h"
#include "platform/office/word/WordEnvironment.h"
#include "platform/printing/SystemPrinting.h"

#include <QApplication>
#include <strings.h>

namespace {

namespace word = tovu::platform::word;

// The word processor as the controls of this process see it: the one installation every
// control instance starts and finds running Word in, like the machine's own. It lives as
// long as the library.
struct ServerModule {
    ServerModule()
    {
        // A Word made visible shows its window, where the host runs a window system.
        environment.setViewFactory([](word::Application& app) -> std::unique_ptr<word::ApplicationView> {
            if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
                return nullptr;
            return word::widgetViewFactory()(app);
        });
        // The spell checks ask the user in the spelling window.
        environment.proofing().setDialog(tovu::platform::spelling::windowDialog());
        // Documents print on the machine's printers.
        environment.setPrinting(std::make_shared<tovu::platform::printing::SystemPrinting>());
    }
    word::LocalActiveObjectTable table;
    word::WordEnvironment environment{table};
};


ServerModule& serverModule()
{
    static ServerModule module;
    return module;
}

} // namespace

extern "C" TOVU_EXPORT TovuResult DllGetClassObject(const char* progId, TovuDispatch** object)
{
    if (!object)
        return TOVU_E_POINTER;
    *object = nullptr;
    if (!progId || strcasecmp(progId, tovu::control::kVerboltProgId) != 0)
        return TOVU_E_CLASSNOTAVAILABLE;
    try {
        *object = tovu::platform::automation::exportDispatch(
            tovu::control::createVerbolt(serverModule().environment));
    } catch (...) {
        return TOVU_E_OUTOFMEMORY;
    }
    return TOVU_S_OK;
}

extern "C" TOVU_EXPORT TovuResult DllCanUnloadNow(void)
{
    // A Word left running (as the control leaves it for the user) lives in this library.
    const bool wordRunning = serverModule().environment.runningCount() > 0;
    return tovu::platform::automation::exportedObjectsAlive() || wordRunning ? TOVU_S_FALSE : TOVU_S_OK;
}

extern "C" TOVU_EXPORT TovuResult DllRegisterServer(const TovuRegistrar* registrar)
{
    if (!registrar || !registrar->addClass)
        return TOVU_E_POINTER;
    if (registrar->abiVersion != TOVU_INPROC_ABI_VERSION)
        return TOVU_E_VERSION;
    return registrar->addClass(registrar->context, tovu::control::kVerboltProgId);
}

extern "C" TOVU_EXPORT TovuResult DllUnregisterServer(const TovuRegistrar* registrar)
{
    if (!registrar || !registrar->removeClass)
        return TOVU_E_POINTER;
    if (registrar->abiVersion != TOVU_INPROC_ABI_VERSION)
        return TOVU_E_VERSION;
    return registrar->removeClass(registrar->context, tovu::control::kVerboltProgId);
}
