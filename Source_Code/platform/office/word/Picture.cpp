#include "platform/office/word/Picture.h"

#include "platform/metafile/EmfPlayer.h"
#include "platform/office/word/WordError.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdlib>

extern "C" {
#include <emf2svg.h>
}

namespace tovu::platform::word {

PictureFormat detectPictureFormat(const QByteArray& b)
{
    if (b.startsWith("\x89PNG\r\n\x1a\n"))
        return PictureFormat::Png;
    if (b.startsWith("BM"))
        return PictureFormat::Bmp;
    if (b.startsWith("\xFF\xD8\xFF"))
        return PictureFormat::Jpeg;
    if (b.startsWith("GIF8"))
        return PictureFormat::Gif;
    // An EMF starts with its header record (type 1) and carries " EMF" at offset 40.
    if (b.size() >= 88 && qFromLittleEndian<quint32>(b.constData()) == 1 && b.mid(40, 4) == " EMF")
        return PictureFormat::Emf;
    return PictureFormat::Unknown;
}

QString pictureMimeType(PictureFormat f)
{
    switch (f) {
    case PictureFormat::Png: return QStringLiteral("image/png");
    case PictureFormat::Bmp: return QStringLiteral("image/bmp");
    case PictureFormat::Emf: return QStringLiteral("image/x-emf");
    case PictureFormat::Jpeg: return QStringLiteral("image/jpeg");
    case PictureFormat::Gif: return QStringLiteral("image/gif");
    case PictureFormat::Unknown: break;
    }
    return QStringLiteral("application/octet-stream");
}

QString pictureExtension(PictureFormat f)
{
    switch (f) {
    case PictureFormat::Png: return QStringLiteral("png");
    case PictureFormat::Bmp: return QStringLiteral("bmp");
    case PictureFormat::Emf: return QStringLiteral("emf");
    case PictureFormat::Jpeg: return QStringLiteral("jpeg");
    case PictureFormat::Gif: return QStringLiteral("gif");
    case PictureFormat::Unknown: break;
    }
    return QStringLiteral("bin");
}

PictureFormat pictureFormatFromExtension(const QString& extension)
{
    const QString e = extension.toLower();
    if (e == QLatin1String("png")) return PictureFormat::Png;
    if (e == QLatin1String("bmp")) return PictureFormat::Bmp;
    if (e == QLatin1String("emf")) return PictureFormat::Emf;
    if (e == QLatin1String("jpeg") || e == QLatin1String("jpg")) return PictureFormat::Jpeg;
    if (e == QLatin1String("gif")) return PictureFormat::Gif;
    return PictureFormat::Unknown;
}

PictureData PictureData::fromFile(const QString& path, bool linkToFile, bool saveWithDocument,
                                  const QByteArray& fallbackPng)
{
    const QString op = QStringLiteral("AddPicture");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw WordError(op, QStringLiteral("cannot read the picture file \"%1\"").arg(path));
    PictureData p;
    const QByteArray bytes = file.readAll();
    p.format = detectPictureFormat(bytes);
    if (p.format == PictureFormat::Unknown)
        throw WordError(op, QStringLiteral("\"%1\" is not a picture this document can hold").arg(path));
    p.linked = linkToFile;
    // A picture that is neither linked nor saved would be lost; it is always kept then.
    p.savedWithDocument = saveWithDocument || !linkToFile;
    if (p.savedWithDocument)
        p.bytes = bytes;
    p.sourcePath = QFileInfo(path).absoluteFilePath();
    if (p.format == PictureFormat::Emf && detectPictureFormat(fallbackPng) == PictureFormat::Png)
        p.fallbackPng = fallbackPng;
    return p;
}

QByteArray PictureData::currentBytes() const
{
    if (!bytes.isEmpty())
        return bytes;
    QFile file(sourcePath);
    if (linked && file.open(QIODevice::ReadOnly))
        return file.readAll();
    return {};
}

QSizeF PictureData::naturalSize() const
{
    const QByteArray b = currentBytes();
    if (format == PictureFormat::Emf && b.size() >= 40) {
        // rclFrame: the picture's extent in hundredths of a millimetre.
        const auto* d = b.constData();
        const double w = qFromLittleEndian<qint32>(d + 32) - qFromLittleEndian<qint32>(d + 24);
        const double h = qFromLittleEndian<qint32>(d + 36) - qFromLittleEndian<qint32>(d + 28);
        return QSizeF(w / 100.0 / 25.4 * 72.0, h / 100.0 / 25.4 * 72.0);
    }
    QImage image = QImage::fromData(b);
    if (image.isNull())
        return QSizeF(72, 72);
    const double dpmX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 96 / 0.0254;
    const double dpmY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : 96 / 0.0254;
    return QSizeF(image.width() / dpmX / 0.0254 * 72.0, image.height() / dpmY / 0.0254 * 72.0);
}

namespace {

// A picture of the records this system writes is played as drawn; any other goes
// through the general converter.
QImage renderEmf(const QByteArray& emf, const QSize& pixels)
{
    if (QImage played = metafile::renderEmf(emf, pixels); !played.isNull())
        return played;
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = pixels.width();
    options.imgHeight = pixels.height();
    char* svg = nullptr;
    std::size_t svgLength = 0;
    QByteArray copy = emf;
    const int ok = emf2svg(copy.data(), static_cast<std::size_t>(copy.size()), &svg, &svgLength, &options);
    QByteArray svgBytes;
    if (svg) {
        svgBytes = QByteArray(svg, static_cast<qsizetype>(svgLength));
        std::free(svg);
    }
    if (!ok || svgBytes.isEmpty())
        return {};
    QSvgRenderer renderer(svgBytes);
    if (!renderer.isValid())
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

}  // namespace

bool PictureData::drawAsVectors(QPainter& painter, const QRectF& target) const
{
    if (format != PictureFormat::Emf)
        return false;
    const auto document = metafile::readEmf(currentBytes());
    return document && metafile::playEmf(*document, painter, target);
}

QImage PictureData::render(const QSize& pixels) const
{
    const QByteArray b = currentBytes();
    if (format == PictureFormat::Emf) {
        if (!fallbackPng.isEmpty())
            return QImage::fromData(fallbackPng).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return renderEmf(b, pixels);
    }
    QImage image = QImage::fromData(b);
    if (image.isNull())
        return {};
    return image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace tovu::platform::word
