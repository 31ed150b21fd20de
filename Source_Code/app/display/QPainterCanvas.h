#pragma once
// The canvas on a QPainter: the 255 x 245 logical space stretched over a target
// rectangle of the painter's device (widget, image, printer page, SVG generator), with
// the GDI rules kept: lines leave out their end pixel, a pixel is one device pixel.

#include "app/display/Canvas.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <vector>

namespace tovu::display {

QColor qColour(Rgb colour);

class QPainterCanvas final : public Canvas {
public:
    QPainterCanvas(QPainter& painter, const QRectF& target);

    void pushPen(const CanvasPen& pen) override;
    void popPen() override;
    void pushFont(const CanvasFont& font) override;
    void popFont() override;
    void setTextColour(Rgb colour) override;
    void setTextAlign(int align) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setPixel(int x, int y, Rgb colour) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, const QString& text) override;
    void fillPolygon(const std::vector<LogicalPoint>& points, Rgb colour) override;

protected:
    int currentTextAlign() const override { return align_; }
    Rgb currentTextColour() const override { return textColour_; }

private:
    // The stock pen is a cosmetic one: one device pixel whatever the scale.
    CanvasPen pen() const { return pens_.empty() ? CanvasPen{0, 0} : pens_.back(); }
    double deviceWidth(int width) const;

    QPainter& p_;
    QRectF target_;
    double sx_, sy_;
    std::vector<CanvasPen> pens_;
    std::vector<QFont> fonts_;
    int align_ = AlignLeft;
    Rgb textColour_ = 0;
    LogicalPoint at_{};
};

} // namespace tovu::display
