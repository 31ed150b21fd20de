#pragma once
// The user's locale as the program sees it: a numeric locale identifier (LCID), its
// hexadecimal text that names language libraries and help files, and the decimal
// separator. Derived from the POSIX/Qt locale.

#include <QLocale>
#include <QString>
#include <cstdint>

namespace tovu::platform::locale {

// LCID of a locale: the listed language and territory pairs map to their own
// identifiers (en_GB 0x809, en_US 0x409, de_DE 0x407, fr_FR 0x40C, es_ES 0x40A,
// fi_FI 0x40B, ru_RU 0x419, pl_PL 0x415, zh_CN 0x804); another territory of one of
// these languages gets the language's primary identifier; anything else, the C and
// POSIX locales included, is 0x409.
std::uint32_t lcidOfLocale(const QLocale& locale);

// LCID of the user's default locale (LC_ALL, LC_MESSAGES, LANG as Qt reads them).
std::uint32_t userDefaultLcid();

// Upper-case hexadecimal without leading zeros: 0x809 -> "809", 0x40C -> "40C".
QString lcidText(std::uint32_t lcid);

// The decimal separator of the user's locale, and of any locale.
QString decimalSeparator();
QString decimalSeparator(const QLocale& locale);

} // namespace tovu::platform::locale
