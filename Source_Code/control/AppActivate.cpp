#include "control/AppActivate.h"

#include "control/Trap.h"
#include "platform/automation/AutomationError.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWindow>

namespace tovu::control {

void AppActivate(const QString& caption)
{
    namespace automation = tovu::platform::automation;
    QWindow* found = nullptr;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && !caption.isEmpty()) {
        const QWindowList windows = QGuiApplication::topLevelWindows();
        for (QWindow* w : windows)
            if (w->isVisible() && w->title().compare(caption, Qt::CaseInsensitive) == 0)
                found = w;
        for (QWindow* w : windows)
            if (!found && w->isVisible() && w->title().startsWith(caption, Qt::CaseInsensitive))
                found = w;
        for (QWindow* w : windows)
            if (!found && w->isVisible() && w->title().endsWith(QStringLiteral(" - ") + caption, Qt::CaseInsensitive))
                found = w;
    }
    if (!found)
        throw automation::AutomationError::standard(automation::ErrorNumber::InvalidProcedureCall,
                                                    QStringLiteral("AppActivate"));
    found->raise();
    found->requestActivate();
}

QPointer<QWidget> activeHostWindow()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return app->activeWindow();
    return nullptr;
}

void bringHostToFront(const QString& caption, QWidget* host) noexcept
{
    if (!caption.isEmpty()) {
        StepErrors ignored;
        ignored([&] { AppActivate(caption); });
        return;
    }
    if (host) {
        host->raise();
        host->activateWindow();
    }
}

void bringHostToFront(const QString& caption) noexcept
{
    bringHostToFront(caption, activeHostWindow());
}

} // namespace tovu::control
