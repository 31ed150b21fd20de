#pragma once
// The instrument's privileges: how many of the first panel and ALog locations are
// restricted, and supervisor or operator mode. PrivilegesState is the privileges window
// without its widgets (the three texts, the label colours, the Apply state); the window
// in forms/ shows it. mnuSetPrivilege_Click reads the three settings and opens the window.

#include "app/link/TransferHost.h"

#include <QString>
#include <functional>
#include <vector>

namespace tovu::link {

// The window holds 20 panel labels and 100 ALog labels.
constexpr int kPrivilegePanelLabels = 20;
constexpr int kPrivilegeALogLabels = 100;
constexpr int kSupervisorLevel = 10;
constexpr int kRestrictedColour = 255;  // red
constexpr int kFullAccessColour = 65280;  // green

class PrivilegesState {
public:
    // The instrument's counts, as the last identification left them.
    PrivilegesState(int maxPanels, int maxALogs);

    void setToSend(const QString& panelLimit, const QString& alogLimit, const QString& privilegeLevel);

    // Form_Load: labels captioned, coloured, the option chosen by the level (which
    // stores "10" or "0" and enables Apply).
    void Form_Load();
    void PanelLbl_Click(int index);
    void AlogLbl_Click(int index);
    void OptionPrivilege_Click(int index);

    // Labels that exist: min(count, labels of the window).
    int panelLabels() const { return panelLabels_; }
    int alogLabels() const { return alogLabels_; }
    // Colour value of label i (1..labels): 255 restricted, 65280 full access.
    int panelColour(int i) const { return panelColours_.at(static_cast<std::size_t>(i)); }
    int alogColour(int i) const { return alogColours_.at(static_cast<std::size_t>(i)); }
    int selectedOption() const { return option_; }  // 0 supervisor, 1 operator

    QString PanelLimit, AlogLimit, PrivilegeLevel;
    bool applyEnabled = false;

private:
    static std::vector<int> colour(const QString& limit, int labels);

    int panelLabels_, alogLabels_;
    std::vector<int> panelColours_, alogColours_;
    int option_ = 1;
};

// The restriction picture of one kind: labels 1..labels, the first n red, the rest green,
// n the limit text's leading number rounded half to even and held to 0..labels.
std::vector<int> restrictionColours(const QString& limit, int labels);

// ApplyButton_Click: "WAR", "WSR", "WZZ" with the three texts inside one connection.
// Failures show one box titled "ApplyButtonError" and close the link; Apply stays
// enabled. True when written.
bool applyPrivileges(LinkContext& ctx, LinkDialogs& dialogs, PrivilegesState& state,
                     const std::function<void(bool)>& setBusy);

// The menu command: reads "RAR", "RSR", "RZZ" with the wait window (string 564) up, and
// opens the window through showWindow unless "RSR" answered "N/A" (string 565).
// Failures show one box titled "Set Prives Error".
void mnuSetPrivilege_Click(TransferEnv& env, PrivilegesState& state,
                           const std::function<void(PrivilegesState&)>& showWindow);

inline const QString kSetPrivesError = QStringLiteral("Set Prives Error");
inline const QString kApplyButtonError = QStringLiteral("ApplyButtonError");

} // namespace tovu::link
