// Figures for the Word report: a report of 100 ALogs appended one by one, the way the
// report frame's "add the shown item" does it (draw, grid, notes, then picture, table,
// notes and a save of the whole document). Prints the total, the cost of the first and
// the last ten items, and the cost of saving the document alone at both lengths, so that
// any growth of an item's cost beyond the growth of the save shows. Target: the 100 items
// in under 20 s.

#include "app/display/AScanDisplay.h"
#include "app/display/SettingsGridModel.h"
#include "app/items/ItemStore.h"
#include "app/items/RessourcesModule.h"
#include "app/reports/VerboltCalls.h"
#include "app/reports/WordReport.h"
#include "control/VerboltObject.h"
#include "platform/office/word/WordEnvironment.h"
#include "support/BenchALog.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace tovu;
namespace automation = tovu::platform::automation;

namespace {

// The report's length; a first argument changes it (for profiling).
int kItems = 100;

class NoSettings final : public display::SettingsAccess {
public:
    QString GetSetting(const QString&, const QString&, const QString& def = {}) const override { return def; }
    void SaveSetting(const QString&, const QString&, const QString&) override {}
};

class QuietMessages final : public display::DisplayMessages {
public:
    void showCritical(const QString& text) override { std::fprintf(stderr, "display: %s\n", qPrintable(text)); }
};

// The window as the report sees it: the real picture and grid, the record's notes.
class BenchWindow final : public reports::ReportWindow {
public:
    BenchWindow(items::ItemStore& store, display::AScanDisplay& display, const items::StringSource& strings)
        : store_(store), display_(display), strings_(strings)
    {
        grid_.InitSettingsGrid(strings_);
    }
    int shown = 0;
    QString noteIndexCaption() const override { return QString::number(shown); }
    QString modelCaption() const override { return QStringLiteral("MODEL X"); }
    QString dateCaption() const override { return QStringLiteral("10/12/2026 09:30"); }
    reports::NoteBoxes noteBoxes() const override
    {
        const items::RecordSettings& s = store_.WorkItems[static_cast<std::size_t>(shown)].settings();
        return {s.NoteLabel, s.NoteOperator, QString(), s.NoteProbe, s.NoteText};
    }
    const display::SettingsGridModel& gridSettings() const override { return grid_; }
    int listCount() const override { return 0; }
    bool listItemSelected(int) const override { return false; }
    void setListSelection(int, int) override {}
    void DrawAScan(int i) override
    {
        shown = i;
        display_.DrawAScan(i);
    }
    void ShowALogSettings(int i) override { grid_.ShowALogSettings(store_.WorkItems[static_cast<std::size_t>(i)], strings_); }
    void ShowItemNotes(int) override {}
    void setReportButtonsEnabled(bool) override {}
    void showProgress(const QString&) override {}
    void setProgress(int) override {}
    void hideProgress() override {}

private:
    items::ItemStore& store_;
    display::AScanDisplay& display_;
    const items::StringSource& strings_;
    display::SettingsGridModel grid_;
};

class FixedUser final : public reports::ReportUser {
public:
    QString file;
    void message(const QString& text, const QString&, reports::MessageIcon) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString&, const QString&, reports::MessageIcon) override { return true; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return QStringLiteral("Bench Report");
    }
    std::optional<QString> saveFileName(const reports::FileDialogRequest&) override { return file; }
    QPagedPaintDevice* choosePrinter() override { return nullptr; }
};

double mean(const std::vector<double>& v, std::size_t from, std::size_t count)
{
    return std::accumulate(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(from + count), 0.0) /
           static_cast<double>(count);
}

// Saving the held document alone, the cost every item pays at the end.
double saveCost(automation::Dispatch& control)
{
    std::vector<double> runs;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        std::vector<automation::Variant> args;
        control.invoke(reports::kSaveDocument.id, args, automation::CallKind::Method, {});
        runs.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return mean(runs, 0, runs.size());
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc > 1)
        kItems = std::max(20, QString::fromLocal8Bit(argv[1]).toInt());
    QTemporaryDir dir;
    QImage logo(150, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    logo.save(dir.filePath(QStringLiteral("Logo.bmp")));

    items::LanguageContext strings([](const QString&) { return automation::DispatchRef(); });
    items::ItemStore store;
    store.WorkItems.resize(kItems + 1);
    for (int i = 1; i <= kItems; ++i)
        bench::fillALog(store.WorkItems[static_cast<std::size_t>(i)], i);

    NoSettings settings;
    QuietMessages messages;
    display::AScanDisplay display(store, strings, settings, messages);
    display.folders = {dir.path(), dir.path()};
    BenchWindow window(store, display, strings);
    FixedUser user;
    user.file = dir.filePath(QStringLiteral("bench report.doc"));

    platform::word::LocalActiveObjectTable table;
    platform::word::WordEnvironment environment(table);
    const std::shared_ptr<control::VerboltObject> control = control::createVerbolt(environment);
    reports::WordReport report(control, window, user, store, strings,
                               reports::ReportFiles{dir.filePath(QStringLiteral("Logo.bmp")), display.picturePath()});
    report.WordAvailable = true;
    report.Create_Word_Report();
    if (!report.ReportCreated) {
        std::fprintf(stderr, "the report could not be created\n");
        return 1;
    }

    const double saveFirst = saveCost(*control);
    std::vector<double> perItem;
    QElapsedTimer total;
    total.start();
    for (int i = 1; i <= kItems; ++i) {
        QElapsedTimer t;
        t.start();
        window.DrawAScan(i);
        window.ShowALogSettings(i);
        report.Export_Item_To_Word();
        perItem.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    const double seconds = static_cast<double>(total.nsecsElapsed()) / 1e9;
    const double saveLast = saveCost(*control);
    report.Btn_SaveClose_Click();

    const double first = mean(perItem, 0, 10);
    const double last = mean(perItem, kItems - 10, 10);
    std::printf("report of %d ALogs appended one by one: %.2f s (target for 100 under 20 s: %s)\n", kItems, seconds,
                seconds < 20.0 ? "holds" : "MISSED");
    std::printf("per item: first ten %.1f ms, last ten %.1f ms (growth %.1f ms)\n", first, last, last - first);
    std::printf("saving the document alone: at the start %.1f ms, at the end %.1f ms (growth %.1f ms)\n", saveFirst,
                saveLast, saveLast - saveFirst);
    std::printf("growth of an item's cost beyond the growth of the save: %.1f ms\n",
                (last - first) - (saveLast - saveFirst));
    return seconds < 20.0 ? 0 : 2;
}
