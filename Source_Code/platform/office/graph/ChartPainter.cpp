#include "platform/office/graph/ChartPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovu::platform::graph {

namespace {

const QColor kColours[] = {QColor(0x44, 0x72, 0xC4), QColor(0xED, 0x7D, 0x31), QColor(0xA5, 0xA5, 0xA5),
                           QColor(0xFF, 0xC0, 0x00), QColor(0x5B, 0x9B, 0xD5), QColor(0x70, 0xAD, 0x47)};

QColor colour(std::size_t i)
{
    return kColours[i % std::size(kColours)];
}

QFont chartFont(double size, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    // Sizes are in the painter's units, which are points.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    f.setBold(bold);
    return f;
}

// The value range the plot spans, from zero where the data allow it.
struct Scale {
    double low = 0;
    double high = 1;
    double step = 0.2;
};

Scale niceScale(double low, double high)
{
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low < 1e-12)
        high = low + 1;
    const double rough = (high - low) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude;
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * magnitude >= rough) {
            step = m * magnitude;
            break;
        }
    return Scale{std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

class Painter {
public:
    Painter(QPainter& p, const QRectF& area, const ChartModel& chart)
        : p_(p), area_(area), c_(chart), t_(chart.typeInfo()), series_(chart.series()), categories_(chart.categories())
    {
    }
    void paint();

private:
    void legend(QRectF& plot);
    void axesAndBars(const QRectF& plot);
    void pie(const QRectF& plot, bool doughnut);
    void radar(const QRectF& plot);
    double valueAt(std::size_t s, std::size_t c) const
    {
        const auto& v = series_[s].values;
        return c < v.size() && v[c] ? *v[c] : 0.0;
    }
    bool stacked() const { return t_.grouping == Grouping::Stacked || t_.grouping == Grouping::PercentStacked; }
    double total(std::size_t c) const
    {
        double sum = 0;
        for (std::size_t s = 0; s < series_.size(); ++s)
            sum += std::fabs(valueAt(s, c));
        return sum;
    }

    QPainter& p_;
    QRectF area_;
    const ChartModel& c_;
    const ChartTypeInfo& t_;
    std::vector<DataSeries> series_;
    QStringList categories_;
};

void Painter::paint()
{
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing);
    p_.fillRect(area_, Qt::white);
    p_.setPen(QPen(QColor(0xD9, 0xD9, 0xD9), 0.75));
    p_.drawRect(area_);
    QRectF plot = area_.adjusted(8, 8, -8, -8);
    if (c_.hasTitle && !c_.title.isEmpty()) {
        p_.setFont(chartFont(c_.titleFontSize, true));
        p_.setPen(Qt::black);
        const double h = QFontMetricsF(p_.font()).height();
        p_.drawText(QRectF(plot.left(), plot.top(), plot.width(), h), Qt::AlignCenter, c_.title);
        plot.setTop(plot.top() + h + 4);
    }
    p_.setFont(chartFont(c_.fontSize));
    legend(plot);
    if (t_.family == ChartFamily::Pie || t_.family == ChartFamily::Doughnut)
        pie(plot, t_.family == ChartFamily::Doughnut);
    else if (t_.family == ChartFamily::Radar)
        radar(plot);
    else
        axesAndBars(plot);
    p_.restore();
}

