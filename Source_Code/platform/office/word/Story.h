#pragma once

#include "platform/office/word/Formats.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tovu::platform::word {

// Characters with a meaning of their own in a story, as in Word's own text model.
constexpr char16_t kParagraphMark = u'\r';
constexpr char16_t kPageBreak = 0x0C;
constexpr char16_t kLineBreak = 0x0B;
constexpr char16_t kTab = u'\t';
constexpr char16_t kObjectChar = 0xFFFC;  // a picture, table, field or carried element

// Character and paragraph formats are interned; stories keep small indexes.
class FormatPool {
public:
    std::uint16_t font(const CharFormat& format);
    std::uint16_t para(const ParaFormat& format);
    const CharFormat& font(std::uint16_t index) const { return fonts_.at(index); }
    const ParaFormat& para(std::uint16_t index) const { return paras_.at(index); }

private:
    std::vector<CharFormat> fonts_{CharFormat{}};
    std::vector<ParaFormat> paras_{ParaFormat{}};
};

struct StoryChar {
    char16_t ch = kParagraphMark;
    std::uint16_t font = 0;  // FormatPool index
    std::uint16_t para = 0;  // FormatPool index, read on paragraph marks
    std::uint16_t link = 0;  // hyperlink number, 0 = none
    std::int32_t object = -1;
    bool operator==(const StoryChar&) const = default;
};

// A tracked stretch of a story; the story moves it as text is inserted and removed.
struct Anchor {
    int start = 0;
    int end = 0;
};

// One flow of text: the main text or a header/footer. It always ends with a paragraph
// mark, which cannot be removed (Word's final paragraph mark).
class Story {
public:
    explicit Story(FormatPool& pool);

    int length() const { return static_cast<int>(chars_.size()); }
    const StoryChar& at(int i) const { return chars_.at(static_cast<std::size_t>(i)); }
    const std::vector<StoryChar>& chars() const { return chars_; }
    FormatPool& pool() const { return *pool_; }
    QString text(int from, int to) const;

    // Inserts text at pos. CR LF, CR and LF each become a paragraph mark, vertical tab a line
    // break, form feed a page break. New marks take the paragraph format of the paragraph they
    // split; all new characters take the given font. Returns the number inserted.
    int insertText(int pos, const QString& text, std::uint16_t font, std::uint16_t link = 0);
    void insertObject(int pos, int object, std::uint16_t font);
    // Removes [from, to); the final paragraph mark stays.
    void remove(int from, int to);
    // Empties the story down to its final mark, keeping that mark's formats.
    void clear();

    int paragraphStart(int pos) const;
    int paragraphEnd(int pos) const;  // one past the paragraph's mark
    // [start, end) of every paragraph, in order.
    std::vector<std::pair<int, int>> paragraphs() const;

    void forEachChar(int from, int to, const std::function<void(StoryChar&)>& change);
    void setFont(int from, int to, const std::function<void(CharFormat&)>& change);
    void setParaFormat(int from, int to, const std::function<void(ParaFormat&)>& change);

    std::shared_ptr<Anchor> track(int start, int end);
    int clamp(int pos) const { return pos < 0 ? 0 : (pos > length() ? length() : pos); }

    // Builds a story character by character (the reader); the final mark is added by finish().
    void appendRaw(const StoryChar& c) { chars_.insert(chars_.end() - 1, c); }
    void setFinalMark(const StoryChar& c) { chars_.back() = c; }

    std::uint64_t revision() const { return revision_; }

private:
    void adjustForInsert(int pos, int count);
    void adjustForRemove(int from, int to);

    FormatPool* pool_;
    std::vector<StoryChar> chars_;
    std::vector<std::weak_ptr<Anchor>> anchors_;
    std::uint64_t revision_ = 0;
};

}  // namespace tovu::platform::word
