#pragma once
// The clipboard formats the program offers: text, a bitmap, and a picture as enhanced
// metafile bytes (under the EMF type and the office suites' EMF type) together with SVG
// and PNG renderings for programs that take neither.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tovu::platform::clipboard {

inline const QString kEmfMimeType = QStringLiteral("image/x-emf");
inline const QString kOfficeEmfMimeType = QStringLiteral("application/x-openoffice-emf;windows_formatname=\"Image EMF\"");
inline const QString kSvgMimeType = QStringLiteral("image/svg+xml");
inline const QString kPngMimeType = QStringLiteral("image/png");

struct PicturePayload {
    QByteArray emf;
    QByteArray svg;  // may be empty
    QByteArray png;  // may be empty
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
    virtual void setBitmap(const QImage& image) = 0;
    virtual void setPicture(const PicturePayload& picture) = 0;
};

// The system clipboard through QClipboard; without a GUI application it holds nothing and
// takes nothing.
class SystemClipboard final : public Clipboard {
public:
    // The clipboard's plain text; empty when it holds none.
    QString text() const;
    void clear() override;
    void setText(const QString& text) override;
    void setBitmap(const QImage& image) override;
    void setPicture(const PicturePayload& picture) override;
};

} // namespace tovu::platform::clipboard
