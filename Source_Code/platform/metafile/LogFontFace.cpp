#include "platform/metafile/LogFontFace.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tovu::platform::metafile {

QString resolvedFace(const QString& face)
{
    struct Alias {
        const char* name;
        const char* face;
    };
    static constexpr Alias aliases[] = {
        {"arial", "Liberation Sans"},
        {"times new roman", "Liberation Serif"},
        {"courier", "Liberation Mono"},
        {"courier new", "Liberation Mono"},
    };
    const QString key = face.trimmed().toLower();
    for (const Alias& a : aliases)
        if (key == QLatin1String(a.name))
            return QString::fromLatin1(a.face);
    return face;
}

QFont fontForLogFont(const LogFont& logical)
{
    QFont font(resolvedFace(logical.faceName));
    font.setStyleStrategy(QFont::PreferOutline);
    font.setWeight(logical.weight >= 600 ? QFont::Bold : QFont::Normal);
    constexpr int kProbe = 200;
    font.setPixelSize(kProbe);
    const QFontMetricsF probe(font);
    const double cell = probe.ascent() + probe.descent();
    // A negative height is the character height without the internal leading: the em.
    const int height = logical.height != 0 ? std::abs(logical.height) : 16;
    const int pixels = logical.height < 0
                           ? height
                           : std::max(1, static_cast<int>(std::lround(height * kProbe / (cell > 0 ? cell : kProbe))));
    font.setPixelSize(pixels);
    if (logical.width > 0) {
        const double average = QFontMetricsF(font).averageCharWidth();
        if (average > 0) {
            const int stretch = static_cast<int>(std::lround(100.0 * logical.width / average));
            font.setStretch(std::clamp(stretch, 1, 4000));
        }
    }
    return font;
}

} // namespace tovu::platform::metafile
