#include "platform/office/word/Mail.h"

#include "platform/office/word/Application.h"
#include "platform/office/word/Document.h"

namespace tovu::platform::word {

int mailSystem(const Application& application)
{
    application.enter("MailSystem");
    return NoMailSystem;
}

void sendMail(Document& document, bool asAttachment)
{
    document.state()->enter(QStringLiteral("Document.SendMail"), asAttachment ? QStringLiteral("attachment") : QString());
    throw WordError(QStringLiteral("Document.SendMail"), QStringLiteral("there is no mail client to send with"));
}

}  // namespace tovu::platform::word
