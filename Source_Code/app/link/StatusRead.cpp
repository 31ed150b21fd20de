#include "app/link/StatusRead.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/ModelIdentification.h"
#include "app/link/SlotOperations.h"
#include "app/link/TransferHost.h"

#include <span>

namespace tovu::link {

namespace {

constexpr int kReadingStatusText = 561;

// One kind of location, read bank by bank.
struct SlotKind {
    SlotRow row;
    int perBank;
    int banks;
    QLatin1String listCommand;
    bool (*used)(LinkContext&, int, const QString&);
};

constexpr SlotKind kPanelKind{SlotRow::Panels, kPanelsPerBank, kStatusPanelBanks, command::kPanelList, &PanelSlotUsed};
constexpr SlotKind kALogKind{SlotRow::ALogs, kALogsPerBank, kStatusALogBanks, command::kALogList, &ALogSlotUsed};

// The occupancy of the kind's banks asked for; answers how many locations hold something.
int readKind(LinkContext& l, const SlotKind& k, bool allBanks, int pageBank, StatusReadView& view)
{
    items::ItemStore& store = l.store;
    QString list;
    int firstBank = 0;
    int lastBank = 0;
    if (store.MemoryGeneration >= 1) {
        list = WriteCommSpecial(l, k.listCommand);
        if (allBanks)
            lastBank = k.banks - 1;
        else
            firstBank = lastBank = pageBank;
    }
    const double step = 100.0 / ((lastBank - firstBank + 1) * k.perBank);
    int counter = 0;
    int valid = 0;
    l.setProgress(0);
    const std::span<bool> occupied =
        k.row == SlotRow::Panels ? std::span<bool>(store.PanelOccupied) : std::span<bool>(store.ALogOccupied);
    for (int b = firstBank; b <= lastBank; ++b) {
        for (int i = 1; i <= k.perBank; ++i) {
            if (auto* dialog = l.transferDialog()) {
                dialog->setSlotCaption(k.row, i, QString::number(b * k.perBank + i));
                dialog->setSlotColour(k.row, i, SlotColour::Grey);
            }
        }
        view.bankStarting(k.row, b, k.perBank);
        for (int i = 1; i <= k.perBank; ++i) {
            const int slot = b * k.perBank + i;
            l.setProgress(static_cast<int>(counter * step));
            ++counter;
            if (auto* dialog = l.transferDialog())
                dialog->setSlotColour(k.row, i, SlotColour::Yellow);
            const bool used = k.used(l, slot, list);
            if (auto* dialog = l.transferDialog())
                dialog->setSlotColour(k.row, i, used ? SlotColour::Green : SlotColour::Red);
            if (used)
                ++valid;
            occupied[static_cast<std::size_t>(slot)] = used;
        }
        view.bankRead(k.row, b);
    }
    if (allBanks)
        view.allBanksRead(k.row);
    return valid;
}

} // namespace

StatusResult ReadInstrumentStatus(LinkContext& l, const StatusRequest& request, StatusReadView& view)
{
    try {
        OpenComm(l);
    } catch (const LinkError& e) {
        if (e.kind() == LinkErrorKind::Cancelled)
            throw;
    }
    StatusResult result;
    result.model = GetInstrumentModel(l, 0);
    l.store.workItem(0).ModelIndex = static_cast<std::int16_t>(result.model);
    result.supported = result.model != kStatusUnsupportedModel;
    view.modelRead(result.model, result.supported);

    l.loadTransferDialog();
    l.setStatusText(l.strings.GetResString(kReadingStatusText));
    if (request.showDialog && result.supported && l.transferDialog())
        l.transferDialog()->showModeless();

    if (result.supported && request.panels)
        result.validPanels = readKind(l, kPanelKind, request.allBanks, request.panelBank, view);
    if (result.supported && request.alogs)
        result.validALogs = readKind(l, kALogKind, request.allBanks, request.alogBank, view);

    l.setProgress(0);
    WriteComm(l, command::kSelectALog, QStringLiteral("1"));
    WriteComm(l, command::kSelectPanel, QStringLiteral("1"));
    result.program = WriteComm(l, command::kProgram, QString());
    result.version = WriteComm(l, command::kFirmware, QString());
    CloseComm(l);
    l.unloadTransferDialog();
    return result;
}

} // namespace tovu::link
