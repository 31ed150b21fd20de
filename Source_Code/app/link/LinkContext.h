#pragma once
// The state of the instrument link, created once by the program and passed by
// reference: the serial port, the continue flag Active, the clock and event pump, the
// item store the link fills, the model table, the string source, and the windows and
// main-window callbacks the link reports to. Tests build their own with fakes.

#include "app/items/ItemStore.h"
#include "app/items/ModelTable.h"
#include "app/items/StringSource.h"
#include "app/link/LinkClock.h"
#include "app/link/TransferView.h"
#include "platform/serial/SerialPort.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace tovu::link {

// Visibility of the memory menus of the main window after an identification; a menu
// left empty keeps its state.
struct MemoryMenus {
    std::optional<bool> eraseMemory;    // mnuEraseMemory
    std::optional<bool> alogMemSelect;  // mnuAlogMemSelect (eight pages of 100)
    std::optional<bool> alogMemSelect2; // mnuAlogMemSelect2 (thousands)
    bool operator==(const MemoryMenus&) const = default;
};

class LinkContext {
public:
    LinkContext(platform::serial::SerialPort& port, Clock& clock, EventPump& pump, items::ItemStore& store,
                const items::StringSource& strings);

    platform::serial::SerialPort& port;  // MSComm1
    Clock& clock;
    EventPump& pump;
    items::ItemStore& store;
    const items::StringSource& strings;
    items::ModelNameTable ModelNames;

    // The continue flag of every link operation; the transfer dialog's CANCEL clears it.
    bool Active = true;

    // True once an instrument has been identified: until then the start-up counts
    // (100 panels, 10000 ALogs) stand for no instrument, and the first identification
    // applies the model's counts even when its generation is 0.
    bool GenerationIdentified = false;

    // Commands the instrument refused (after their retry) since an engine last cleared
    // this: reads stored as "N/A", parts left absent, writes not taken (Refusals.h).
    QStringList refused;

    // What this connection knows of the instrument's live DAC and TCG point lists (index
    // 0 DAC, 1 TCG): whether it may hold points, and whether it refused the empty list
    // that clears them (then it is not asked again). OpenComm starts both afresh.
    struct LivePoints {
        bool mayHold = true;
        bool cannotClear = false;
    };
    LivePoints livePoints[2];
    // Point lists ("DAC", "TCG") the instrument kept although the item sent had none,
    // since an engine last took them: what it stores now carries the instrument's own.
    QStringList keptPoints;

    // Main-window callbacks. approveDiscard is asked before the arrays are re-created
    // while they hold items; without it, or when it says no, nothing is discarded and the
    // identification fails with a link error.
    std::function<void(const MemoryMenus&)> onMemoryMenus;
    std::function<bool(int newGeneration)> approveDiscard;

    // The transfer dialog: created on load, gone after unload. Progress written while no
    // dialog is loaded goes nowhere; it never loads one or touches Active.
    std::function<std::unique_ptr<TransferView>()> makeTransferView;
    TransferView* transferDialog() const { return transfer_.get(); }
    void loadTransferDialog();   // creates it, Active = True, progress 0
    void unloadTransferDialog();
    void setProgress(int value);
    void setStatusText(const QString& text);

    // While a transfer runs the memory generation may not change (the records being
    // transferred live in the arrays a change would re-create).
    bool transferRunning() const { return transferDepth_ > 0; }

private:
    friend class TransferScope;
    std::unique_ptr<TransferView> transfer_;
    int transferDepth_ = 0;
};

// Marks a running transfer for its lifetime. Identify the instrument before opening one.
class TransferScope {
public:
    explicit TransferScope(LinkContext& ctx) : ctx_(ctx) { ++ctx_.transferDepth_; }
    ~TransferScope() { --ctx_.transferDepth_; }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

private:
    LinkContext& ctx_;
};

} // namespace tovu::link
