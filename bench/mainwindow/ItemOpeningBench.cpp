// Figures for the item commands: File, Open of a saved-items file of 10 000 ALogs with
// every curve, trace and note filled (the records of the items benchmark) until the list
// of ALogs is filled, and a double-click open of one item (picture, settings grid and
// notes). No instrument is needed: COM 1 names a device that does not exist. Prints min
// and median and whether the targets hold (open under 1.5 s, one item under 20 ms).

#include "app/items/FileHandlingModule.h"
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/FileMenus.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"
#include "support/SampleRecords.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tovu;

namespace {

constexpr int kItems = 10000;

// Answers every file dialog with one file and every question with Yes.
class FixedUser final : public mainwindow::UserInteraction {
public:
    QString file;
    void message(const QString&, const QString&, mainwindow::MessageIcon) override {}
    mainwindow::Answer askYesNo(const QString&, const QString&, mainwindow::MessageIcon) override { return mainwindow::Answer::Yes; }
    mainwindow::Answer askYesNoCancel(const QString&, const QString&, mainwindow::MessageIcon) override { return mainwindow::Answer::No; }
    std::optional<QString> openFileName(const mainwindow::CommonDialog&) override { return file; }
    std::optional<QString> saveFileName(const mainwindow::CommonDialog&) override { return file; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return std::nullopt; }
    void runModal(QDialog&) override {}
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double minimum(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    const QString file = home.filePath(QStringLiteral("alogs.dfd"));
    {
        items::ItemStore source;
        for (int n = 1; n <= kItems; ++n)
            source.ALogs[static_cast<std::size_t>(n)] = test::fullItem(n, true);
        const items::SaveResult saved = items::SaveItemsFile(source, file, 1252);
        if (!saved.ok) {
            std::fprintf(stderr, "could not write the file: %s\n", qPrintable(saved.reason));
            return 1;
        }
    }

    FixedUser user;
    user.file = file;
    mainwindow::MainOptions o;
    o.programFolder = QStringLiteral(TOVU_BIN_DIR);
    o.settingsFolder = home.filePath(QStringLiteral("settings"));
    o.classRegistryFile = home.filePath(QStringLiteral("classes.ini"));
    o.lcid = 0x809;
    platform::settings::SettingsStore(o.settingsFolder)
        .saveSetting(platform::settings::applicationName, QStringLiteral("Ports"), QStringLiteral("COM1"),
                     home.filePath(QStringLiteral("no-such-device")));
    mainwindow::MainContext ctx(o, user);
    mainwindow::frmmain w(ctx);
    w.Form_Load();
    w.show();
    QApplication::processEvents();

    std::vector<double> opens;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        w.fileMenus().mnuOpen_Click();
        w.itemViews().mnuViewALogs_Click();
        QApplication::processEvents();
        opens.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    if (w.listModel().count() != kItems || !ctx.store.ALogs[kItems].InUse) {
        std::fprintf(stderr, "the file did not open to a full list\n");
        return 1;
    }

    std::vector<double> items;
    QListView* list = w.lvwPanelsALog();
    for (int run = 0; run < 200; ++run) {
        const int n = 1 + (run * 487) % kItems;
        list->selectionModel()->select(w.listModel().index(n - 1), QItemSelectionModel::ClearAndSelect);
        QElapsedTimer t;
        t.start();
        w.itemCommands().lvwPanelsALog_DblClick();
        items.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }

    const double open = median(opens);
    const double item = median(items);
    const double worstItem = *std::max_element(items.begin(), items.end());
    std::printf("open %d full ALogs to a filled list: min %.1f ms, median %.1f ms over %zu runs (target 1500 ms): %s\n",
                kItems, minimum(opens), open, opens.size(), open < 1500 ? "holds" : "MISSED");
    std::printf("double-click open of one item (picture, grid, notes): min %.2f ms, median %.2f ms, worst %.2f ms over %zu (target 20 ms): %s\n",
                minimum(items), item, worstItem, items.size(), item < 20 ? "holds" : "MISSED");
    return open < 1500 && item < 20 ? 0 : 2;
}
