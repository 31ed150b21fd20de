#include "control/ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tovu::control {

namespace {
class SystemClipboardText final : public ClipboardText {
public:
    QString text() const override
    {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return {};
        return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    }
};
} // namespace

std::shared_ptr<ClipboardText> systemClipboardText()
{
    return std::make_shared<SystemClipboardText>();
}

} // namespace tovu::control
