#pragma once
// Small text helpers shared by the saved-items file and the exports: the encoded
// line buffer they write into, value cleaning, and strict number reading.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovu::platform::text {

// Lines in the ANSI code page, each ended by CR LF.
class LineBuffer {
public:
    explicit LineBuffer(int codePage);

    LineBuffer& key(std::string_view k);  // appends ASCII as it is
    LineBuffer& text(QStringView t);      // encoded in the code page
    LineBuffer& cleanText(QStringView t); // the same, cleaned as cleanValue() does
    LineBuffer& number(long long v);
    LineBuffer& comma();
    // ",a0,b0,a1,b1,..." for count elements of a (and of b, when given).
    LineBuffer& samples(const std::int16_t* a, const std::int16_t* b, int count);
    void endLine();
    void reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    void clear() { bytes_.clear(); }  // keeps the capacity

    int codePage() const { return codePage_; }
    QByteArrayView view() const { return QByteArrayView(bytes_.data(), static_cast<qsizetype>(bytes_.size())); }
    QByteArray bytes() const { return view().toByteArray(); }

private:
    int codePage_;
    std::string bytes_;  // grows cheaply by single characters, unlike QByteArray
};

// A value as the files carry it: CR and LF become blanks (a value never breaks its
// line), then leading and trailing blanks are removed. Only blanks: tabs stay.
QString cleanValue(QStringView value);
QString trimBlanks(QStringView value);
QString blankLineBreaks(QStringView value);

// Strict conversions of a whole field: blanks around it allowed, nothing else; the
// value rounded half to even. Nothing when the text is not a number or does not fit.
std::optional<std::int16_t> strictInt16(QStringView field);
std::optional<double> strictDouble(QStringView field);

// True for a plain decimal, an optional minus, digits and optionally a point and more
// digits ("-12", "25.5"): the quick answer before the strict rule, for bytes or text.
template <typename Chars>
bool isPlainDecimal(const Chars& v)
{
    const auto digit = [&](qsizetype i) { return v[i] >= u'0' && v[i] <= u'9'; };
    qsizetype i = v.size() > 0 && v[0] == u'-' ? 1 : 0;
    const qsizetype digits = i;
    while (i < v.size() && digit(i))
        ++i;
    if (i == digits)
        return false;
    if (i < v.size() && v[i] == u'.') {
        const qsizetype decimals = ++i;
        while (i < v.size() && digit(i))
            ++i;
        if (i == decimals)
            return false;
    }
    return i == v.size();
}

} // namespace tovu::platform::text
