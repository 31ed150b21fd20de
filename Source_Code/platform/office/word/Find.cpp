#include "platform/office/word/Find.h"

namespace tovu::platform::word {

void Find::clearFormatting()
{
    range_.state()->enter(QStringLiteral("Find.ClearFormatting"));
}

bool Find::matchAt(int pos) const
{
    const Story& story = range_.story();
    const int n = static_cast<int>(text_.size());
    if (pos + n > story.length())
        return false;
    for (int i = 0; i < n; ++i)
        if (story.at(pos + i).ch == kObjectChar)
            return false;
    const QString candidate = story.text(pos, pos + n);
    if (candidate.compare(text_, matchCase_ ? Qt::CaseSensitive : Qt::CaseInsensitive) != 0)
        return false;
    if (!matchWholeWord_)
        return true;
    auto isWord = [&](int p) { return p >= 0 && p < story.length() && QChar(story.at(p).ch).isLetterOrNumber(); };
    return !isWord(pos - 1) && !isWord(pos + n);
}

bool Find::execute(ReplaceMode replace)
{
    range_.state()->enter(QStringLiteral("Find.Execute"), text_);
    if (text_.isEmpty())
        return false;
    Story& story = range_.story();
    const int n = static_cast<int>(text_.size());
    int from = range_.start();
    int to = std::max(range_.end(), from);
    bool found = false;
    for (int pos = from; pos + n <= to;) {
        if (!matchAt(pos)) {
            ++pos;
            continue;
        }
        found = true;
        if (replace == ReplaceMode::None) {
            range_.setRange(pos, pos + n);
            return true;
        }
        const std::uint16_t font = story.at(pos).font;
        const std::uint16_t link = story.at(pos).link;
        story.remove(pos, pos + n);
        const int added = story.insertText(pos, replacement_.text(), font, link);
        to += added - n;
        pos += added;
        if (replace == ReplaceMode::One)
            break;
    }
    return found;
}

}  // namespace tovu::platform::word
