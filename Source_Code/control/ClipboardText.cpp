#include "control/ClipboardText.h"

#include "platform/clipboard/Clipboard.h"

namespace tovu::control {

namespace {
class SystemClipboardText final : public ClipboardText {
public:
    QString text() const override { return platform::clipboard::SystemClipboard().text(); }
};
} // namespace

std::shared_ptr<ClipboardText> systemClipboardText()
{
    return std::make_shared<SystemClipboardText>();
}

} // namespace tovu::control
