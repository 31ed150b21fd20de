#include "platform/office/word/Formats.h"

#include <array>

namespace tovu::platform::word {

QColor colorFromWord(std::int32_t bgr)
{
    if (bgr == kColorAutomatic || bgr < 0)
        return QColor(Qt::black);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QString hexFromWord(std::int32_t bgr)
{
    if (bgr == kColorAutomatic || bgr < 0)
        return QStringLiteral("auto");
    const QColor c = colorFromWord(bgr);
    return QStringLiteral("%1%2%3")
        .arg(c.red(), 2, 16, QLatin1Char('0'))
        .arg(c.green(), 2, 16, QLatin1Char('0'))
        .arg(c.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::int32_t wordFromHex(const QString& hex)
{
    bool ok = false;
    const unsigned rgb = hex.toUInt(&ok, 16);
    if (!ok || hex.size() != 6)
        return kColorAutomatic;
    return static_cast<std::int32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

namespace {
constexpr std::array<const char*, 7> kAnimations = {
    "none", "lights", "blinkBackground", "sparkle", "antsBlack", "antsRed", "shimmer"};
}

QString animationName(int animation)
{
    if (animation < 0 || animation >= static_cast<int>(kAnimations.size()))
        return QStringLiteral("none");
    return QString::fromLatin1(kAnimations[animation]);
}

int animationFromName(const QString& name)
{
    for (std::size_t i = 0; i < kAnimations.size(); ++i)
        if (name == QLatin1String(kAnimations[i]))
            return static_cast<int>(i);
    return 0;
}

}  // namespace tovu::platform::word
