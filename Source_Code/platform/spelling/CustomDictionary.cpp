#include "platform/spelling/CustomDictionary.h"

#include "platform/files/AtomicFile.h"
#include "platform/locale/AnsiCodePage.h"
#include "platform/spelling/SpellingError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

namespace tovu::platform::spelling {

namespace {

constexpr int kWesternCodePage = 1252;

} // namespace

CustomDictionary::CustomDictionary(const QString& fileName)
    : fileName_(fileName)
{
    QFile file(fileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw SpellingError(QStringLiteral("The custom dictionary %1 cannot be read").arg(fileName));
    const QByteArray bytes = file.readAll();
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        encoding_ = Encoding::Utf16LE;
        text = QStringDecoder(QStringConverter::Utf16LE)(bytes.mid(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding_ = Encoding::Utf16BE;
        text = QStringDecoder(QStringConverter::Utf16BE)(bytes.mid(2));
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding_ = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        QStringDecoder utf8(QStringConverter::Utf8);
        text = utf8(bytes);
        encoding_ = Encoding::Utf8;
        if (utf8.hasError()) {
            encoding_ = Encoding::Ansi;
            text = locale::decode(bytes, kWesternCodePage);
        }
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            words_ << word;
    }
}

bool CustomDictionary::contains(const QString& word) const
{
    for (const QString& entry : words_) {
        if (entry == word)
            return true;
        if (entry == entry.toLower() ? entry == word.toLower() : entry.toUpper() == word)
            return true;
    }
    return false;
}

void CustomDictionary::add(const QString& word)
{
    const QString entry = word.trimmed();
    if (entry.isEmpty() || words_.contains(entry))
        return;
    QStringList words = words_;
    words << entry;
    const QString text = words.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QByteArray bytes;
    switch (encoding_) {
    case Encoding::Utf16LE:
        bytes = QByteArray("\xFF\xFE", 2) + QByteArray(QStringEncoder(QStringConverter::Utf16LE)(text));
        break;
    case Encoding::Utf16BE:
        bytes = QByteArray("\xFE\xFF", 2) + QByteArray(QStringEncoder(QStringConverter::Utf16BE)(text));
        break;
    case Encoding::Utf8Bom:
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case Encoding::Utf8:
        bytes = text.toUtf8();
        break;
    case Encoding::Ansi:
        bytes = locale::encode(text, kWesternCodePage);
        break;
    }
    // A word the code page cannot hold would come back as "?": such a list goes to UTF-16.
    Encoding written = encoding_;
    if (encoding_ == Encoding::Ansi && locale::decode(bytes, kWesternCodePage) != text) {
        written = Encoding::Utf16LE;
        bytes = QByteArray("\xFF\xFE", 2) + QByteArray(QStringEncoder(QStringConverter::Utf16LE)(text));
    }
    if (!QDir().mkpath(QFileInfo(fileName_).absolutePath()))
        throw SpellingError(QStringLiteral("The custom dictionary %1 cannot be written: its folder cannot be made").arg(fileName_));
    const files::WriteResult saved = files::writeFileAtomically(fileName_, bytes);
    if (!saved.ok)
        throw SpellingError(QStringLiteral("The custom dictionary cannot be saved. ") + saved.reason);
    words_ = words;
    encoding_ = written;
}

} // namespace tovu::platform::spelling
