#include "platform/zip/PartText.h"

namespace tovu::platform::zip {

namespace {

enum class Kind { Keep, Drop, Replace };

Kind kindAt(const QString& text, qsizetype i)
{
    const char16_t c = text.at(i).unicode();
    if (c < 0x20)
        return c == u'\t' || c == u'\n' || c == u'\r' ? Kind::Keep : Kind::Drop;
    if (c == 0xFFFE || c == 0xFFFF)
        return Kind::Drop;
    if (QChar::isHighSurrogate(c))
        return i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? Kind::Keep : Kind::Replace;
    if (QChar::isLowSurrogate(c))
        return i > 0 && text.at(i - 1).isHighSurrogate() ? Kind::Keep : Kind::Replace;
    return Kind::Keep;
}

}  // namespace

QString xmlText(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && kindAt(text, i) == Kind::Keep)
        ++i;
    if (i == text.size())
        return text;  // the usual case: shared, not copied
    QString out = text.left(i);
    for (; i < text.size(); ++i) {
        switch (kindAt(text, i)) {
        case Kind::Keep: out += text.at(i); break;
        case Kind::Replace: out += QChar(QChar::ReplacementCharacter); break;
        case Kind::Drop: break;
        }
    }
    return out;
}

}  // namespace tovu::platform::zip
