#include "platform/office/word/Paragraphs.h"

namespace tovu::platform::word {

Paragraph::Paragraph(StatePtr state, Story* story, int markPosition)
    : state_(std::move(state)), story_(story), mark_(story_->track(markPosition, markPosition + 1))
{
}

int Paragraph::mark() const
{
    // If the mark itself was removed, the paragraph now holding its place stands in.
    return story_->paragraphEnd(std::min(mark_->start, story_->length() - 1)) - 1;
}

Range Paragraph::range() const
{
    state_->enter(QStringLiteral("Paragraph.Range"));
    const int m = mark();
    return Range(state_, story_, story_->track(story_->paragraphStart(m), m + 1), true);
}

ParagraphFormat Paragraph::format() const { return ParagraphFormat(range()); }

Alignment Paragraph::alignment() const { return format().alignment(); }

void Paragraph::setAlignment(Alignment alignment)
{
    state_->enter(QStringLiteral("Paragraph.Alignment"), QString::number(static_cast<int>(alignment)));
    format().setAlignment(alignment);
}

void Paragraph::setSpaceAfter(double points)
{
    state_->enter(QStringLiteral("Paragraph.SpaceAfter"), QString::number(points));
    format().setSpaceAfter(points);
}

void Paragraph::reset()
{
    state_->enter(QStringLiteral("Paragraph.Reset"));
    format().reset();
}

std::vector<std::pair<int, int>> Paragraphs::spans() const
{
    std::vector<std::pair<int, int>> out;
    const Story& story = range_.story();
    const int s = range_.start();
    const int e = std::max(range_.end(), s + 1);
    for (auto span : story.paragraphs())
        if (span.second > s && span.first < e)
            out.push_back(span);
    return out;
}

int Paragraphs::count() const
{
    range_.state()->enter(QStringLiteral("Paragraphs.Count"));
    return static_cast<int>(spans().size());
}

Paragraph Paragraphs::item(int index) const
{
    range_.state()->enter(QStringLiteral("Paragraphs.Item"), QString::number(index));
    const auto all = spans();
    if (index < 1 || index > static_cast<int>(all.size()))
        throw WordError(QStringLiteral("Paragraphs.Item"), QStringLiteral("the requested member of the collection does not exist"));
    return Paragraph(range_.state(), &range_.story(), all[static_cast<std::size_t>(index - 1)].second - 1);
}

Paragraph Paragraphs::add()
{
    range_.state()->enter(QStringLiteral("Paragraphs.Add"));
    Story& story = range_.story();
    const int closing = story.paragraphEnd(std::max(range_.start(), range_.end() - 1)) - 1;
    // The new mark goes in front of the closing one: the text before it keeps its
    // paragraph, and the closing mark now ends the new, empty paragraph.
    story.insertText(closing, QStringLiteral("\r"), story.at(closing).font);
    return Paragraph(range_.state(), &story, closing + 1);
}

}  // namespace tovu::platform::word
