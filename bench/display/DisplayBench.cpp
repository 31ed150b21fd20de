// One full A-scan redraw (trace, DAC curves, gates, readout) into the screen canvas and
// into the picture file, each timed [iterations] times and shown as min and median. Run a
// Release build: tovu_display_bench [iterations].

#include "app/display/AScanDisplay.h"
#include "app/display/AScanPainter.h"
#include "app/display/EmfCanvas.h"
#include "app/display/QPainterCanvas.h"
#include "display/support/FakeStrings.h"
#include "platform/metafile/MetafileFile.h"
#include "support/Figures.h"
#include "support/SampleRecords.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tovu::display;
using Clock = std::chrono::steady_clock;

namespace {
struct NoMessages : DisplayMessages {
    void showCritical(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

struct NoSettings : SettingsAccess {
    QString GetSetting(const QString&, const QString&, const QString& def) const override { return def; }
    void SaveSetting(const QString&, const QString&, const QString&) override {}
};

void report(const char* what, int n, const std::function<void()>& step)
{
    tovu::bench::Figures ms;
    for (int i = 0; i < n; ++i) {
        const auto t0 = Clock::now();
        step();
        ms.add(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    tovu::bench::printFigures(what, ms, "ms");
    std::printf("\n");
}

tovu::items::DFDRecord benchRecord()
{
    auto r = tovu::test::sampleALogWithDac();
    auto& s = r.editSettings();
    s.DacCurveSet = QStringLiteral("3");  // four DAC curves
    s.MeasMode = QStringLiteral("3");
    s.Angle = QStringLiteral("60");
    s.Distance = QStringLiteral("100");
    s.Hud = QStringLiteral("5");
    s.HS = QStringLiteral("2");
    s.Gates[1].State = QStringLiteral("1");
    return r;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int n = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;

    const testing::FakeStrings strings;
    const auto record = benchRecord();
    const AScanScene scene{record, nullptr, {}, {}, strings, QStringLiteral(".")};

    Drawing drawing;
    QImage screen(510, 490, QImage::Format_RGB32);
    report("record the scene", n, [&] {
        drawing.clear();
        DrawAScan(scene, drawing);
    });
    report("replay into the screen canvas (510 x 490)", n, [&] {
        screen.fill(Qt::white);
        QPainter p(&screen);
        QPainterCanvas canvas(p, QRectF(0, 0, 510, 490));
        drawing.replay(canvas);
    });
    report("full redraw: record + screen", n, [&] {
        drawing.clear();
        DrawAScan(scene, drawing);
        screen.fill(Qt::white);
        QPainter p(&screen);
        QPainterCanvas canvas(p, QRectF(0, 0, 510, 490));
        drawing.replay(canvas);
    });
    QByteArray bytes;
    report("picture file bytes (EMF records)", n, [&] {
        EmfCanvas emf;
        drawing.replay(emf);
        bytes = emf.finish();
    });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("MetaTest.emf"));
    report("picture file: EMF records + save and rename", n, [&] {
        EmfCanvas emf;
        drawing.replay(emf);
        tovu::platform::metafile::saveMetafile(path, emf.finish());
    });

    tovu::items::ItemStore store;
    store.WorkItems[1] = record;
    NoSettings settings;
    NoMessages messages;
    AScanDisplay display(store, strings, settings, messages);
    display.folders = {dir.path(), dir.path()};
    report("AScanDisplay::DrawAScan (record + EMF file)", n, [&] { display.DrawAScan(1); });
    std::printf("picture file: %lld bytes, %zu drawing calls\n", static_cast<long long>(bytes.size()),
                drawing.ops().size());
    return 0;
}
