#include "platform/office/word/DocumentModel.h"

namespace tovu::platform::word {

int DocumentModel::addObject(EmbeddedObject object)
{
    objects.push_back(std::move(object));
    objectEdits_.push_back(++edits_);
    ++settingsRevision;
    return static_cast<int>(objects.size()) - 1;
}

std::uint16_t DocumentModel::addHyperlink(Hyperlink link)
{
    hyperlinks.push_back(std::move(link));
    ++settingsRevision;
    return static_cast<std::uint16_t>(hyperlinks.size());
}

const Hyperlink* DocumentModel::hyperlink(std::uint16_t number) const
{
    if (number == 0 || number > hyperlinks.size())
        return nullptr;
    return &hyperlinks[number - 1];
}

std::vector<Story*> DocumentModel::stories()
{
    std::vector<Story*> out{&body};
    for (auto& h : section.headers)
        out.push_back(&h.story);
    for (auto& f : section.footers)
        out.push_back(&f.story);
    return out;
}

std::uint64_t DocumentModel::revision() const
{
    std::uint64_t r = body.revision() + settingsRevision;
    for (const auto& h : section.headers)
        r += h.story.revision();
    for (const auto& f : section.footers)
        r += f.story.revision();
    return r;
}

}  // namespace tovu::platform::word
