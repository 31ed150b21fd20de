#pragma once
// The ANSI code page of a locale and text conversion to and from it. Files the program
// shares with other tools (saved items, exports) are written in it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>

namespace tovu::platform::locale {

// 1251 for a Russian LCID, 1252 for every other.
int ansiCodePage(std::uint32_t lcid);

// The code page of a language code, the LCID as hexadecimal text ("419", "40c"); a text
// that is no such number counts as the Western page.
int ansiCodePageOfLanguage(QStringView languageCode);

// The code pages encode() and decode() handle: 1252 and 1251.
bool isSupportedCodePage(int codePage);

// A character the code page cannot hold becomes "?". Bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D in 1252; 0x98 in 1251) decode to the
// control character of the same number and encode back to the same byte, so a file
// passes through unchanged. Throws std::invalid_argument for an unsupported page.
QByteArray encode(QStringView text, int codePage);
QString decode(QByteArrayView bytes, int codePage);

} // namespace tovu::platform::locale
