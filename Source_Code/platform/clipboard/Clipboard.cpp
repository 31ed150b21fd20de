#include "platform/clipboard/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tovu::platform::clipboard {

namespace {
QClipboard* board()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}
} // namespace

QString SystemClipboard::text() const
{
    const QClipboard* b = board();
    return b ? b->text(QClipboard::Clipboard) : QString();
}

void SystemClipboard::clear()
{
    if (auto* b = board())
        b->clear();
}

void SystemClipboard::setText(const QString& text)
{
    if (auto* b = board())
        b->setText(text);
}

void SystemClipboard::setBitmap(const QImage& image)
{
    if (auto* b = board())
        b->setImage(image);
}

void SystemClipboard::setPicture(const PicturePayload& picture)
{
    auto* b = board();
    if (!b)
        return;
    auto* mime = new QMimeData;
    mime->setData(kEmfMimeType, picture.emf);
    mime->setData(kOfficeEmfMimeType, picture.emf);
    if (!picture.svg.isEmpty())
        mime->setData(kSvgMimeType, picture.svg);
    if (!picture.png.isEmpty())
        mime->setData(kPngMimeType, picture.png);
    b->setMimeData(mime);  // the clipboard takes ownership
}

} // namespace tovu::platform::clipboard
