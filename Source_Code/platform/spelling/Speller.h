#pragma once
// The main dictionary of one language: hunspell's affix and word files, as the system's
// dictionary packages install them ("en_US.aff" and "en_US.dic" in /usr/share/hunspell).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class Hunspell;

namespace tovu::platform::spelling {

class Speller {
public:
    // The dictionaries of language (a hunspell name such as "en_US") from folder; throws
    // SpellingError when they are not there or cannot be read.
    explicit Speller(const QString& language, const QString& folder = systemFolder());
    ~Speller();
    Speller(const Speller&) = delete;
    Speller& operator=(const Speller&) = delete;

    const QString& language() const { return language_; }
    bool check(const QString& word) const;
    // Suggestions for a word, best first.
    QStringList suggest(const QString& word) const;

    static QString systemFolder();
    // Whether folder holds the dictionaries of language.
    static bool available(const QString& language, const QString& folder = systemFolder());
    // The dictionary language for a Windows locale identifier: German locales (primary
    // language 0x07) check German, every other locale American English.
    static QString languageOfLcid(std::uint32_t lcid);

private:
    QByteArray encode(const QString& text) const;
    QString decode(const std::string& bytes) const;

    QString language_;
    std::unique_ptr<Hunspell> hunspell_;
    bool utf8_ = true;
};

} // namespace tovu::platform::spelling
