#pragma once
// Single-value host controls: the text box, rich text box and masked edit box read and
// written through "Text", the label through "Caption". Each is one text behind the
// TextValue interface; the dispatch objects carry the control's class name, which the
// document control tests before it reads a text box or a label.

#include "platform/controls/ControlMembers.h"

#include <memory>

namespace tovu::platform::controls {

class TextValue {
public:
    virtual ~TextValue() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

DispatchRef textBoxDispatch(std::shared_ptr<TextValue> box);       // "TextBox", Text
DispatchRef richTextBoxDispatch(std::shared_ptr<TextValue> box);   // "RichTextBox", Text
DispatchRef maskedEditDispatch(std::shared_ptr<TextValue> box);    // "MaskEdBox", Text
DispatchRef labelDispatch(std::shared_ptr<TextValue> label);       // "Label", Caption

class MemoryText final : public TextValue {
public:
    explicit MemoryText(QString text = {}) : text_(std::move(text)) {}
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }

private:
    QString text_;
};

} // namespace tovu::platform::controls
