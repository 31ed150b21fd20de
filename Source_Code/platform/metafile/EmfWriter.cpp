#include "platform/metafile/EmfWriter.h"

#include <QtEndian>
#include <cmath>
#include <stdexcept>

namespace tovu::platform::metafile {

namespace {
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr int kHeaderFixed = 108;                 // with both header extensions
constexpr int kLogFontPanoseSize = 320;           // LOGFONTW (92) and its panose extension

std::int32_t roundHalfEven(double v)
{
    return static_cast<std::int32_t>(std::nearbyint(v));
}
} // namespace

EmfWriter::EmfWriter(QSize extent, const QString& description, const ReferenceDevice& device)
    : used_(1, true), extent_(extent), description_(description), device_(device)
{
}

std::int32_t EmfWriter::frameWidth(int pixels, const ReferenceDevice& device)
{
    return roundHalfEven(double(pixels) * device.millimetres.width() * 100.0 / device.pixels.width());
}

std::int32_t EmfWriter::frameHeight(int pixels, const ReferenceDevice& device)
{
    return roundHalfEven(double(pixels) * device.millimetres.height() * 100.0 / device.pixels.height());
}

void EmfWriter::begin(std::uint32_t type)
{
    if (finished_)
        throw std::logic_error("EmfWriter used after finish");
    recordStart_ = body_.size();
    put32(type);
    put32(0);  // size, patched by end()
}

void EmfWriter::put32(std::uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    body_.append(b, 4);
}

void EmfWriter::put16(std::uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    body_.append(b, 2);
}

void EmfWriter::end()
{
    while ((body_.size() - recordStart_) % 4 != 0)
        body_.append('\0');
    const auto size = static_cast<std::uint32_t>(body_.size() - recordStart_);
    qToLittleEndian(size, body_.data() + recordStart_ + 4);
    ++records_;
}

std::uint32_t EmfWriter::allocateHandle()
{
    for (std::uint32_t i = 1; i < used_.size(); ++i) {
        if (!used_[i]) {
            used_[i] = true;
            return i;
        }
    }
    used_.push_back(true);
    const auto h = static_cast<std::uint32_t>(used_.size() - 1);
    maxHandle_ = std::max(maxHandle_, h);
    return h;
}

int EmfWriter::liveHandles() const
{
    int n = 0;
    for (std::size_t i = 1; i < used_.size(); ++i)
        n += used_[i] ? 1 : 0;
    return n;
}

std::uint32_t EmfWriter::createPen(int width, ColorRef colour)
{
    const std::uint32_t h = allocateHandle();
    begin(EMR_CREATEPEN);
    put32(h);
    put32(0);  // PS_SOLID
    putS32(width);
    putS32(0);
    put32(colour & 0xFFFFFF);
    end();
    return h;
}

std::uint32_t EmfWriter::createBrush(ColorRef colour)
{
    const std::uint32_t h = allocateHandle();
    begin(EMR_CREATEBRUSHINDIRECT);
    put32(h);
    put32(0);  // BS_SOLID
    put32(colour & 0xFFFFFF);
    put32(0);  // hatch
    end();
    return h;
}

std::uint32_t EmfWriter::createFont(const LogFont& font)
{
    const std::uint32_t h = allocateHandle();
    begin(EMR_EXTCREATEFONTINDIRECTW);
    put32(h);
    const qsizetype start = body_.size();
    putS32(font.height);
    putS32(font.width);
    putS32(0);  // escapement
    putS32(0);  // orientation
    putS32(font.weight);
    body_.append('\0');  // italic
    body_.append('\0');  // underline
    body_.append('\0');  // strike-out
    body_.append(static_cast<char>(font.charSet));
    body_.append(4, '\0');  // precisions, quality, pitch and family
    const QString face = font.faceName.left(31);
    for (int i = 0; i < 32; ++i)
        put16(i < face.size() ? face[i].unicode() : 0);
    body_.append(kLogFontPanoseSize - (body_.size() - start), '\0');
    end();
    return h;
}

void EmfWriter::selectObject(std::uint32_t handle)
{
    if (!(handle & 0x80000000u) && (handle >= used_.size() || !used_[handle]))
        throw std::logic_error("EmfWriter: selecting a handle that does not exist");
    begin(EMR_SELECTOBJECT);
    put32(handle);
    end();
}

void EmfWriter::deleteObject(std::uint32_t handle)
{
    if (handle == 0 || handle >= used_.size() || !used_[handle])
        throw std::logic_error("EmfWriter: deleting a handle that does not exist");
    begin(EMR_DELETEOBJECT);
    put32(handle);
    end();
    used_[handle] = false;
}

#define TOVU_EMF_ONE(name, type)                                                            \
    void EmfWriter::name(int v)                                                             \
    {                                                                                       \
        begin(type);                                                                        \
        putS32(v);                                                                          \
        end();                                                                              \
    }
TOVU_EMF_ONE(setMapMode, EMR_SETMAPMODE)
TOVU_EMF_ONE(setBkMode, EMR_SETBKMODE)
#undef TOVU_EMF_ONE

void EmfWriter::setTextColor(ColorRef colour)
{
    begin(EMR_SETTEXTCOLOR);
    put32(colour & 0xFFFFFF);
    end();
}

void EmfWriter::setTextAlign(std::uint32_t align)
{
    begin(EMR_SETTEXTALIGN);
    put32(align);
    end();
}

void EmfWriter::setWindowExt(int cx, int cy)
{
    begin(EMR_SETWINDOWEXTEX);
    putS32(cx);
    putS32(cy);
    end();
}

void EmfWriter::setViewportExt(int cx, int cy)
{
    begin(EMR_SETVIEWPORTEXTEX);
    putS32(cx);
    putS32(cy);
    end();
}

void EmfWriter::saveDC()
{
    begin(EMR_SAVEDC);
    end();
}

void EmfWriter::restoreDC()
{
    begin(EMR_RESTOREDC);
    putS32(-1);
    end();
}

void EmfWriter::moveTo(int x, int y)
{
    begin(EMR_MOVETOEX);
    putS32(x);
    putS32(y);
    end();
}

void EmfWriter::lineTo(int x, int y)
{
    begin(EMR_LINETO);
    putS32(x);
    putS32(y);
    end();
}

void EmfWriter::setPixel(int x, int y, ColorRef colour)
{
    begin(EMR_SETPIXELV);
    putS32(x);
    putS32(y);
    put32(colour & 0xFFFFFF);
    end();
}

void EmfWriter::rectangle(int left, int top, int right, int bottom)
{
    begin(EMR_RECTANGLE);
    putS32(left);
    putS32(top);
    putS32(right);
    putS32(bottom);
    end();
}

void EmfWriter::polygon(const std::vector<std::pair<int, int>>& points)
{
    if (points.empty())
        return;
    int l = points[0].first, r = l, t = points[0].second, b = t;
    for (const auto& [x, y] : points) {
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
    }
    begin(EMR_POLYGON16);
    putS32(l);
    putS32(t);
    putS32(r);
    putS32(b);
    put32(static_cast<std::uint32_t>(points.size()));
    for (const auto& [x, y] : points) {
        put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(x)));
        put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(y)));
    }
    end();
}

