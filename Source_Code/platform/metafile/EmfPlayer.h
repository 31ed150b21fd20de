#pragma once
// Plays an enhanced metafile onto a QPainter: the records of the pictures this system
// writes (mapping, pens, brushes, fonts, lines, pixels, rectangles, polygons and text
// placed by its advances), so a picture drawn from its file looks as it was drawn.
// Pictures with other records are left to a general converter: the player draws nothing
// of them and says so.

#include "platform/metafile/EmfReader.h"

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

namespace tovu::platform::metafile {

// True when every record of the document is one the player draws.
bool canPlay(const EmfDocument& document);

// Draws the picture's frame stretched over target; false, with nothing drawn, when the
// document has a record the player does not know.
bool playEmf(const EmfDocument& document, QPainter& painter, const QRectF& target);

// The picture rendered at a size on white; a null image when it cannot be played.
QImage renderEmf(const QByteArray& bytes, const QSize& pixels);

} // namespace tovu::platform::metafile
