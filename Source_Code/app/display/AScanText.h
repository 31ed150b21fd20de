#pragma once
// The A-scan text layer: axis labels (of the item and, in the superimposed view, of the
// item drawn before it), the curve labels, the measurement line of the item's mode, the
// readout box in the top-right corner and the angle-probe symbols. A text whose string
// lookup or strict number conversion fails is left out; the others are still written.

#include "app/display/AScanScene.h"
#include "app/display/Canvas.h"

namespace tovu::display {

void DrawAScanText(const AScanScene& scene, Canvas& dc);

// The fonts the layer creates (face, height, width, weight, character set).
CanvasFont textFont();

// Sound path d, surface distance S and depth D of the angle mode, folded into a plate of
// thickness T by the number of legs.
struct AngleGeometry {
    double soundPath = 0;
    double surface = 0;
    double depth = 0;
};
AngleGeometry angleGeometry(double angleDegrees, double soundPath, double xOffset, double thickness);

} // namespace tovu::display
