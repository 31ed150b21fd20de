#include "platform/metafile/EmfPlayer.h"

#include "platform/metafile/LogFontFace.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <variant>

namespace tovu::platform::metafile {

namespace {

// Record types read here beyond those the writer names.
constexpr std::uint32_t EMR_SETWINDOWORGEX = 10;
constexpr std::uint32_t EMR_SETVIEWPORTORGEX = 12;

// Text alignment flags.
constexpr std::uint32_t TA_UPDATECP = 1;
constexpr std::uint32_t TA_HORIZONTAL = 6;  // TA_LEFT 0, TA_RIGHT 2, TA_CENTER 6
constexpr std::uint32_t TA_RIGHT = 2;
constexpr std::uint32_t TA_CENTER = 6;
constexpr std::uint32_t TA_VERTICAL = 24;  // TA_TOP 0, TA_BOTTOM 8, TA_BASELINE 24
constexpr std::uint32_t TA_BOTTOM = 8;
constexpr std::uint32_t TA_BASELINE = 24;

constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr std::uint32_t kStockBit = 0x80000000;

QColor colourOf(ColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

struct Pen {
    bool none = false;
    int width = 1;
    QColor colour = Qt::black;
};
struct Brush {
    bool none = false;
    QColor colour = Qt::white;
};
using Object = std::variant<Pen, Brush, LogFont>;

// The stock objects a picture may select.
std::optional<Object> stockObject(std::uint32_t handle)
{
    switch (handle & ~kStockBit) {
    case 0: return Brush{false, Qt::white};
    case 1: return Brush{false, QColor(192, 192, 192)};
    case 2: return Brush{false, QColor(128, 128, 128)};
    case 3: return Brush{false, QColor(64, 64, 64)};
    case 4: return Brush{false, Qt::black};
    case 5: return Brush{true, {}};
    case 6: return Pen{false, 1, Qt::white};
    case 7: return Pen{false, 1, Qt::black};
    case 8: return Pen{true, 1, {}};
    case 10: case 11: case 12: case 13: case 14: case 16: case 17:
        return LogFont{QStringLiteral("Arial"), 16, 0, 400, 0};
    default: return std::nullopt;
    }
}

// What the drawing context holds; saved and restored as a whole.
struct Context {
    Pen pen;
    Brush brush;
    LogFont font{QStringLiteral("Arial"), 16, 0, 400, 0};
    QColor textColour = Qt::black;
    std::uint32_t textAlign = 0;
    QPointF position;
    int mapMode = MM_TEXT;
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};

    // Logical units to the picture's device units.
    QTransform mapping() const
    {
        if (mapMode == MM_TEXT || windowExt.width() == 0 || windowExt.height() == 0)
            return {};
        double sx = viewportExt.width() / windowExt.width();
        double sy = viewportExt.height() / windowExt.height();
        if (mapMode == MM_ISOTROPIC) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = sx < 0 ? -s : s;
            sy = sy < 0 ? -s : s;
        }
        QTransform t;
        t.translate(viewportOrg.x(), viewportOrg.y());
        t.scale(sx, sy);
        t.translate(-windowOrg.x(), -windowOrg.y());
        return t;
    }
};

bool known(std::uint32_t type)
{
    switch (type) {
    case EMR_HEADER: case EMR_EOF: case EMR_SETMAPMODE: case EMR_SETWINDOWEXTEX: case EMR_SETVIEWPORTEXTEX:
    case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTORGEX: case EMR_SETBKMODE: case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR: case EMR_MOVETOEX: case EMR_LINETO: case EMR_SETPIXELV: case EMR_SAVEDC:
    case EMR_RESTOREDC: case EMR_SELECTOBJECT: case EMR_CREATEPEN: case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW: case EMR_DELETEOBJECT: case EMR_RECTANGLE: case EMR_POLYGON16:
    case EMR_EXTTEXTOUTW:
        return true;
    default:
        return false;
    }
}

class Player {
public:
    Player(const EmfDocument& d, QPainter& p, const QTransform& deviceToTarget)
        : d_(d), p_(p), device_(deviceToTarget)
    {
    }

    void play()
    {
        for (const EmfRecord& r : d_.records)
            record(r);
    }

private:
    std::int32_t s32(const EmfRecord& r, int at) const { return d_.s32(r, at); }
    std::uint32_t u32(const EmfRecord& r, int at) const { return d_.u32(r, at); }
    std::int16_t s16(const EmfRecord& r, int at) const
    {
        if (at < 0 || at + 2 > static_cast<qsizetype>(r.size))
            return 0;
        return qFromLittleEndian<qint16>(d_.bytes.constData() + r.offset + at);
    }
    QPointF point(const EmfRecord& r, int at) const { return QPointF(s32(r, at), s32(r, at + 4)); }

