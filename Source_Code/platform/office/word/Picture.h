#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace tovu::platform::word {

enum class PictureFormat { Png, Bmp, Emf, Jpeg, Gif, Unknown };

PictureFormat detectPictureFormat(const QByteArray& bytes);
QString pictureMimeType(PictureFormat format);
QString pictureExtension(PictureFormat format);
PictureFormat pictureFormatFromExtension(const QString& extension);

// A picture as a document keeps it: the file's bytes and format, where it came from,
// and whether it stays linked to that file. An EMF may come with a PNG rendering made by
// the caller; it is stored beside the EMF and used where a reader cannot draw EMF.
struct PictureData {
    QByteArray bytes;  // empty for a linked picture not saved with the document
    PictureFormat format = PictureFormat::Unknown;
    QByteArray fallbackPng;
    QString sourcePath;
    bool linked = false;
    bool savedWithDocument = true;

    // Reads a picture file; throws WordError for a missing or unreadable file or an
    // unknown format.
    static PictureData fromFile(const QString& path, bool linkToFile, bool saveWithDocument,
                                const QByteArray& fallbackPng = {});

    // The bytes to draw: the stored ones, or for a linked picture the file as it is now.
    QByteArray currentBytes() const;
    // Size at the picture's own resolution (96 dpi where the file gives none), in points.
    QSizeF naturalSize() const;
    // Rendered for display; a null image when it cannot be drawn.
    QImage render(const QSize& pixels) const;
    // Draws a metafile of the records this system writes as its lines and shapes, stretched
    // over target, so a page printed or saved as PDF keeps them sharp; false, with nothing
    // drawn, for any other picture.
    bool drawAsVectors(QPainter& painter, const QRectF& target) const;
};

struct InlinePicture {
    PictureData picture;
    double width = 0;  // points
    double height = 0;
};

// A picture floating over the text, placed relative to the column (left) and to the
// paragraph that anchors it (top).
struct FloatingPicture {
    PictureData picture;
    double left = 0;  // points
    double top = 0;
    double width = 0;
    double height = 0;
};

}  // namespace tovu::platform::word
