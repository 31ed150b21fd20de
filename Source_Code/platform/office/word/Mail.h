#pragma once

namespace tovu::platform::word {

class Application;
class Document;

// Application.MailSystem values.
enum MailSystemKind : int { NoMailSystem = 0, MapiMail = 1, PowerTalkMail = 2, MapiAndPowerTalkMail = 3 };

// The mail system Word finds on this machine. There is no MAPI mail system and no mail
// client here, so the answer is always none, and Word offers no way to send a document.
int mailSystem(const Application& application);
// Document.SendMail, the document attached or as the message text. With no mail client to
// hand the message to, it always fails.
void sendMail(Document& document, bool asAttachment);

}  // namespace tovu::platform::word
