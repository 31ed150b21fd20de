#include "platform/spelling/Speller.h"

#include "platform/spelling/SpellingError.h"

#include <QDir>
#include <QFileInfo>
#include <hunspell/hunspell.hxx>

namespace tovu::platform::spelling {

namespace {

QString affixFile(const QString& language, const QString& folder)
{
    return QDir(folder).filePath(language + QStringLiteral(".aff"));
}

QString wordFile(const QString& language, const QString& folder)
{
    return QDir(folder).filePath(language + QStringLiteral(".dic"));
}

} // namespace

QString Speller::systemFolder()
{
    return QStringLiteral("/usr/share/hunspell");
}

bool Speller::available(const QString& language, const QString& folder)
{
    return QFileInfo(affixFile(language, folder)).isReadable() && QFileInfo(wordFile(language, folder)).isReadable();
}

QString Speller::languageOfLcid(std::uint32_t lcid)
{
    return (lcid & 0x3FFu) == 0x07u ? QStringLiteral("de_DE") : QStringLiteral("en_US");
}

Speller::Speller(const QString& language, const QString& folder)
    : language_(language)
{
    if (!available(language, folder))
        throw SpellingError(QStringLiteral("No dictionary of the language %1 in %2").arg(language, folder));
    hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(affixFile(language, folder)).constData(),
                                           QFile::encodeName(wordFile(language, folder)).constData());
    const std::string encoding = hunspell_->get_dict_encoding();
    if (encoding == "UTF-8")
        utf8_ = true;
    else if (encoding == "ISO8859-1")
        utf8_ = false;
    else
        throw SpellingError(QStringLiteral("The dictionary of %1 is in an encoding that cannot be read: %2")
                                .arg(language, QString::fromStdString(encoding)));
}

Speller::~Speller() = default;

QByteArray Speller::encode(const QString& text) const
{
    return utf8_ ? text.toUtf8() : text.toLatin1();
}

QString Speller::decode(const std::string& bytes) const
{
    return utf8_ ? QString::fromStdString(bytes) : QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool Speller::check(const QString& word) const
{
    // A word the dictionary's encoding cannot hold is not one of its words.
    if (!utf8_ && word != QString::fromLatin1(word.toLatin1()))
        return false;
    return hunspell_->spell(encode(word).toStdString());
}

QStringList Speller::suggest(const QString& word) const
{
    QStringList out;
    for (const std::string& s : hunspell_->suggest(encode(word).toStdString()))
        out << decode(s);
    return out;
}

} // namespace tovu::platform::spelling
