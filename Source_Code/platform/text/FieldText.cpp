#include "platform/text/FieldText.h"

#include "platform/text/NumberText.h"
#include "platform/locale/AnsiCodePage.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tovu::platform::text {

namespace {
QStringView withoutBlanks(QStringView field)
{
    qsizetype b = 0;
    qsizetype e = field.size();
    while (b < e && field[b] == u' ')
        ++b;
    while (e > b && field[e - 1] == u' ')
        --e;
    return field.mid(b, e - b);
}
} // namespace

LineBuffer::LineBuffer(int codePage) : codePage_(codePage) {}

LineBuffer& LineBuffer::key(std::string_view k)
{
    bytes_.append(k);
    return *this;
}

LineBuffer& LineBuffer::text(QStringView t)
{
    // Copy the plain ASCII run directly; only the rest goes through the code page.
    qsizetype plain = 0;
    while (plain < t.size() && t[plain].unicode() < 0x80)
        ++plain;
    const std::size_t at = bytes_.size();
    bytes_.resize(at + static_cast<std::size_t>(plain));
    char* p = bytes_.data() + at;
    for (qsizetype i = 0; i < plain; ++i)
        p[i] = static_cast<char>(t[i].unicode());
    if (plain < t.size()) {
        const QByteArray encoded = platform::locale::encode(t.mid(plain), codePage_);
        bytes_.append(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    }
    return *this;
}

LineBuffer& LineBuffer::cleanText(QStringView t)
{
    const QStringView trimmed = withoutBlanks(t);
    if (trimmed.contains(u'\r') || trimmed.contains(u'\n'))
        return text(cleanValue(trimmed));
    return text(trimmed);
}

LineBuffer& LineBuffer::number(long long v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    bytes_.append(buf, static_cast<std::size_t>(r.ptr - buf));
    return *this;
}

namespace {
char* writeSample(char* p, std::int16_t value)
{
    *p++ = ',';
    int v = value;
    if (v < 0) {
        *p++ = '-';
        v = -v;
    }
    char digits[5];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    while (n)
        *p++ = digits[--n];
    return p;
}
} // namespace

LineBuffer& LineBuffer::samples(const std::int16_t* a, const std::int16_t* b, int count)
{
    // Written into a buffer wide enough for the widest values (",-32768") and appended
    // once, so the line is neither zero-filled nor grown value by value.
    constexpr int kChunk = 128;
    char buf[kChunk * 14];
    for (int from = 0; from < count; from += kChunk) {
        char* p = buf;
        for (int i = from; i < std::min(count, from + kChunk); ++i) {
            p = writeSample(p, a[i]);
            if (b)
                p = writeSample(p, b[i]);
        }
        bytes_.append(buf, static_cast<std::size_t>(p - buf));
    }
    return *this;
}

LineBuffer& LineBuffer::comma()
{
    bytes_.push_back(',');
    return *this;
}

void LineBuffer::endLine()
{
    bytes_.append("\r\n", 2);
}


QString trimBlanks(QStringView value)
{
    return withoutBlanks(value).toString();
}

QString blankLineBreaks(QStringView value)
{
    QString s = value.toString();
    for (QChar& c : s)
        if (c == u'\r' || c == u'\n')
            c = u' ';
    return s;
}


QString cleanValue(QStringView value)
{
    return trimBlanks(blankLineBreaks(value));
}


std::optional<std::int16_t> strictInt16(QStringView field)
{
    // Plain integers are by far the most common: read them without a detour.
    const QChar* p = field.data();
    const QChar* const end = p + field.size();
    const bool negative = p != end && *p == u'-';
    if (negative)
        ++p;
    if (p != end && end - p <= 6) {
        int v = 0;
        const QChar* q = p;
        while (q != end && q->unicode() >= u'0' && q->unicode() <= u'9')
            v = v * 10 + (q++->unicode() - u'0');
        if (q == end) {
            v = negative ? -v : v;
            if (v < -32768 || v > 32767)
                return std::nullopt;
            return static_cast<std::int16_t>(v);
        }
    }
    const std::optional<double> d = strictDouble(field);
    if (!d)
        return std::nullopt;
    return roundToInt16(*d);
}

std::optional<double> strictDouble(QStringView field)
{
    const QStringView f = withoutBlanks(field);
    if (f.isEmpty())
        return std::nullopt;
    // Only digits, sign, point and exponent: no "inf", "nan" or hexadecimal.
    for (const QChar c : f)
        if (!((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e'
              || c == u'E'))
            return std::nullopt;
    bool ok = false;
    const double d = f.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

} // namespace tovu::platform::text
