#pragma once
// The string lookup: texts by string id from the loaded language library, falling back
// to the program's own English (United Kingdom) table compiled into the program.

#include "app/items/StringSource.h"
#include "platform/automation/Variant.h"

#include <QString>
#include <functional>
#include <optional>

namespace tovu::platform::automation {
class Activator;
}

namespace tovu::items {

// The text of id in the program's own table, or nothing when the table lacks it.
std::optional<QString> OwnResString(int id);

// The language state of the program: the loaded language library object and the user's
// locale code. Created once by the program; tests build their own.
class LanguageContext : public StringSource {
public:
    // Creates an object by ProgID; raises (or returns null) when it cannot.
    using ObjectFactory = std::function<platform::automation::DispatchRef(const QString& progId)>;

    explicit LanguageContext(ObjectFactory createObject);
    // Libraries are created by ProgID through the program's in-process server activation;
    // the activator must outlive the context.
    explicit LanguageContext(platform::automation::Activator& activator);

    // Creates "TOVU" + lcid + ".clsResources" and keeps it as the language library.
    // False when it cannot be created (no library for the locale, such as "804"); the
    // library loaded before, if any, then stays in force. Shows nothing.
    bool LoadResourceDll(const QString& lcid);

    // The library's text for id; the program's own text when there is no library or the
    // library fails for this id (lacks it, is gone, returns no text). An id that neither
    // table holds gives an empty text: a missing caption never stops the program.
    QString GetResString(int id) const override;

    // The loaded language library object; null until a LoadResourceDll succeeds.
    const platform::automation::DispatchRef& LanguageResources() const { return languageResources_; }

    // The user's locale identifier in hexadecimal without leading zeros ("809", "40C" ...),
    // set by the main window at start-up and by the language menu.
    const QString& LanguageCode() const { return languageCode_; }
    void setLanguageCode(const QString& code) { languageCode_ = code; }

private:
    ObjectFactory createObject_;
    platform::automation::DispatchRef languageResources_;
    QString languageCode_;
};

} // namespace tovu::items
