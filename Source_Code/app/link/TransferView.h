#pragma once
// What the link engine drives of the transfer progress dialog and of the wait window.
// The forms in link/forms implement these with widgets; tests use recording fakes.

#include <QString>
#include <cstdint>

namespace tovu::link {

// Slot label background colours, as colour references 0x00BBGGRR.
enum class SlotColour : std::uint32_t {
    Grey = 0xC0C0C0,    // not yet examined
    Yellow = 0x00FFFF,  // in work
    Green = 0x00FF00,   // occupied or written
    Red = 0x0000FF,     // empty, or nothing to write
    White = 0xFFFFFF,   // occupied while the PC already holds an item of that number
};

enum class SlotRow { Panels, ALogs };  // labels 1..20 and 1..100

constexpr int kPanelLabels = 20;
constexpr int kALogLabels = 100;

class TransferView {
public:
    virtual ~TransferView() = default;
    virtual void showModeless() = 0;
    virtual void setStatusText(const QString& text) = 0;  // StatusLabel
    virtual void setProgress(int value) = 0;              // ProgressBar, 0 to 100
    virtual void setSlotCaption(SlotRow row, int label, const QString& caption) = 0;
    virtual void setSlotColour(SlotRow row, int label, SlotColour colour) = 0;
};

// The small wait window (MessageFrm) shown while the live settings are saved or
// restored and while the privileges are read.
class MessageView {
public:
    virtual ~MessageView() = default;
    virtual void setMessage(const QString& text) = 0;  // msgLabel
    virtual void showModeless() = 0;
    virtual void hide() = 0;
};

} // namespace tovu::link
