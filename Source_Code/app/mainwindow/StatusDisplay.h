#pragma once
// The instrument status as the window shows it: the link's status read drawn into the
// memory tree (model, slot captions and ticks), the status report box, the status menu
// commands, and the link's two questions about the instrument's memory (the memory menus
// it offers, and whether items may go for an instrument of another memory size).

#include <QString>
#include <memory>

namespace tovu::link {
struct MemoryMenus;
}

namespace tovu::mainwindow {

class frmmain;
class ReportStatusDialog;

class StatusDisplay {
public:
    // Answers the link's memory hooks for as long as it lives.
    explicit StatusDisplay(frmmain& window);
    ~StatusDisplay();
    StatusDisplay(const StatusDisplay&) = delete;
    StatusDisplay& operator=(const StatusDisplay&) = delete;

    void Current_Status_DFD(bool& GET_ALL_STATUS, bool& GET_PANELS, bool& GET_ALOGS, bool& ShowScreen);
    // Reads the status; when the user let the items go for an instrument of another memory
    // size, the list and the modified mark follow.
    void statusRead(bool all, bool panels, bool alogs, bool show);
    void RE_DRAW_TICKS_ON_PANEL(const QString& START_PANEL, const QString& START_ALOG);
    void DFD_Tick(int item);
    void mnuStatus_Click();
    void mnuOptionsCheckDFDStatus_Click() { mnuStatus_Click(); }
    void mnuScanCurrent_Click();
    // The report box of the last status read (kept for tests to look at).
    ReportStatusDialog* lastStatusReport() const { return lastReport_.get(); }

private:
    class StatusTree;  // the memory tree as the status read shows it

    void applyMemoryMenus(const link::MemoryMenus& m);
    bool approveDiscard(int generation);

    frmmain& w_;
    std::unique_ptr<ReportStatusDialog> lastReport_;
    bool discarded_ = false;
};

} // namespace tovu::mainwindow