    // The painter set to draw in logical units, with the context's pen and brush.
    void prepare(bool withPen, bool withBrush)
    {
        p_.setTransform(c_.mapping() * device_);
        if (withPen && !c_.pen.none) {
            QPen pen(c_.pen.colour);
            pen.setWidthF(std::max(1, c_.pen.width));
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::MiterJoin);
            p_.setPen(pen);
        } else {
            p_.setPen(Qt::NoPen);
        }
        if (withBrush && !c_.brush.none)
            p_.setBrush(c_.brush.colour);
        else
            p_.setBrush(Qt::NoBrush);
    }

    void select(std::uint32_t handle)
    {
        std::optional<Object> object;
        if (handle & kStockBit)
            object = stockObject(handle);
        else if (const auto it = objects_.find(handle); it != objects_.end())
            object = it->second;
        if (!object)
            return;
        if (const auto* pen = std::get_if<Pen>(&*object))
            c_.pen = *pen;
        else if (const auto* brush = std::get_if<Brush>(&*object))
            c_.brush = *brush;
        else
            c_.font = std::get<LogFont>(*object);
    }

    void text(const EmfRecord& r)
    {
        const QString s = d_.text(r);
        if (s.isEmpty())
            return;
        const QFont font = fontForLogFont(c_.font);
        const QFontMetricsF metrics(font);
        // Each character at its advance where the record gives them.
        std::vector<double> lefts;
        double width = 0;
        const std::uint32_t dx = u32(r, 72);
        for (qsizetype i = 0; i < s.size(); ++i) {
            lefts.push_back(width);
            width += dx ? s32(r, static_cast<int>(dx + 4 * i)) : metrics.horizontalAdvance(s.at(i));
        }
        QPointF at = (c_.textAlign & TA_UPDATECP) ? c_.position : point(r, 36);
        const std::uint32_t horizontal = c_.textAlign & TA_HORIZONTAL;
        double left = at.x();
        if (horizontal == TA_RIGHT)
            left -= width;
        else if (horizontal == TA_CENTER)
            left -= width / 2;
        double baseline = at.y() + metrics.ascent();
        const std::uint32_t vertical = c_.textAlign & TA_VERTICAL;
        if (vertical == TA_BASELINE)
            baseline = at.y();
        else if (vertical == TA_BOTTOM)
            baseline = at.y() - metrics.descent();
        if (c_.textAlign & TA_UPDATECP)
            c_.position.setX(horizontal == TA_RIGHT ? at.x() - width : at.x() + width);
        prepare(false, false);
        p_.setFont(font);
        p_.setPen(c_.textColour);
        for (qsizetype i = 0; i < s.size(); ++i)
            p_.drawText(QPointF(left + lefts[static_cast<std::size_t>(i)], baseline), QString(s.at(i)));
    }

