#include "app/mainwindow/QtDialogTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace tovu::mainwindow {

QString tableLanguageOf(const QString& languageCode)
{
    // The libraries of the other codes (809, 409 and 40B) hold English tables.
    static const std::pair<const char*, const char*> kTables[] = {
        {"407", "de"}, {"40C", "fr"}, {"40A", "es"}, {"419", "ru"}};
    for (const auto& [code, language] : kTables)
        if (languageCode.compare(QLatin1String(code), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(language);
    return QStringLiteral("en");
}

QtDialogTexts::~QtDialogTexts()
{
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}

bool QtDialogTexts::follow(const QString& languageCode)
{
    if (installed_) {
        QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
    }
    language_ = tableLanguageOf(languageCode);
    if (!translator_.load(QLocale(language_), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        language_ = QStringLiteral("en");
        return false;
    }
    installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}

} // namespace tovu::mainwindow
