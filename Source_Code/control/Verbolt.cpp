// The control's frame: instance state, whether Word is up, the first steps every document
// method shares, switching to Word and the About window.
#include "control/Verbolt.h"

#include "control/AppActivate.h"
#include "control/Trap.h"
#include "control/frmAboutBox.h"
#include "platform/automation/AutomationError.h"

#include <QApplication>

namespace tovu::control {

Verbolt::Verbolt(word::WordEnvironment& environment)
    : environment_(environment), clipboard_(systemClipboardText())
{
}

Verbolt::~Verbolt()
{
    heldDocument_.reset();
    heldApplication_.reset();
    startedWord_.reset();
}

std::shared_ptr<word::Application> Verbolt::runningWord() const
{
    std::shared_ptr<word::Application> active;
    try {
        active = environment_.activeApplication();
    } catch (...) {
        // A failed look-up counts as none.
    }
    if (active)
        return active;
    if (heldApplication_ && heldApplication_->isRunning())
        return heldApplication_;
    return nullptr;
}

bool Verbolt::IsWordUp()
{
    // An instance that has quit meanwhile (the user closed it) is not up any more.
    if (heldApplication_ && !heldApplication_->isRunning())
        heldApplication_.reset();
    try {
        if (auto active = environment_.activeApplication())
            heldApplication_ = std::move(active);
    } catch (...) {
        // Nothing offered: keep what is held. A Word this control started and holds,
        // hidden or not offered, still counts as up.
    }
    return heldApplication_ != nullptr;
}

word::Document& Verbolt::requireHeldDocument() const
{
    if (!heldDocument_)
        throw automation::AutomationError::standard(automation::ErrorNumber::ObjectNotSet);
    return *heldDocument_;
}

MethodStatus Verbolt::documentPrologue()
{
    if (!IsWordUp())
        return -1;
    const bool activated = trapped(false, [&] {
        requireHeldDocument().activate();
        return true;
    });
    return activated ? 0 : -2;
}

MethodStatus Verbolt::SwitchToWord()
{
    if (!IsWordUp())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        AppActivate(heldApplication_->caption());
        return MethodStatus{1};
    });
}

void Verbolt::raiseCurrentRow(std::int32_t row)
{
    if (events_)
        events_->CurrentRow(row);
}

void Verbolt::raiseCurrentRowCounter(std::int32_t& counter)
{
    if (events_)
        events_->CurrentRow(counter);
}

void Verbolt::raiseCurrentColumn(std::int32_t column)
{
    if (events_)
        events_->CurrentColumn(column);
}

void Verbolt::raiseCurrentField(const QString& field)
{
    if (!events_)
        return;
    QString copy = field;
    events_->CurrentField(copy);
}

void Verbolt::AboutBox()
{
    // Errors are not trapped here: a window that cannot be shown reaches the host.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw automation::AutomationError(automation::ErrorNumber::AutomationFailed, QStringLiteral("Verbolt"),
                                          QStringLiteral("The About window needs a running window system."));
    if (!aboutBox_)
        aboutBox_ = std::make_unique<frmAboutBox>();
    aboutBox_->exec();
}

} // namespace tovu::control
