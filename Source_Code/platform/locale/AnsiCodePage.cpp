#include "platform/locale/AnsiCodePage.h"

#include <array>
#include <iconv.h>
#include <stdexcept>
#include <string>

namespace tovu::platform::locale {

namespace {

struct CodePageTables {
    std::array<char16_t, 256> toUnicode{};
    std::array<std::uint8_t, 65536> fromUnicode{};  // 0: no byte for this character
};

// Builds both directions once from glibc's converter, one byte at a time.
CodePageTables buildTables(const char* iconvName)
{
    CodePageTables t;
    iconv_t cd = iconv_open("UTF-16LE", iconvName);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no converter for ") + iconvName);
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[4] = {};
        char* inp = &in;
        char* outp = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1)
            && outLeft == 2;
        const char16_t u = ok ? static_cast<char16_t>(static_cast<unsigned char>(out[0])
                                                      | (static_cast<unsigned char>(out[1]) << 8))
                              : static_cast<char16_t>(b);  // undefined byte: same number
        t.toUnicode[static_cast<std::size_t>(b)] = u;
    }
    iconv_close(cd);
    // Later bytes never shadow earlier ones; byte 0 stays "no byte" except for U+0000.
    for (int b = 255; b >= 1; --b)
        t.fromUnicode[t.toUnicode[static_cast<std::size_t>(b)]] = static_cast<std::uint8_t>(b);
    return t;
}

const CodePageTables& tablesOf(int codePage)
{
    static const CodePageTables cp1252 = buildTables("CP1252");
    static const CodePageTables cp1251 = buildTables("CP1251");
    switch (codePage) {
    case 1252:
        return cp1252;
    case 1251:
        return cp1251;
    default:
        throw std::invalid_argument("unsupported code page " + std::to_string(codePage));
    }
}

} // namespace

int ansiCodePage(std::uint32_t lcid)
{
    constexpr std::uint32_t kRussian = 0x19;  // primary language in the low ten bits
    return (lcid & 0x3FF) == kRussian ? 1251 : 1252;
}

int ansiCodePageOfLanguage(QStringView languageCode)
{
    bool ok = false;
    const uint lcid = languageCode.trimmed().toUInt(&ok, 16);
    return ansiCodePage(ok ? lcid : 0);
}

bool isSupportedCodePage(int codePage)
{
    return codePage == 1252 || codePage == 1251;
}

QByteArray encode(QStringView text, int codePage)
{
    const CodePageTables& t = tablesOf(codePage);
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            *p++ = '?';  // one character beyond the basic plane, one replacement
            ++i;
            continue;
        }
        if (u < 0x80) {
            *p++ = static_cast<char>(u);
            continue;
        }
        const std::uint8_t b = t.fromUnicode[u];
        *p++ = b ? static_cast<char>(b) : '?';
    }
    out.truncate(p - out.data());
    return out;
}

QString decode(QByteArrayView bytes, int codePage)
{
    const CodePageTables& t = tablesOf(codePage);
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* p = out.data();
    for (const char c : bytes)
        *p++ = QChar(t.toUnicode[static_cast<unsigned char>(c)]);
    return out;
}

} // namespace tovu::platform::locale
