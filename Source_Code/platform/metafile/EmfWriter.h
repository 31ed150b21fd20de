#pragma once
// A writer of enhanced metafiles (EMF), the picture format office suites take from the
// clipboard and from files. It offers the drawing calls the A-scan picture makes, in
// the GDI manner: objects are created into a handle table, selected, and deleted; the
// writer tracks the handles so that a picture it finishes has every created handle
// deleted and the stock objects selected back.

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace tovu::platform::metafile {

using ColorRef = std::uint32_t;  // 0x00BBGGRR

// Stock object handles as the format names them.
constexpr std::uint32_t kStockWhiteBrush = 0x80000000;
constexpr std::uint32_t kStockBlackPen = 0x80000007;
constexpr std::uint32_t kStockNullPen = 0x80000008;
constexpr std::uint32_t kStockSystemFont = 0x8000000D;

// Record types written (and read back by EmfReader).
enum RecordType : std::uint32_t {
    EMR_HEADER = 1,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_MOVETOEX = 27,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
};

constexpr int MM_ANISOTROPIC = 8;
constexpr int TRANSPARENT = 1;

// The reference device: its size in pixels and in millimetres (a 96 dpi screen by
// default), from which the picture's frame in 0.01 mm follows.
struct ReferenceDevice {
    QSize pixels{1920, 1080};
    QSize millimetres{508, 286};
    QSize micrometres{508000, 285750};
};

struct LogFont {
    QString faceName;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t weight = 400;
    std::uint8_t charSet = 0;
};

class EmfWriter {
public:
    // extent: the picture's size in reference-device pixels (and logical units).
    EmfWriter(QSize extent, const QString& description, const ReferenceDevice& device = {});

    // The frame in 0.01 mm for an extent on a device, rounded half to even.
    static std::int32_t frameWidth(int pixels, const ReferenceDevice& device);
    static std::int32_t frameHeight(int pixels, const ReferenceDevice& device);

    std::uint32_t createPen(int width, ColorRef colour);
    std::uint32_t createBrush(ColorRef colour);
    std::uint32_t createFont(const LogFont& font);
    void selectObject(std::uint32_t handle);
    void deleteObject(std::uint32_t handle);

    void setMapMode(int mode);
    void setWindowExt(int cx, int cy);
    void setViewportExt(int cx, int cy);
    void setBkMode(int mode);
    void setTextColor(ColorRef colour);
    void setTextAlign(std::uint32_t align);
    void saveDC();
    void restoreDC();

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void setPixel(int x, int y, ColorRef colour);
    void rectangle(int left, int top, int right, int bottom);
    void polygon(const std::vector<std::pair<int, int>>& points);
    // Text at a reference point; advances holds one width per UTF-16 unit (may be empty).
    void textOut(int x, int y, QStringView text, const std::vector<std::int32_t>& advances);

    // Handles created and not yet deleted.
    int liveHandles() const;

    // Closes the picture: deletes what is still alive, writes the end record and the
    // header. The writer is spent afterwards.
    QByteArray finish();

private:
    void begin(std::uint32_t type);
    void put32(std::uint32_t v);
    void putS32(std::int32_t v) { put32(static_cast<std::uint32_t>(v)); }
    void put16(std::uint16_t v);
    void end();
    std::uint32_t allocateHandle();

    QByteArray body_;
    qsizetype recordStart_ = 0;
    std::uint32_t records_ = 0;
    std::vector<bool> used_;  // index 0 is reserved by the format
    std::uint32_t maxHandle_ = 0;
    QSize extent_;
    QString description_;
    ReferenceDevice device_;
    bool finished_ = false;
};

} // namespace tovu::platform::metafile
