// Printing and print preview of a document through Word: the held document, or another open
// document chosen by name or number, goes to Word's active printer or into Word's preview,
// and then Word or the host's window comes to the front.
#include "control/AppActivate.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "platform/automation/AutomationError.h"

namespace tovu::control {

namespace {

// Word's own print or preview of a document.
using Hand = void (*)(word::Document&);

// Word comes to the front by its caption. A Word without a window of its own (hidden, or in
// a host without a window system) stays where it is: that is no failure of the print.
void bringWordToFront(word::Application& app) noexcept
{
    StepErrors ignored;
    ignored([&] { AppActivate(app.caption()); });
}

// The steps both methods share once the held document is active. Errors in choosing the
// document and in Word's print or preview are carried to the end (-3).
MethodStatus handToWord(word::Application& app, const std::shared_ptr<word::Document>& held,
                        const automation::Variant& varDocument, bool switchToWord, const QString& formCaption,
                        Hand hand)
{
    // The form the control sits on, taken before Word's window can come in front of it.
    const QPointer<QWidget> host = activeHostWindow();
    StepErrors steps;
    // A name, or a 16-bit number above 0, picks another open document for this call only;
    // anything else (a Long included) means the held one.
    const bool byName = varDocument.isString() && !varDocument.toString().isEmpty();
    const bool byIndex = varDocument.type() == automation::VarType::Integer && varDocument.toInteger() > 0;
    std::shared_ptr<word::Document> target = held;
    if (byName || byIndex) {
        target.reset();
        steps([&] {
            target = byName ? app.documents().item(varDocument.toString())
                            : app.documents().item(varDocument.toInteger());
            target->activate();
        });
    }
    bringWordToFront(app);
    steps([&] {
        if (!target)
            throw automation::AutomationError::standard(automation::ErrorNumber::ObjectNotSet);
        hand(*target);
    });
    if (switchToWord)
        bringWordToFront(app);
    else
        bringHostToFront(formCaption, host);
    return steps.raised() ? -3 : 1;
}

} // namespace

MethodStatus Verbolt::PrintDocument(automation::Variant& varDocument, bool& blnSwitchToWord, QString& strFormCaption)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return handToWord(*heldApplication_, heldDocument_, varDocument, blnSwitchToWord, strFormCaption,
                      [](word::Document& document) { document.printOut(); });
}

MethodStatus Verbolt::PrintPreviewDocument(automation::Variant& varDocument, bool& blnSwitchToWord,
                                           QString& strFormCaption)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return handToWord(*heldApplication_, heldDocument_, varDocument, blnSwitchToWord, strFormCaption,
                      [](word::Document& document) { document.printPreview(); });
}

} // namespace tovu::control
