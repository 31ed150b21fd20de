#include "platform/locale/UserLocale.h"

#include <array>

namespace tovu::platform::locale {

namespace {

struct LocaleId {
    QLocale::Language language;
    QLocale::Territory territory;
    std::uint32_t lcid;
};

constexpr std::array<LocaleId, 9> kExact{{
    {QLocale::English, QLocale::UnitedKingdom, 0x809},
    {QLocale::English, QLocale::UnitedStates, 0x409},
    {QLocale::German, QLocale::Germany, 0x407},
    {QLocale::French, QLocale::France, 0x40C},
    {QLocale::Spanish, QLocale::Spain, 0x40A},
    {QLocale::Finnish, QLocale::Finland, 0x40B},
    {QLocale::Russian, QLocale::Russia, 0x419},
    {QLocale::Polish, QLocale::Poland, 0x415},
    {QLocale::Chinese, QLocale::China, 0x804},
}};

// The primary identifier of each language above (sublanguage 1).
constexpr std::array<std::pair<QLocale::Language, std::uint32_t>, 8> kPrimary{{
    {QLocale::English, 0x409},
    {QLocale::German, 0x407},
    {QLocale::French, 0x40C},
    {QLocale::Spanish, 0x40A},
    {QLocale::Finnish, 0x40B},
    {QLocale::Russian, 0x419},
    {QLocale::Polish, 0x415},
    {QLocale::Chinese, 0x804},
}};

constexpr std::uint32_t kDefaultLcid = 0x409;

} // namespace

std::uint32_t lcidOfLocale(const QLocale& locale)
{
    for (const LocaleId& e : kExact)
        if (e.language == locale.language() && e.territory == locale.territory())
            return e.lcid;
    for (const auto& [language, lcid] : kPrimary)
        if (language == locale.language())
            return lcid;
    return kDefaultLcid;
}

std::uint32_t userDefaultLcid()
{
    return lcidOfLocale(QLocale::system());
}

QString lcidText(std::uint32_t lcid)
{
    return QString::number(lcid, 16).toUpper();
}

QString decimalSeparator()
{
    return decimalSeparator(QLocale::system());
}

QString decimalSeparator(const QLocale& locale)
{
    return locale.decimalPoint();
}

} // namespace tovu::platform::locale