    void record(const EmfRecord& r)
    {
        switch (r.type) {
        case EMR_SETMAPMODE: c_.mapMode = s32(r, 8); break;
        case EMR_SETWINDOWEXTEX: c_.windowExt = QSizeF(s32(r, 8), s32(r, 12)); break;
        case EMR_SETVIEWPORTEXTEX: c_.viewportExt = QSizeF(s32(r, 8), s32(r, 12)); break;
        case EMR_SETWINDOWORGEX: c_.windowOrg = point(r, 8); break;
        case EMR_SETVIEWPORTORGEX: c_.viewportOrg = point(r, 8); break;
        case EMR_SETTEXTALIGN: c_.textAlign = u32(r, 8); break;
        case EMR_SETTEXTCOLOR: c_.textColour = colourOf(u32(r, 8)); break;
        case EMR_MOVETOEX: c_.position = point(r, 8); break;
        case EMR_LINETO: {
            // Coordinates name pixels: the line runs through their centres.
            const QPointF to = point(r, 8);
            const QPointF centre(0.5, 0.5);
            prepare(true, false);
            p_.drawLine(c_.position + centre, to + centre);
            c_.position = to;
            break;
        }
        case EMR_SETPIXELV:
            prepare(false, false);
            p_.fillRect(QRectF(point(r, 8), QSizeF(1, 1)), colourOf(u32(r, 16)));
            break;
        case EMR_RECTANGLE: {
            // The box from its top left up to, not including, its bottom right; the pen
            // is drawn inside it.
            const QRectF box(point(r, 8), point(r, 16));
            prepare(false, false);
            if (!c_.brush.none)
                p_.fillRect(box, c_.brush.colour);
            if (!c_.pen.none && std::max(1, c_.pen.width) * 2 >= std::min(box.width(), box.height())) {
                // A box no wider than its frame is all frame.
                p_.fillRect(box, c_.pen.colour);
            } else if (!c_.pen.none) {
                const double w = std::max(1, c_.pen.width);
                QPen pen(c_.pen.colour);
                pen.setWidthF(w);
                pen.setJoinStyle(Qt::MiterJoin);
                p_.setPen(pen);
                p_.setBrush(Qt::NoBrush);
                p_.drawRect(box.adjusted(w / 2, w / 2, -w / 2, -w / 2));
            }
            break;
        }
        case EMR_POLYGON16: {
            QPolygonF polygon;
            const auto n = static_cast<int>(u32(r, 24));
            for (int i = 0; i < n; ++i)
                polygon << QPointF(s16(r, 28 + 4 * i), s16(r, 30 + 4 * i));
            prepare(true, true);
            p_.drawPolygon(polygon);
            break;
        }
        case EMR_EXTTEXTOUTW: text(r); break;
        case EMR_SAVEDC: saved_.push_back(c_); break;
        case EMR_RESTOREDC: {
            // A negative count goes back that many saves; a positive one to that save.
            const std::int32_t n = s32(r, 8);
            const std::int64_t keep = n < 0 ? static_cast<std::int64_t>(saved_.size()) + n : n - 1;
            if (keep >= 0 && keep < static_cast<std::int64_t>(saved_.size())) {
                c_ = saved_[static_cast<std::size_t>(keep)];
                saved_.resize(static_cast<std::size_t>(keep));
            }
            break;
        }
        case EMR_SELECTOBJECT: select(u32(r, 8)); break;
        case EMR_DELETEOBJECT: objects_.erase(u32(r, 8)); break;
        case EMR_CREATEPEN:
            objects_[u32(r, 8)] = Pen{u32(r, 12) == 5, s32(r, 16), colourOf(u32(r, 24))};  // PS_NULL is 5
            break;
        case EMR_CREATEBRUSHINDIRECT:
            objects_[u32(r, 8)] = Brush{u32(r, 12) == 1, colourOf(u32(r, 16))};  // BS_NULL is 1
            break;
        case EMR_EXTCREATEFONTINDIRECTW:
            objects_[u32(r, 8)] = LogFont{d_.fontFace(r), s32(r, 12), s32(r, 16), s32(r, 28),
                                          static_cast<std::uint8_t>((u32(r, 32) >> 24) & 0xFF)};
            break;
        default: break;  // header, end, background mode: nothing to draw
        }
    }

    const EmfDocument& d_;
    QPainter& p_;
    QTransform device_;
    Context c_;
    std::vector<Context> saved_;
    std::map<std::uint32_t, Object> objects_;
};

} // namespace

bool canPlay(const EmfDocument& document)
{
    for (const EmfRecord& r : document.records)
        if (!known(r.type))
            return false;
    return true;
}

bool playEmf(const EmfDocument& document, QPainter& painter, const QRectF& target)
{
    if (!canPlay(document))
        return false;
    // The frame (0.01 mm) in the reference device's pixels, which the records draw in.
    const EmfHeader& h = document.header;
    const double pxPerX = h.millimetresWidth > 0 ? double(h.deviceWidth) / (h.millimetresWidth * 100.0) : 96 / 2540.0;
    const double pxPerY = h.millimetresHeight > 0 ? double(h.deviceHeight) / (h.millimetresHeight * 100.0) : 96 / 2540.0;
    const QRectF frame(h.frame[0] * pxPerX, h.frame[1] * pxPerY, (h.frame[2] - h.frame[0]) * pxPerX,
                       (h.frame[3] - h.frame[1]) * pxPerY);
    if (frame.width() <= 0 || frame.height() <= 0)
        return false;
    QTransform toTarget;
    toTarget.translate(target.left(), target.top());
    toTarget.scale(target.width() / frame.width(), target.height() / frame.height());
    toTarget.translate(-frame.left(), -frame.top());
    painter.save();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    Player(document, painter, toTarget * painter.transform()).play();
    painter.restore();
    return true;
}

QImage renderEmf(const QByteArray& bytes, const QSize& pixels)
{
    const auto document = readEmf(bytes);
    if (!document || !canPlay(*document) || pixels.isEmpty())
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    playEmf(*document, painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

} // namespace tovu::platform::metafile
