#include "platform/controls/TextControls.h"

namespace tovu::platform::controls {

namespace {

DispatchRef singleValue(std::shared_ptr<TextValue> value, const QString& member, const QString& typeName)
{
    return automation::makeDispatch(
        {
            {member, automation::DispIdValue, [value](Args&) { return Variant(value->text()); },
             [value](Args& a) {
                 value->setText(assignedValue(a).toString());
                 return Variant();
             }},
        },
        typeName);
}

} // namespace

DispatchRef textBoxDispatch(std::shared_ptr<TextValue> box)
{
    return singleValue(std::move(box), QStringLiteral("Text"), QStringLiteral("TextBox"));
}

DispatchRef richTextBoxDispatch(std::shared_ptr<TextValue> box)
{
    return singleValue(std::move(box), QStringLiteral("Text"), QStringLiteral("RichTextBox"));
}

DispatchRef maskedEditDispatch(std::shared_ptr<TextValue> box)
{
    return singleValue(std::move(box), QStringLiteral("Text"), QStringLiteral("MaskEdBox"));
}

DispatchRef labelDispatch(std::shared_ptr<TextValue> label)
{
    return singleValue(std::move(label), QStringLiteral("Caption"), QStringLiteral("Label"));
}

} // namespace tovu::platform::controls
