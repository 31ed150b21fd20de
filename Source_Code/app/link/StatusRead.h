#pragma once
// The status read: the instrument's model, which panel and ALog locations hold something,
// how many do, and the program and firmware version the instrument reports. The exchange
// with the instrument is here; the window shows what is read through StatusReadView.

#include "app/link/LinkContext.h"
#include "app/link/TransferView.h"

#include <QString>

namespace tovu::link {

constexpr int kStatusUnsupportedModel = 19;  // no memory read for that model
constexpr int kStatusPanelBanks = 5;
constexpr int kStatusALogBanks = 8;          // ALog locations 1 to 800 at most

struct StatusRequest {
    bool allBanks = false;  // every bank; else the one bank below
    bool panels = true;
    bool alogs = true;
    int panelBank = 0;      // 0-based
    int alogBank = 0;
    bool showDialog = true;  // the transfer dialog shows the slots as they are read
};

struct StatusResult {
    int model = 0;
    bool supported = true;
    int validPanels = 0;
    int validALogs = 0;
    QString program;  // "AME"
    QString version;  // "AMF"
};

// What the window does while the read runs, in this order: the model once, then for each
// bank read a start and an end, then, when every bank of a kind was read, that kind's end.
class StatusReadView {
public:
    virtual ~StatusReadView() = default;
    virtual void modelRead(int model, bool supported) = 0;
    // Locations bank * perBank + 1 ... + perBank are about to be read.
    virtual void bankStarting(SlotRow row, int bank, int perBank) = 0;
    // Their occupancy is in the store (PanelOccupied, ALogOccupied).
    virtual void bankRead(SlotRow row, int bank) = 0;
    virtual void allBanksRead(SlotRow row) = 0;
};

// Opens the port (a port that does not open shows up at the first command; a cancel ends
// the read), identifies the model, reads the occupancy of the requested banks into the
// store, selects location 1 of both memories, asks for program and version, and closes the
// port. Raises LinkError; the transfer dialog is then still loaded.
StatusResult ReadInstrumentStatus(LinkContext& l, const StatusRequest& request, StatusReadView& view);

} // namespace tovu::link
