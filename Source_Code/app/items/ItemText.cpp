#include "app/items/ItemText.h"

#include "app/items/NumberText.h"
#include "platform/locale/AnsiCodePage.h"

#include <charconv>
#include <cmath>

namespace tovu::items {

LineBuffer::LineBuffer(int codePage) : codePage_(codePage) {}

LineBuffer& LineBuffer::key(std::string_view k)
{
    bytes_.append(k.data(), static_cast<qsizetype>(k.size()));
    return *this;
}

LineBuffer& LineBuffer::text(QStringView t)
{
    bool ascii = true;
    for (const QChar c : t)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        const qsizetype at = bytes_.size();
        bytes_.resize(at + t.size());
        char* p = bytes_.data() + at;
        for (const QChar c : t)
            *p++ = static_cast<char>(c.unicode());
    } else {
        bytes_.append(platform::locale::encode(t, codePage_));
    }
    return *this;
}

LineBuffer& LineBuffer::number(long long v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    bytes_.append(buf, r.ptr - buf);
    return *this;
}

LineBuffer& LineBuffer::comma()
{
    bytes_.append(',');
    return *this;
}

void LineBuffer::endLine()
{
    bytes_.append("\r\n", 2);
}

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
    const QStringView f = withoutBlanks(field);
    // Plain integers are by far the most common: read them without a detour.
    qsizetype i = 0;
    const bool negative = !f.isEmpty() && f[0] == u'-';
    if (negative || (!f.isEmpty() && f[0] == u'+'))
        i = 1;
    if (i < f.size() && f.size() - i <= 6) {
        int v = 0;
        qsizetype j = i;
        while (j < f.size() && f[j] >= u'0' && f[j] <= u'9')
            v = v * 10 + (f[j++].unicode() - u'0');
        if (j == f.size()) {
            v = negative ? -v : v;
            if (v < -32768 || v > 32767)
                return std::nullopt;
            return static_cast<std::int16_t>(v);
        }
    }
    const std::optional<double> d = strictDouble(f);
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

} // namespace tovu::items
