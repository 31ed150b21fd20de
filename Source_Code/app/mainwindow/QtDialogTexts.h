#pragma once
// Qt's own texts (the file dialogs' "Look in", "File name", Open, Cancel and the like) in
// the language of the string table in force, from the translations Qt ships.

#include <QString>
#include <QTranslator>

namespace tovu::mainwindow {

class QtDialogTexts {
public:
    QtDialogTexts() = default;
    QtDialogTexts(const QtDialogTexts&) = delete;
    QtDialogTexts& operator=(const QtDialogTexts&) = delete;
    ~QtDialogTexts();

    // Follows the language library of the locale code now loaded ("407" German ...); a
    // library whose table is English, or no library, gives Qt's English. False when the
    // language's translation file is missing (Qt then speaks English).
    bool follow(const QString& languageCode);
    // The language Qt's texts are in: "de", "fr", "es", "ru" or "en".
    QString language() const { return language_; }

private:
    QTranslator translator_;
    bool installed_ = false;
    QString language_ = QStringLiteral("en");
};

// The language of the table that the library of a locale code holds.
QString tableLanguageOf(const QString& languageCode);

} // namespace tovu::mainwindow
