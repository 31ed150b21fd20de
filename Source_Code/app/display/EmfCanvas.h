#pragma once
// The canvas that writes the picture file: every call becomes a metafile record in the
// picture's 255 x 245 logical space (one logical unit per reference-device pixel), the
// stock white brush and black pen selected at the start, every pen, brush and font
// created for a scope and deleted at its end. A pixel is written as a filled box of one
// logical unit, so it stays visible at any resolution a reader plays the picture at.

#include "app/display/Canvas.h"
#include "platform/metafile/EmfWriter.h"

#include <QByteArray>
#include <vector>

namespace tovu::display {

inline constexpr const char* kPictureDescription = "Alog Metafile";

class EmfCanvas final : public Canvas {
public:
    explicit EmfCanvas(const platform::metafile::ReferenceDevice& device = {});

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

    // The finished file contents; the canvas is spent afterwards.
    QByteArray finish();

protected:
    int currentTextAlign() const override { return align_; }
    Rgb currentTextColour() const override { return colour_; }

private:
    std::uint32_t currentPen() const;
    // Ends a run of dots: the canvas's pen and the white brush selected again.
    void endDots();

    platform::metafile::EmfWriter writer_;
    std::vector<std::uint32_t> pens_;
    std::vector<std::uint32_t> fonts_;
    std::vector<CanvasFont> fontStack_;
    int align_ = AlignLeft;
    Rgb colour_ = 0;
    std::uint32_t dotPen_ = 0, dotBrush_ = 0;  // of the current run of dots, 0 outside one
    Rgb dotColour_ = 0;
};

} // namespace tovu::display
