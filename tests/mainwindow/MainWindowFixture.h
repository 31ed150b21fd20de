#pragma once
// A main window on a temporary settings store, with COM 1 mapped to a simulated
// instrument (or to a silent one, or to nothing), the link on a virtual clock, and a
// window into the link's waits.

#include "app/mainwindow/FileMenus.h"
#include "app/mainwindow/ItemCommands.h"
#include "app/mainwindow/PageMenus.h"
#include "app/mainwindow/PaneLayout.h"
#include "app/mainwindow/StatusDisplay.h"
#include "app/mainwindow/TransferCommands.h"
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemViews.h"
#include "mainwindow/ScriptedInteraction.h"
#include "mainwindow/VirtualInstrument.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace tovu::mainwindow::testing {

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // A simulated instrument of the model, answering only at baud, mapped as COM 1.
    VirtualInstrument& startInstrument(int model, int baud = 115200, bool silent = false);
    // COM 1 is a device that does not exist.
    void mapComToNothing();
    void mapCom(int port, const QString& device);
    void saveSetting(const QString& section, const QString& key, const QString& value);
    QString setting(const QString& section, const QString& key) const;

    // Creates the context and the window (create) and runs Form_Load (start).
    frmmain& create();
    frmmain& start();
    // Started without an instrument, the fixture file of mixed items opened from the
    // toolbar, the ALogs shown.
    frmmain& startWithItems();
    frmmain& window() { return *window_; }
    // Lets the shown window lay itself out and paint.
    static void settle();
    // Handles Qt's events until the condition holds or 10 s pass; true when it holds.
    static bool waitUntil(const std::function<bool()>& condition);
    MainContext& context() { return *context_; }

    QTemporaryDir home;
    ScriptedInteraction ui;
    MainOptions options;
    std::function<void()> waitHook;  // runs inside every wait of the link
    std::unique_ptr<VirtualInstrument> instrument;

private:
    VirtualClock* clock_ = nullptr;  // the context's
    platform::serial::MemoryPort* port_ = nullptr;  // the context's
    std::unique_ptr<MainContext> context_;
    std::unique_ptr<frmmain> window_;
};

// The window's tree captions at positions from..to.
QStringList treeCaptions(const frmmain& w, int from, int to);

} // namespace tovu::mainwindow::testing
