#pragma once
// Paints a laid-out page onto a paged device (the chosen printer, or a PDF file): texts
// in Arial with their tops at the laid-out heights, frames in black, and the A-scan
// picture painted by the caller into its rectangle.

#include "app/reports/ItemPrintout.h"

#include <QRectF>
#include <functional>

class QPainter;
class QPagedPaintDevice;

namespace tovu::reports {

using PicturePainter = std::function<void(QPainter& painter, const QRectF& target)>;

// Paints the page on the painter, millimetres scaled by dotsPerMm from the painter's origin.
void paintPrintPage(const PrintPage& page, QPainter& painter, double dotsPerMm, const PicturePainter& picture);

enum class PrintOutcome { Printed, NotOpened, PageNotTaken };

// Begins a painter on the device, paints the page and ends it, which hands the page to the
// printer. NotOpened when the device cannot be painted on, PageNotTaken when ending the
// page failed.
PrintOutcome printPage(const PrintPage& page, QPagedPaintDevice& device, const PicturePainter& picture);

// The printable width of the device's page in millimetres.
double printableWidthMm(const QPagedPaintDevice& device);

} // namespace tovu::reports
