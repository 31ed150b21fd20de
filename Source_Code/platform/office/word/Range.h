#pragma once

#include "platform/office/word/DocumentState.h"
#include "platform/office/word/TableModel.h"

#include <QString>

namespace tovu::platform::word {

class Find;
class Font;
class Hyperlinks;
class InlineShapes;
class ParagraphFormat;
class Paragraphs;
class Table;

// What Range.Information can be asked here (Word's numbers).
enum class Information : int {
    AdjustedPageNumber = 1,  // page number at the range's end
    SectionNumber = 2,
    PageNumber = 3,          // page number at the range's end
    NumberOfPages = 4,
};

// A stretch of one story. It follows edits made anywhere in the story, as Word's ranges do.
class Range {
public:
    Range(StatePtr state, Story* story, std::shared_ptr<Anchor> anchor, bool paragraphRange = false);

    int start() const;
    int end() const;
    void setRange(int start, int end);
    void collapse(bool toStart = true);

    QString text() const;
    // Replaces the text; the range then covers the new text. The story's final paragraph
    // mark is kept, and so is the closing mark of a paragraph's own range.
    void setText(const QString& text);
    void insertAfter(const QString& text);
    void insertBefore(const QString& text);
    // Inserts a paragraph mark at the range's end and extends the range over it. When the
    // range ends with a paragraph mark, the new mark goes in front of it, so that the
    // closing mark (and a paragraph object that follows it) moves on to the new, empty
    // paragraph while the text keeps its paragraph formatting.
    void insertParagraphAfter();
    // Replaces the range with a break (page break by default).
    void insertBreak(BreakType type = BreakType::Page);
    void deleteText();
    void select();

    Font font() const;
    ParagraphFormat paragraphFormat() const;
    Paragraphs paragraphs() const;
    Find find() const;
    Hyperlinks hyperlinks() const;
    InlineShapes inlineShapes() const;

    // Turns the paragraphs of the range into a table, cells split at the separator.
    // Rows and columns 0 take the text's own shape; a column width of 0 shares the width.
    Table convertToTable(const QString& separator = QStringLiteral("\t"), int numRows = 0, int numColumns = 0,
                         double initialColumnWidth = 0, const TableFormatOptions& options = {});

    int information(Information what) const;

    Story& story() const { return *story_; }
    const StatePtr& state() const { return state_; }
    bool isParagraphRange() const { return paragraphRange_; }

private:
    void enter(const char* operation, const QString& arguments = {}) const;
    std::uint16_t fontAt(int pos) const;

    StatePtr state_;
    Story* story_;
    std::shared_ptr<Anchor> anchor_;
    bool paragraphRange_;
};

// Range.Font: reads the first character's format, writes every character of the range.
class Font {
public:
    explicit Font(Range range) : range_(std::move(range)) {}

    QString name() const { return get().name; }
    double size() const { return get().size; }
    bool bold() const { return get().bold; }
    bool italic() const { return get().italic; }
    bool underline() const { return get().underline; }
    bool strikeThrough() const { return get().strikeThrough; }
    bool emboss() const { return get().emboss; }
    bool engrave() const { return get().engrave; }
    bool shadow() const { return get().shadow; }
    int animation() const { return get().animation; }
    std::int32_t color() const { return get().color; }

    void setName(const QString& v);
    void setSize(double v);
    void setBold(bool v);
    void setItalic(bool v);
    void setUnderline(bool v);
    void setStrikeThrough(bool v);
    void setEmboss(bool v);
    void setEngrave(bool v);
    void setShadow(bool v);
    void setAnimation(int v);
    void setColor(std::int32_t v);
    // Back to the default character format.
    void reset();

private:
    CharFormat get() const;
    template <class T>
    void set(const char* operation, T CharFormat::*member, T value);
    Range range_;
};

// Paragraph formatting of every paragraph the range touches.
class ParagraphFormat {
public:
    explicit ParagraphFormat(Range range) : range_(std::move(range)) {}

    Alignment alignment() const { return get().alignment; }
    double spaceAfter() const { return get().spaceAfter; }
    double spaceBefore() const { return get().spaceBefore; }
    void setAlignment(Alignment v);
    void setSpaceAfter(double v);
    void setSpaceBefore(double v);
    void reset();

private:
    ParaFormat get() const;
    Range range_;
};

}  // namespace tovu::platform::word
