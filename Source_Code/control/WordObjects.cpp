#include "control/WordObjects.h"

#include "platform/automation/DispatchTable.h"

namespace tovu::control {

namespace {

using automation::Args;
using automation::DispatchMember;
using automation::Variant;

template <typename T>
class WordObject final : public automation::DispatchTable {
public:
    WordObject(std::shared_ptr<T> target, std::vector<DispatchMember> members)
        : DispatchTable(std::move(members)), target_(std::move(target))
    {
    }
    const std::shared_ptr<T>& target() const { return target_; }

private:
    std::shared_ptr<T> target_;
};

} // namespace

automation::DispatchRef applicationObject(std::shared_ptr<word::Application> app)
{
    if (!app)
        return {};
    word::Application* a = app.get();
    std::vector<DispatchMember> members = {
        {QStringLiteral("Name"), 1, [](Args&) { return Variant(QStringLiteral("Word")); }},
        {QStringLiteral("Version"), 2, [a](Args&) { return Variant(a->version()); }},
        {QStringLiteral("Caption"), 3, [a](Args&) { return Variant(a->caption()); }},
        {QStringLiteral("Visible"), 4, [a](Args&) { return Variant(a->visible()); },
         [a](Args& args) {
             a->setVisible(args.back().toBoolean());
             return Variant();
         }},
    };
    return std::make_shared<WordObject<word::Application>>(std::move(app), std::move(members));
}

automation::DispatchRef documentObject(std::shared_ptr<word::Document> doc)
{
    if (!doc)
        return {};
    word::Document* d = doc.get();
    std::vector<DispatchMember> members = {
        {QStringLiteral("Name"), 1, [d](Args&) { return Variant(d->name()); }},
        {QStringLiteral("Path"), 2, [d](Args&) { return Variant(d->path()); }},
        {QStringLiteral("FullName"), 3, [d](Args&) { return Variant(d->fullName()); }},
        {QStringLiteral("Saved"), 4, [d](Args&) { return Variant(d->saved()); }},
    };
    return std::make_shared<WordObject<word::Document>>(std::move(doc), std::move(members));
}

std::shared_ptr<word::Application> applicationBehind(const automation::DispatchRef& object)
{
    auto w = std::dynamic_pointer_cast<WordObject<word::Application>>(object);
    return w ? w->target() : nullptr;
}

std::shared_ptr<word::Document> documentBehind(const automation::DispatchRef& object)
{
    auto w = std::dynamic_pointer_cast<WordObject<word::Document>>(object);
    return w ? w->target() : nullptr;
}

} // namespace tovu::control
