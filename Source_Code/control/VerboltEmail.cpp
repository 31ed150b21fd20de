// The held document by e-mail through Word's mail system.
#include "control/Verbolt.h"
#include "platform/office/word/Mail.h"

namespace tovu::control {

MethodStatus Verbolt::EmailDocument(bool& blnSendAsAttachment)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    try {
        // Word sends mail only through a MAPI mail system; without one nothing is changed.
        if (word::mailSystem(*heldApplication_) != word::MapiMail)
            return -3;
        word::sendMail(requireHeldDocument(), blnSendAsAttachment);
        return 1;
    } catch (...) {
        return -4;
    }
}

} // namespace tovu::control
