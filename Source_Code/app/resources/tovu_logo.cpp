// Build-time tool: draws the report logo, an instrument screen with an A-scan (the
// transmitted pulse, a flaw echo inside its gate and the back-wall echo) above the
// program's name, and writes it as a 24-bit bitmap.
// Usage: tovu_logo <Logo.bmp>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QString>

#include <cmath>
#include <cstdio>

namespace {

// 2 px per point of the 150 x 100 points the report gives the logo.
constexpr int kWidth = 300;
constexpr int kHeight = 200;
const QColor kInk(16, 36, 58);
const QColor kScreen(16, 36, 58);
const QColor kGrid(36, 80, 122);
const QColor kTrace(75, 224, 160);
const QColor kGate(240, 120, 120);

struct Echo {
    double at;     // position across the screen, 0..1
    double height; // 0..1 of the screen height
    double width;  // spread of the envelope
};
constexpr Echo kEchoes[] = {{0.06, 0.95, 0.012}, {0.46, 0.48, 0.014}, {0.82, 0.78, 0.016}};

// The rectified echo envelope with its ringing, 0..1.
double amplitude(double x)
{
    double a = 0;
    for (const Echo& e : kEchoes) {
        const double d = (x - e.at) / e.width;
        a += e.height * std::exp(-d * d / 2) * (0.75 + 0.25 * std::cos(d * 3.1));
    }
    return std::min(a, 1.0);
}

QImage drawLogo()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF screen(14, 12, kWidth - 28, 118);
    p.setPen(Qt::NoPen);
    p.setBrush(kScreen);
    p.drawRoundedRect(screen, 8, 8);

    const QRectF plot = screen.adjusted(10, 10, -10, -10);
    p.setPen(QPen(kGrid, 1));
    for (int i = 0; i <= 10; ++i) {
        const double x = plot.left() + plot.width() * i / 10;
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (int i = 0; i <= 4; ++i) {
        const double y = plot.top() + plot.height() * i / 4;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }

    // The gate over the flaw echo.
    const double gateY = plot.bottom() - plot.height() * 0.30;
    p.setPen(QPen(kGate, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(plot.left() + plot.width() * 0.38, gateY), QPointF(plot.left() + plot.width() * 0.56, gateY));

    QPainterPath trace;
    const int steps = static_cast<int>(plot.width()) * 2;
    for (int i = 0; i <= steps; ++i) {
        const double x = static_cast<double>(i) / steps;
        const QPointF pt(plot.left() + plot.width() * x, plot.bottom() - plot.height() * amplitude(x));
        if (i == 0)
            trace.moveTo(pt);
        else
            trace.lineTo(pt);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kTrace, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trace);

    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(52);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(name);
    p.setPen(kInk);
    p.drawText(QRectF(0, screen.bottom() + 4, kWidth, kHeight - screen.bottom() - 8), Qt::AlignCenter,
               QStringLiteral("TOVU"));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tovu_logo <Logo.bmp>\n");
        return 2;
    }
    // Drawing text needs a GUI application, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QFile::decodeName(argv[1]);
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !drawLogo().save(&file, "BMP") || !file.commit()) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[1]);
        return 1;
    }
    return 0;
}