void Painter::legend(QRectF& plot)
{
    const bool bySlice = t_.family == ChartFamily::Pie;
    const QStringList names = [&] {
        QStringList out;
        if (bySlice)
            return categories_;
        for (const auto& s : series_)
            out << s.name;
        return out;
    }();
    if (names.isEmpty())
        return;
    const QFontMetricsF fm(p_.font());
    double width = 0;
    for (const QString& n : names)
        width = std::max(width, fm.horizontalAdvance(n));
    const double box = fm.height() * 0.6;
    const double w = std::min(plot.width() / 3, width + box + 10);
    const double h = fm.height() * names.size();
    const QRectF r(plot.right() - w, plot.center().y() - h / 2, w, h);
    for (int i = 0; i < names.size(); ++i) {
        const double y = r.top() + i * fm.height();
        p_.fillRect(QRectF(r.left(), y + (fm.height() - box) / 2, box, box), colour(static_cast<std::size_t>(i)));
        p_.setPen(Qt::black);
        p_.drawText(QRectF(r.left() + box + 4, y, w - box - 4, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                    fm.elidedText(names[i], Qt::ElideRight, w - box - 4));
    }
    plot.setRight(r.left() - 8);
}

void Painter::axesAndBars(const QRectF& outer)
{
    const std::size_t n = static_cast<std::size_t>(categories_.size());
    if (n == 0 || series_.empty())
        return;
    // The value range: stacked types add up per category, percent types span 0 to 100.
    double low = 0, high = 0;
    for (std::size_t c = 0; c < n; ++c) {
        double pos = 0, neg = 0;
        for (std::size_t s = 0; s < series_.size(); ++s) {
            const double v = valueAt(s, c);
            if (stacked())
                (v >= 0 ? pos : neg) += v;
            else {
                high = std::max(high, v);
                low = std::min(low, v);
            }
        }
        if (stacked()) {
            high = std::max(high, pos);
            low = std::min(low, neg);
        }
    }
    if (t_.grouping == Grouping::PercentStacked) {
        low = 0;
        high = 100;
    }
    const Scale scale = niceScale(low, high);
    const QFontMetricsF fm(p_.font());
    const bool across = t_.family == ChartFamily::Bar;
    QRectF plot = outer;
    double labelWidth = 0;
    for (double v = scale.low; v <= scale.high + scale.step / 2; v += scale.step)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(QString::number(v, 'g', 6)));
    if (c_.valueAxisHasTitle && !c_.valueAxisTitle.isEmpty()) {
        p_.save();
        p_.setFont(chartFont(c_.fontSize, true));
        if (across) {
            p_.drawText(QRectF(plot.left(), plot.bottom() - fm.height(), plot.width(), fm.height()), Qt::AlignCenter,
                        c_.valueAxisTitle);
            plot.setBottom(plot.bottom() - fm.height() - 2);
        } else {
            p_.translate(plot.left() + fm.height() / 2, plot.center().y());
            p_.rotate(-90);
            p_.drawText(QRectF(-plot.height() / 2, -fm.height() / 2, plot.height(), fm.height()), Qt::AlignCenter,
                        c_.valueAxisTitle);
            plot.setLeft(plot.left() + fm.height() + 2);
        }
        p_.restore();
    }
    plot.adjust(across ? 0 : labelWidth + 4, 0, 0, -fm.height() - 2);
    if (across)
        plot.setLeft(plot.left() + std::min(plot.width() / 3, [&] {
                         double w = 0;
                         for (const QString& c : categories_)
                             w = std::max(w, fm.horizontalAdvance(c));
                         return w + 4;
                     }()));
    if (plot.width() <= 1 || plot.height() <= 1)
        return;
    // Position of a value along the value axis.
    const auto along = [&](double v) {
        const double f = (v - scale.low) / (scale.high - scale.low);
        return across ? plot.left() + f * plot.width() : plot.bottom() - f * plot.height();
    };
    p_.setPen(QPen(QColor(0xD9, 0xD9, 0xD9), 0.5));
    for (double v = scale.low; v <= scale.high + scale.step / 2; v += scale.step) {
        const double at = along(v);
        if (across)
            p_.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
        else
            p_.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
        p_.setPen(Qt::black);
        const QString label = QString::number(v, 'g', 6);
        if (across)
            p_.drawText(QRectF(at - 30, plot.bottom() + 2, 60, fm.height()), Qt::AlignHCenter | Qt::AlignTop, label);
        else
            p_.drawText(QRectF(plot.left() - labelWidth - 4, at - fm.height() / 2, labelWidth, fm.height()),
                        Qt::AlignRight | Qt::AlignVCenter, label);
        p_.setPen(QPen(QColor(0xD9, 0xD9, 0xD9), 0.5));
    }
    const double slot = (across ? plot.height() : plot.width()) / static_cast<double>(n);
    // Bars run up from the value axis: the first category lies at the bottom, and within
    // a category the first series lies nearest the axis's origin.
    const auto slotStart = [&](std::size_t c) {
        return across ? plot.top() + static_cast<double>(n - 1 - c) * slot : plot.left() + static_cast<double>(c) * slot;
    };
    p_.setPen(Qt::black);
    for (std::size_t c = 0; c < n; ++c) {
        const QString label = fm.elidedText(categories_[static_cast<int>(c)], Qt::ElideRight, across ? plot.left() - outer.left() : slot);
        if (across)
            p_.drawText(QRectF(outer.left(), slotStart(c), plot.left() - outer.left() - 4, slot),
                        Qt::AlignRight | Qt::AlignVCenter, label);
        else
            p_.drawText(QRectF(slotStart(c), plot.bottom() + 2, slot, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                        label);
    }
    const double zero = along(std::clamp(0.0, scale.low, scale.high));
    const auto scaled = [&](std::size_t s, std::size_t c) {
        const double v = valueAt(s, c);
        if (t_.grouping != Grouping::PercentStacked)
            return v;
        const double sum = total(c);
        return sum > 0 ? 100 * v / sum : 0.0;
    };

    if (t_.family == ChartFamily::Column || t_.family == ChartFamily::Bar) {
        const std::size_t k = stacked() ? 1 : series_.size();
        const double bar = slot * 0.7 / static_cast<double>(k);
        for (std::size_t c = 0; c < n; ++c) {
            double pos = 0, neg = 0;
            for (std::size_t s = 0; s < series_.size(); ++s) {
                const double v = scaled(s, c);
                double from = 0, to = v;
                if (stacked()) {
                    double& base = v >= 0 ? pos : neg;
                    from = base;
                    to = base + v;
                    base = to;
                }
                const std::size_t place = stacked() ? 0 : (across ? k - 1 - s : s);
                const double offset = slot * 0.15 + bar * static_cast<double>(place);
                const double a = along(from), b = along(to);
                const QRectF r = across ? QRectF(QPointF(std::min(a, b), slotStart(c) + offset), QSizeF(std::fabs(b - a), bar))
                                        : QRectF(QPointF(slotStart(c) + offset, std::min(a, b)), QSizeF(bar, std::fabs(b - a)));
                p_.fillRect(r, colour(s));
            }
        }
    } else {
        // Lines, areas, stock, scatter, bubbles and surfaces: one point per category.
        std::vector<double> base(n, 0.0);
        for (std::size_t s = 0; s < series_.size(); ++s) {
            QPolygonF points;
            std::vector<double> tops(n);
            for (std::size_t c = 0; c < n; ++c) {
                const double v = scaled(s, c) + (stacked() ? base[c] : 0.0);
                tops[c] = v;
                points << QPointF(plot.left() + (static_cast<double>(c) + 0.5) * slot, along(v));
            }
            if (t_.family == ChartFamily::Area) {
                QPolygonF shape = points;
                for (std::size_t c = n; c-- > 0;)
                    shape << QPointF(points[static_cast<int>(c)].x(), stacked() ? along(base[c]) : zero);
                QColor fill = colour(s);
                fill.setAlphaF(stacked() ? 1.0 : 0.75);
                p_.setPen(Qt::NoPen);
                p_.setBrush(fill);
                p_.drawPolygon(shape);
            } else if (t_.family == ChartFamily::Bubble) {
                p_.setPen(Qt::NoPen);
                p_.setBrush(colour(s));
                for (std::size_t c = 0; c < n; ++c) {
                    const double r = std::min(slot / 2, 2 + std::sqrt(std::fabs(valueAt(s, c))));
                    p_.drawEllipse(points[static_cast<int>(c)], r, r);
                }
            } else {
                const bool joined = t_.family != ChartFamily::Stock && (t_.family != ChartFamily::Scatter || t_.lines);
                if (joined) {
                    p_.setPen(QPen(colour(s), 2));
                    p_.setBrush(Qt::NoBrush);
                    p_.drawPolyline(points);
                }
                if (t_.markers || !joined) {
                    p_.setPen(Qt::NoPen);
                    p_.setBrush(colour(s));
                    for (const QPointF& pt : points)
                        p_.drawRect(QRectF(pt - QPointF(2.5, 2.5), QSizeF(5, 5)));
                }
            }
            if (stacked())
                base = tops;
        }
        if (t_.family == ChartFamily::Stock) {
            // High-low lines across the series of each category.
            p_.setPen(QPen(Qt::black, 1));
            for (std::size_t c = 0; c < n; ++c) {
                double lo = valueAt(0, c), hi = lo;
                for (std::size_t s = 0; s < series_.size(); ++s) {
                    lo = std::min(lo, valueAt(s, c));
                    hi = std::max(hi, valueAt(s, c));
                }
                const double x = plot.left() + (static_cast<double>(c) + 0.5) * slot;
                p_.drawLine(QPointF(x, along(lo)), QPointF(x, along(hi)));
            }
        }
    }
    p_.setPen(QPen(Qt::black, 0.75));
    if (across)
        p_.drawLine(QPointF(zero, plot.top()), QPointF(zero, plot.bottom()));
    else
        p_.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));
}

