#include "WordTestSupport.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

// Fontconfig keeps a cache for the life of the process, and the EMF converter loses a
// few bytes per picture; neither is ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libemf2svg.so\n";
}

namespace tovu::platform::word::test {

void WordTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    env = std::make_unique<WordEnvironment>(table);
    app = env->createApplication();
    doc = app->documents().add();
}

QByteArray pngBytes(int w, int h, Qt::GlobalColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString WordTest::pngFile(const QString& name, int w, int h) const
{
    QFile f(file(name));
    f.open(QIODevice::WriteOnly);
    f.write(pngBytes(w, h));
    return f.fileName();
}

QByteArray smallEmf()
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint32 headerSize = 88, rectSize = 24, eofSize = 20;
    s << quint32(1) << headerSize;
    s << qint32(0) << qint32(0) << qint32(189) << qint32(94);     // bounds, device units
    s << qint32(0) << qint32(0) << qint32(5000) << qint32(2500);  // frame, 0.01 mm
    s << quint32(0x464D4520) << quint32(0x10000) << quint32(headerSize + rectSize + eofSize) << quint32(3);
    s << quint16(1) << quint16(0) << quint32(0) << quint32(0) << quint32(0);
    s << qint32(1024) << qint32(768) << qint32(270) << qint32(203);  // device pixels and millimetres
    s << quint32(43) << rectSize << qint32(10) << qint32(10) << qint32(180) << qint32(90);  // EMR_RECTANGLE
    s << quint32(14) << eofSize << quint32(0) << quint32(16) << eofSize;                   // EMR_EOF
    return out;
}

QString WordTest::emfFile(const QString& name) const
{
    QFile f(file(name));
    f.open(QIODevice::WriteOnly);
    f.write(smallEmf());
    return f.fileName();
}

QStringList paragraphTexts(const Document& doc)
{
    QStringList out;
    const Story& body = doc.model().body;
    for (auto [s, e] : body.paragraphs())
        out << body.text(s, e - 1);
    return out;
}

int pdfPageCount(const QString& pdf)
{
    QString info;
    if (runTool(QStringLiteral("pdfinfo"), {pdf}, &info) != 0)
        return -1;
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

int runTool(const QString& program, const QStringList& args, QString* output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return -1;
    p.waitForFinished(60000);
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace tovu::platform::word::test
