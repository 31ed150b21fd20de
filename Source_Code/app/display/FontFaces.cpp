#include "app/display/FontFaces.h"

#include "platform/metafile/LogFontFace.h"

namespace tovu::display {

QString resolvedFace(const QString& face)
{
    return platform::metafile::resolvedFace(face);
}

QFont fontForSpec(const FontSpec& spec)
{
    return platform::metafile::fontForLogFont(
        {spec.face, spec.height, spec.width, spec.weight, static_cast<std::uint8_t>(spec.charSet)});
}

} // namespace tovu::display
