#pragma once
// What the download and upload engines share: saving and restoring the instrument's live
// settings in record 0, the one error box, and the account of what a transfer did.

#include "app/link/LinkError.h"
#include "app/link/TransferSlots.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace tovu::link {

// What one transfer did, slot by slot, for the main window and for tests.
struct TransferReport {
    bool completed = false;          // ran to its end without a link error or cancel
    bool cancelled = false;
    std::vector<int> transferred;    // slots read or stored
    std::vector<int> empty;          // slots found empty (download) or records without an item (upload)
    std::vector<int> kept;           // empty on the instrument while the PC item of that number was kept
    std::vector<int> failed;         // the instrument refused the slot's memory action
    std::vector<int> declined;       // occupied targets the user chose not to overwrite
    QStringList skippedSettings;     // settings a record could not send (upload)
    // Per slot read or stored: the commands the instrument refused for that item (reads
    // stored as "N/A" or parts left absent; writes it did not take).
    std::map<int, QStringList> refused;
    QStringList liveNotRestored;     // refused while the live settings were saved or restored
    QString errorSource, errorText;  // the error shown, when not completed
};

// "Panel" or "ALog" (strings 152, 153).
QString kindText(const LinkContext& ctx, SlotKind kind);

// One box naming the slots the instrument refused; sentence holds %1 for the kind and %2
// for the numbers. Nothing when none failed.
void reportFailedSlots(TransferEnv& env, SlotKind kind, const std::vector<int>& failed, const QString& title,
                       const QString& sentence);

// The slot texts of the dialog's status line: string 517 / 516, " ", string 152 / 153, " ", n.
QString slotStatus(const TransferEnv& env, int actionString, SlotKind kind, int slot);

// Record 0 receives the live settings, with the wait window (string 562) up meanwhile.
// Returns the reads the instrument refused (those settings cannot be restored).
QStringList saveLiveSettings(TransferEnv& env);
// Writes record 0 back with the wait window (string 563): DAC, TCG and AVG modes and the
// gates' display off first ("WHD", "WDM", "WYM" with "0"), then every group. Returns the
// writes the instrument refused.
QStringList restoreLiveSettings(TransferEnv& env);

// The closing message of a transfer that ran to its end: per item the commands the
// instrument refused (strings 6151 read / 6152 stored), then those of the live settings
// (string 6153). Nothing when nothing was refused.
void reportRefusals(TransferEnv& env, SlotKind kind, const TransferReport& report, bool upload, const QString& title);

// Moves the commands noted as refused since the last call out of ctx.
QStringList takeRefusals(LinkContext& ctx);
// After an error or a cancel: a fresh handshake, and only when the instrument answers it,
// the restore. Never raises; a silent or lost instrument costs one short handshake.
void restoreLiveSettingsBestEffort(TransferEnv& env) noexcept;

// "WHD", "WDM", "WYM", each with "0".
void switchOffDisplayModes(LinkContext& ctx);

// The error path of every transfer command: dialog unloaded, Active True again, the live
// settings restored when they had been saved, the link closed, one critical box with the
// source, CR LF and the description, the pointer back to default.
void endTransferWithError(TransferEnv& env, const QString& title, const QString& source, const QString& text,
                          bool liveSaved, TransferReport& report);

// Runs body; a LinkError or any other failure goes to endTransferWithError.
template <typename Body>
void runTransfer(TransferEnv& env, const QString& title, bool& liveSaved, TransferReport& report, Body&& body)
{
    try {
        body();
        report.completed = true;
    } catch (const LinkError& e) {
        report.cancelled = e.kind() == LinkErrorKind::Cancelled;
        endTransferWithError(env, title, e.Source(), e.Description(), liveSaved, report);
    } catch (const std::exception& e) {
        endTransferWithError(env, title, QStringLiteral("TOVU"), QString::fromLocal8Bit(e.what()), liveSaved, report);
    }
}

inline const QString kCrLf = QStringLiteral("\r\n");
constexpr int kTitleString = 130;
constexpr int kPanelString = 152;
constexpr int kALogString = 153;
constexpr int kReadRefusedString = 6151;
constexpr int kStoredRefusedString = 6152;
constexpr int kLiveNotRestoredString = 6153;

} // namespace tovu::link
