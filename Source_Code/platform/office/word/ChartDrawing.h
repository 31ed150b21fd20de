#pragma once

#include "platform/office/word/FloatingChart.h"

#include <QString>

class QXmlStreamWriter;

namespace tovu::platform::word {

// The drawing of a floating chart in the document text (w:drawing with a wp:anchor whose
// graphic refers to the chart part by relationship id). id numbers the drawing in the part.
void writeChartDrawing(QXmlStreamWriter& x, const FloatingChart& chart, int id, const QString& relationshipId);

}  // namespace tovu::platform::word
