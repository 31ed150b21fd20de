#include "platform/office/word/Story.h"

#include <algorithm>

namespace tovu::platform::word {

std::uint16_t FormatPool::font(const CharFormat& format)
{
    auto it = std::find(fonts_.begin(), fonts_.end(), format);
    if (it != fonts_.end())
        return static_cast<std::uint16_t>(it - fonts_.begin());
    fonts_.push_back(format);
    return static_cast<std::uint16_t>(fonts_.size() - 1);
}

std::uint16_t FormatPool::para(const ParaFormat& format)
{
    auto it = std::find(paras_.begin(), paras_.end(), format);
    if (it != paras_.end())
        return static_cast<std::uint16_t>(it - paras_.begin());
    paras_.push_back(format);
    return static_cast<std::uint16_t>(paras_.size() - 1);
}

Story::Story(FormatPool& pool) : pool_(&pool), chars_(1) {}

QString Story::text(int from, int to) const
{
    from = clamp(from);
    to = clamp(to);
    QString out;
    out.reserve(std::max(0, to - from));
    for (int i = from; i < to; ++i)
        out += QChar(chars_[static_cast<std::size_t>(i)].ch);
    return out;
}

int Story::insertText(int pos, const QString& text, std::uint16_t font, std::uint16_t link)
{
    pos = clamp(pos);
    if (pos >= length())
        pos = length() - 1;  // nothing goes behind the final mark
    const std::uint16_t para = chars_[static_cast<std::size_t>(paragraphEnd(pos) - 1)].para;
    std::vector<StoryChar> add;
    add.reserve(static_cast<std::size_t>(text.size()));
    for (int i = 0; i < text.size(); ++i) {
        char16_t ch = text.at(i).unicode();
        if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        if (ch == u'\n')
            ch = kParagraphMark;
        StoryChar c;
        c.ch = ch;
        c.font = font;
        c.para = para;
        c.link = ch == kParagraphMark ? 0 : link;
        add.push_back(c);
    }
    if (add.empty())
        return 0;
    chars_.insert(chars_.begin() + pos, add.begin(), add.end());
    adjustForInsert(pos, static_cast<int>(add.size()));
    return static_cast<int>(add.size());
}

void Story::insertObject(int pos, int object, std::uint16_t font)
{
    pos = std::min(clamp(pos), length() - 1);
    StoryChar c;
    c.ch = kObjectChar;
    c.font = font;
    c.object = object;
    chars_.insert(chars_.begin() + pos, c);
    adjustForInsert(pos, 1);
}

void Story::remove(int from, int to)
{
    from = clamp(from);
    to = std::min(clamp(to), length() - 1);
    if (to <= from)
        return;
    chars_.erase(chars_.begin() + from, chars_.begin() + to);
    adjustForRemove(from, to);
}

void Story::clear()
{
    remove(0, length() - 1);
}

int Story::paragraphStart(int pos) const
{
    pos = std::min(clamp(pos), length() - 1);
    while (pos > 0 && chars_[static_cast<std::size_t>(pos - 1)].ch != kParagraphMark)
        --pos;
    return pos;
}

int Story::paragraphEnd(int pos) const
{
    pos = std::min(clamp(pos), length() - 1);
    while (chars_[static_cast<std::size_t>(pos)].ch != kParagraphMark)
        ++pos;
    return pos + 1;
}

std::vector<std::pair<int, int>> Story::paragraphs() const
{
    std::vector<std::pair<int, int>> out;
    int start = 0;
    for (int i = 0; i < length(); ++i)
        if (chars_[static_cast<std::size_t>(i)].ch == kParagraphMark) {
            out.emplace_back(start, i + 1);
            start = i + 1;
        }
    return out;
}

void Story::forEachChar(int from, int to, const std::function<void(StoryChar&)>& change)
{
    from = clamp(from);
    to = clamp(to);
    for (int i = from; i < to; ++i)
        change(chars_[static_cast<std::size_t>(i)]);
    ++revision_;
}

void Story::setFont(int from, int to, const std::function<void(CharFormat&)>& change)
{
    forEachChar(from, to, [&](StoryChar& c) {
        CharFormat f = pool_->font(c.font);
        change(f);
        c.font = pool_->font(f);
    });
}

void Story::setParaFormat(int from, int to, const std::function<void(ParaFormat&)>& change)
{
    const int first = paragraphStart(from);
    const int last = paragraphEnd(std::max(from, to - 1));
    for (int i = first; i < last; ++i) {
        StoryChar& c = chars_[static_cast<std::size_t>(i)];
        if (c.ch != kParagraphMark)
            continue;
        ParaFormat p = pool_->para(c.para);
        change(p);
        c.para = pool_->para(p);
    }
    ++revision_;
}

std::shared_ptr<Anchor> Story::track(int start, int end)
{
    auto anchor = std::make_shared<Anchor>(Anchor{clamp(start), clamp(std::max(start, end))});
    std::erase_if(anchors_, [](const std::weak_ptr<Anchor>& w) { return w.expired(); });
    anchors_.push_back(anchor);
    return anchor;
}

void Story::adjustForInsert(int pos, int count)
{
    ++revision_;
    for (auto& weak : anchors_) {
        auto a = weak.lock();
        if (!a)
            continue;
        // Text inserted at a range's start goes in front of it; at its end, behind it.
        // A collapsed range at the point moves behind the new text.
        const bool startMoves = a->start >= pos;
        if (startMoves)
            a->start += count;
        if (a->end > pos || (a->end == pos && startMoves))
            a->end += count;
    }
}

void Story::adjustForRemove(int from, int to)
{
    ++revision_;
    const int count = to - from;
    auto shift = [&](int p) { return p <= from ? p : (p >= to ? p - count : from); };
    for (auto& weak : anchors_) {
        if (auto a = weak.lock()) {
            a->start = shift(a->start);
            a->end = shift(a->end);
        }
    }
}

}  // namespace tovu::platform::word
