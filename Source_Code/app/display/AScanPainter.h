#pragma once
// The A-scan painter: graticule, trace (min/max or smooth, and the second trace of the
// superimposed view), TCG line, AVG and DAC curves and gates A and B, drawn into a
// canvas in the picture's logical space (y = 200 - amplitude). Nothing here throws: a
// value that cannot be turned into a coordinate leaves out the element it belongs to.

#include "app/display/AScanScene.h"
#include "app/display/Canvas.h"

namespace tovu::display {

// The whole picture in drawing order: graticule, traces, text layer, TCG, AVG, DAC, gates.
void DrawAScan(const AScanScene& scene, Canvas& dc);

void DrawGraticule(Canvas& dc);
void DrawTraces(const AScanScene& scene, Canvas& dc);
void DrawTcgCurve(const AScanScene& scene, Canvas& dc);
void DrawAvgCurve(const AScanScene& scene, Canvas& dc);
void DrawDacCurves(const AScanScene& scene, Canvas& dc);
// One DAC curve, its amplitudes divided by factor.
void DrawDacCurve(const AScanScene& scene, Canvas& dc, double factor);
void DrawGates(const AScanScene& scene, Canvas& dc);

} // namespace tovu::display
