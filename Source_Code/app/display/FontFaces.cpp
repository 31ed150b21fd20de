#include "app/display/FontFaces.h"

#include "platform/metafile/LogFontFace.h"

namespace tovu::display {

QFont qtFont(const CanvasFont& font)
{
    return platform::metafile::fontForLogFont(
        {font.face, font.height, font.width, font.weight, static_cast<std::uint8_t>(font.charSet)});
}

} // namespace tovu::display