void EmfWriter::textOut(int x, int y, QStringView text, const std::vector<std::int32_t>& advances)
{
    const auto n = static_cast<std::uint32_t>(text.size());
    const bool withDx = advances.size() == static_cast<std::size_t>(text.size());
    begin(EMR_EXTTEXTOUTW);
    // Bounds: not computed (0,0,-1,-1), which readers take as "unknown".
    putS32(0);
    putS32(0);
    putS32(-1);
    putS32(-1);
    put32(1);  // GM_COMPATIBLE
    put32(0);  // exScale (float 0)
    put32(0);  // eyScale
    putS32(x);
    putS32(y);
    put32(n);
    constexpr std::uint32_t kStringOffset = 76;
    const std::uint32_t stringBytes = (n * 2 + 3) / 4 * 4;
    put32(kStringOffset);
    put32(0);  // options
    putS32(0);
    putS32(0);
    putS32(-1);
    putS32(-1);
    put32(withDx ? kStringOffset + stringBytes : 0);
    for (QChar c : text)
        put16(c.unicode());
    while ((body_.size() - recordStart_) % 4 != 0)
        body_.append('\0');
    if (withDx)
        for (auto a : advances)
            putS32(a);
    end();
}

QByteArray EmfWriter::finish()
{
    if (finished_)
        throw std::logic_error("EmfWriter finished twice");
    // Leave the context as the stock objects had it and free every handle.
    selectObject(kStockBlackPen);
    selectObject(kStockWhiteBrush);
    selectObject(kStockSystemFont);
    for (std::uint32_t h = 1; h < used_.size(); ++h)
        if (used_[h])
            deleteObject(h);

    begin(EMR_EOF);
    put32(0);   // palette entries
    put32(16);  // offset of the palette
    put32(20);  // size of this record, repeated at its end
    end();
    finished_ = true;

    // Header: fixed part, then the description in UTF-16 with its two terminators.
    QByteArray desc;
    for (QChar c : description_) {
        char b[2];
        qToLittleEndian<std::uint16_t>(c.unicode(), b);
        desc.append(b, 2);
    }
    desc.append(4, '\0');
    const auto nDescription = static_cast<std::uint32_t>(description_.size() + 2);
    while (desc.size() % 4 != 0)
        desc.append('\0');
    const auto headerSize = static_cast<std::uint32_t>(kHeaderFixed + desc.size());

    QByteArray records;
    records.swap(body_);  // the put helpers now write the header into a fresh buffer
    body_.reserve(headerSize + records.size());
    put32(EMR_HEADER);
    put32(headerSize);
    putS32(0);
    putS32(0);
    putS32(extent_.width() - 1);
    putS32(extent_.height() - 1);
    putS32(0);
    putS32(0);
    putS32(frameWidth(extent_.width(), device_));
    putS32(frameHeight(extent_.height(), device_));
    put32(kSignature);
    put32(kVersion);
    put32(static_cast<std::uint32_t>(headerSize + records.size()));
    put32(records_ + 1);
    put16(static_cast<std::uint16_t>(maxHandle_ + 1));
    put16(0);
    put32(nDescription);
    put32(kHeaderFixed);
    put32(0);  // palette entries
    putS32(device_.pixels.width());
    putS32(device_.pixels.height());
    putS32(device_.millimetres.width());
    putS32(device_.millimetres.height());
    put32(0);  // pixel format size
    put32(0);  // pixel format offset
    put32(0);  // no OpenGL records
    putS32(device_.micrometres.width());
    putS32(device_.micrometres.height());
    body_.append(desc);
    body_.append(records);
    QByteArray result;
    result.swap(body_);
    return result;
}

} // namespace tovu::platform::metafile
