#pragma once
// The retained drawing rendered for the clipboard and the printer: an image (white
// ground), PNG bytes and SVG bytes of a given pixel size.

#include "app/display/Drawing.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSize>

namespace tovu::display {

// Draws the picture on a white ground over the rectangle.
void paintDrawing(const Drawing& drawing, QPainter& painter, const QRectF& target);

QImage renderImage(const Drawing& drawing, QSize size = QSize(kLogicalWidth, kLogicalHeight));
QByteArray renderPng(const Drawing& drawing, QSize size = QSize(kLogicalWidth, kLogicalHeight));
QByteArray renderSvg(const Drawing& drawing, QSize size = QSize(kLogicalWidth, kLogicalHeight));

} // namespace tovu::display
