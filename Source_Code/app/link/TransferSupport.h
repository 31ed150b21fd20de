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
    // Per slot stored: the point lists ("DAC", "TCG") it carries from the instrument
    // because the instrument could not clear them and the item had none.
    std::map<int, QStringList> keptPoints;
    QStringList liveNotRestored;     // refused while the live settings were saved or restored
    // The item whose settings the live set-up holds while the transfer works on it
    // ("ALog 11"); empty before the first. Named when an error leaves them there.
    QString liveSetUpOf;
    QString errorSource, errorText;  // the error shown, when not completed
};

// "Panel" or "ALog" (strings 152, 153).
QString kindText(const LinkContext& ctx, SlotKind kind);


// The slot texts of the dialog's status line: string 517 / 516, " ", string 152 / 153, " ", n.
QString slotStatus(const TransferEnv& env, int actionString, SlotKind kind, int slot);

// Record 0 receives the live settings, with the wait window (string 562) up meanwhile.
// Returns the reads the instrument refused (those settings cannot be restored).
QStringList saveLiveSettings(TransferEnv& env);
// Writes record 0 back with the wait window (string 563): DAC, TCG and AVG modes and the
// gates' display off first ("WHD", "WDM", "WYM" with "0"), then every group. Returns the
// writes the instrument refused.
QStringList restoreLiveSettings(TransferEnv& env);

// The one closing message of a transfer that ran to its end: the slots that failed, per
// item the settings the instrument refused (strings 6151 read / 6152 stored, by their
// names, RefusalNames.h) and the point lists it kept (6140), those of the live settings
// (6153), and the settings an upload could not send. Titled errorTitle when a slot
// failed, else "... completed with notes" (6141..6144). Nothing when all went as asked.
void reportRefusals(TransferEnv& env, SlotKind kind, const TransferReport& report, bool upload,
                    const QString& errorTitle);
// One line of that message: item, a blank, "read; the instrument refused: ..." (6151) or
// "stored; ..." (6152) with the commands by their names for the model of record 0.
QString refusedLine(const LinkContext& ctx, const QString& item, const QStringList& commands, bool upload);

// Moves the commands noted as refused since the last call out of ctx.
QStringList takeRefusals(LinkContext& ctx);
// The same for the point lists noted as kept (LinkContext::keptPoints).
QStringList takeKeptPoints(LinkContext& ctx);
// After an error or a cancel: a fresh handshake, and only when the instrument answers it,
// the restore. Never raises; a silent or lost instrument costs one short handshake.
// False when the instrument did not take its settings back.
bool restoreLiveSettingsBestEffort(TransferEnv& env) noexcept;

// "WHD", "WDM", "WYM", each with "0".
void switchOffDisplayModes(LinkContext& ctx);

// The error path of every transfer command: dialog unloaded, Active True again, the live
// settings restored when they had been saved, the link closed, one critical box with the
// source, CR LF and the description, the pointer back to default. When the live settings
// could not be put back after an item was recalled or written, the box says that they
// may now be the item's (string 6145).
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
constexpr int kKeptPointsString = 6140;
constexpr int kPanelsReadWithNotesString = 6141;
constexpr int kALogsReadWithNotesString = 6142;
constexpr int kPanelsStoredWithNotesString = 6143;
constexpr int kALogsStoredWithNotesString = 6144;
constexpr int kLiveMayBeItemsString = 6145;
constexpr int kLiveReadWithNotesString = 6180;
constexpr int kLiveSettingsItemString = 6181;

} // namespace tovu::link
