#include "app/display/AScanColours.h"

#include "platform/text/NumberText.h"

namespace tovu::display {

QString colourKey(ColourRole role)
{
    static const std::array<QString, kColourRoles> keys = {
        QStringLiteral("Main Wave"), QStringLiteral("SecondWave"), QStringLiteral("Gates"),
        QStringLiteral("Dac"),       QStringLiteral("Tcg"),        QStringLiteral("Avg"),
    };
    return keys[static_cast<int>(role)];
}

Rgb colourOfText(const QString& text)
{
    const auto v = platform::text::roundToInt32(platform::text::valueOfText(text));
    return v ? static_cast<Rgb>(*v) & 0xFFFFFF : 0;
}

AScanColours readColours(const SettingsAccess& settings)
{
    AScanColours c;
    for (int i = 0; i < kColourRoles; ++i)
        c.values[i] = colourOfText(settings.GetSetting(kColoursSection, colourKey(ColourRole(i))));
    return c;
}

void saveColours(SettingsAccess& settings, const AScanColours& colours)
{
    for (ColourRole r : {ColourRole::Dac, ColourRole::Tcg, ColourRole::Gates, ColourRole::MainWave,
                         ColourRole::SecondWave, ColourRole::Avg})
        settings.SaveSetting(kColoursSection, colourKey(r), QString::number(colours[r] & 0xFFFFFF));
}

} // namespace tovu::display
