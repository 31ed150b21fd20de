#include "platform/office/word/Hyperlinks.h"

namespace tovu::platform::word {

std::vector<std::pair<int, int>> Hyperlinks::spans() const
{
    std::vector<std::pair<int, int>> out;  // start, end of each run of one link number
    const Story& body = state_->model->body;
    for (int i = 0; i < body.length();) {
        const std::uint16_t link = body.at(i).link;
        int j = i + 1;
        while (j < body.length() && body.at(j).link == link)
            ++j;
        if (link != 0)
            out.emplace_back(i, j);
        i = j;
    }
    return out;
}

int Hyperlinks::count() const
{
    state_->enter(QStringLiteral("Hyperlinks.Count"));
    return static_cast<int>(spans().size());
}

HyperlinkInfo Hyperlinks::item(int index) const
{
    state_->enter(QStringLiteral("Hyperlinks.Item"), QString::number(index));
    const auto all = spans();
    if (index < 1 || index > static_cast<int>(all.size()))
        throw WordError(QStringLiteral("Hyperlinks.Item"), QStringLiteral("the requested member of the collection does not exist"));
    const auto [s, e] = all[static_cast<std::size_t>(index - 1)];
    const Story& body = state_->model->body;
    const Hyperlink* link = state_->model->hyperlink(body.at(s).link);
    return HyperlinkInfo{link->address, link->subAddress, body.text(s, e)};
}

HyperlinkInfo Hyperlinks::add(Range anchor, const QString& address, const QString& subAddress,
                              const QString& textToDisplay)
{
    state_->enter(QStringLiteral("Hyperlinks.Add"), address);
    if (address.isEmpty() && subAddress.isEmpty())
        throw WordError(QStringLiteral("Hyperlinks.Add"), QStringLiteral("no address"));
    if (&anchor.story() != &state_->model->body)
        throw WordError(QStringLiteral("Hyperlinks.Add"), QStringLiteral("links are kept in the main text only"));
    Story& body = anchor.story();
    if (anchor.start() == anchor.end() || !textToDisplay.isEmpty())
        anchor.setText(textToDisplay.isEmpty() ? address : textToDisplay);
    const std::uint16_t number = state_->model->addHyperlink(Hyperlink{address, subAddress});
    int s = anchor.start();
    int e = anchor.end();
    // A link covers text, never the paragraph marks around it.
    body.forEachChar(s, e, [&](StoryChar& c) {
        if (c.ch != kParagraphMark)
            c.link = number;
    });
    QString text;
    for (int i = s; i < e; ++i)
        if (body.at(i).ch != kParagraphMark)
            text += QChar(body.at(i).ch);
    return HyperlinkInfo{address, subAddress, text};
}

}  // namespace tovu::platform::word