void Painter::pie(const QRectF& plot, bool doughnut)
{
    const double d = std::min(plot.width(), plot.height());
    if (series_.empty() || d <= 2)
        return;
    const QRectF outer(plot.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
    const std::size_t rings = doughnut ? series_.size() : 1;
    for (std::size_t s = 0; s < rings; ++s) {
        double sum = 0;
        for (std::size_t c = 0; c < static_cast<std::size_t>(categories_.size()); ++c)
            sum += std::fabs(valueAt(s, c));
        if (sum <= 0)
            continue;
        const double inset = doughnut ? d / 4 * static_cast<double>(s) / static_cast<double>(rings) : 0;
        const QRectF r = outer.adjusted(inset, inset, -inset, -inset);
        double angle = 90;
        for (std::size_t c = 0; c < static_cast<std::size_t>(categories_.size()); ++c) {
            const double span = -360 * std::fabs(valueAt(s, c)) / sum;
            QPainterPath slice;
            QRectF at = r;
            if (t_.exploded) {
                const double mid = (angle + span / 2) * std::numbers::pi / 180;
                at.translate(d * 0.05 * std::cos(mid), -d * 0.05 * std::sin(mid));
            }
            slice.moveTo(at.center());
            slice.arcTo(at, angle, span);
            slice.closeSubpath();
            p_.setPen(QPen(Qt::white, 1));
            p_.setBrush(colour(c));
            p_.drawPath(slice);
            angle += span;
        }
    }
    if (doughnut) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(Qt::white);
        p_.drawEllipse(outer.center(), d / 4, d / 4);
    }
}

