// Reads the clipboard's plain text for the control. The system clipboard unless a host or a
// test supplies another source.
#pragma once

#include <QString>
#include <memory>

namespace tovu::control {

class ClipboardText {
public:
    virtual ~ClipboardText() = default;
    // The clipboard's text; empty when it holds none.
    virtual QString text() const = 0;
};

// The system clipboard's text; empty when no GUI application runs.
std::shared_ptr<ClipboardText> systemClipboardText();

} // namespace tovu::control