void Painter::radar(const QRectF& plot)
{
    const std::size_t n = static_cast<std::size_t>(categories_.size());
    const double radius = std::min(plot.width(), plot.height()) / 2 - 4;
    if (n == 0 || radius <= 2)
        return;
    double high = 0;
    for (std::size_t s = 0; s < series_.size(); ++s)
        for (std::size_t c = 0; c < n; ++c)
            high = std::max(high, valueAt(s, c));
    const Scale scale = niceScale(0, high);
    const auto point = [&](std::size_t c, double v) {
        const double a = std::numbers::pi / 2 - 2 * std::numbers::pi * static_cast<double>(c) / static_cast<double>(n);
        const double f = (v - scale.low) / (scale.high - scale.low);
        return plot.center() + QPointF(std::cos(a), -std::sin(a)) * radius * f;
    };
    p_.setPen(QPen(QColor(0xD9, 0xD9, 0xD9), 0.5));
    for (std::size_t c = 0; c < n; ++c)
        p_.drawLine(plot.center(), point(c, scale.high));
    for (std::size_t s = 0; s < series_.size(); ++s) {
        QPolygonF shape;
        for (std::size_t c = 0; c < n; ++c)
            shape << point(c, valueAt(s, c));
        QColor fill = colour(s);
        fill.setAlphaF(0.5);
        p_.setPen(QPen(colour(s), 2));
        p_.setBrush(t_.variant == 1 ? QBrush(fill) : QBrush(Qt::NoBrush));
        p_.drawPolygon(shape);
    }
}

}  // namespace

void paintChart(QPainter& painter, const QRectF& target, const ChartModel& chart)
{
    Painter(painter, target, chart).paint();
}

QImage renderChart(const ChartModel& chart, const QSize& pixels, double scale)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    paintChart(p, QRectF(0, 0, pixels.width() / scale, pixels.height() / scale), chart);
    return image;
}

}  // namespace tovu::platform::graph
