#pragma once
// The thirteen clipboard copy options of the Edit menu, one per section of the settings
// text, and their mask in the settings store ("Clipboard"/"Copy Options", the sum of
// 2^i over the checked options; 8191 all). Option 12, the AGC section, exists only on
// models from 11: for the others it is hidden and the copy leaves it out, whatever its
// check, which is kept for the next item that has the section.

#include "app/display/SettingsAccess.h"

#include <QString>
#include <array>

namespace tovu::reports {

enum CopyOption : int {
    CopyCal = 0,
    CopyAmp,
    CopyTx,
    CopyGates,
    CopyMeas,
    CopyACal,
    CopyUtil,
    CopyVideo,
    CopyPout,
    CopyAws,
    CopyAvg,
    CopyNotes,
    CopyAgc,
};
inline constexpr int kCopyOptionCount = 13;
inline constexpr int kAllCopyOptions = (1 << kCopyOptionCount) - 1;  // 8191
inline constexpr int kFirstAgcModel = 11;

inline const QString kCopyOptionsSection = QStringLiteral("Clipboard");
inline const QString kCopyOptionsKey = QStringLiteral("Copy Options");

// The caption string id of each option (mnuCopyClipBoardOptions 0..12).
inline constexpr std::array<int, kCopyOptionCount> kCopyOptionCaptionIds{534, 535, 536, 537, 538, 539, 540,
                                                                         541, 542, 580, 581, 543, 527};

class CopyOptions {
public:
    bool checked(int option) const { return checked_.at(static_cast<std::size_t>(option)); }
    void setChecked(int option, bool checked) { checked_.at(static_cast<std::size_t>(option)) = checked; }
    // mnuoptall 1 "Select All Options" and 2 "Delete All Options".
    bool selectAllChecked() const { return all_[0]; }
    bool deleteAllChecked() const { return all_[1]; }

    // The AGC option follows the model of the item in hand: shown and enabled from 11.
    void followModel(int modelCode) { agcAvailable_ = modelCode >= kFirstAgcModel; }
    bool agcAvailable() const { return agcAvailable_; }
    // Whether the text holds a section: its check, and for AGC also the model.
    bool includes(int option) const { return checked(option) && (option != CopyAgc || agcAvailable_); }

    int mask() const;
    // Checks option i when bit i is set (start-up).
    void setMask(int mask);
    void load(const display::SettingsAccess& settings);
    void store(display::SettingsAccess& settings) const;

    // The menu handlers: both store the mask.
    void mnuCopyClipBoardOptions_Click(int Index, display::SettingsAccess& settings);
    void mnuoptall_Click(int Index, display::SettingsAccess& settings);

private:
    std::array<bool, kCopyOptionCount> checked_{};
    std::array<bool, 2> all_{};
    bool agcAvailable_ = false;
};

} // namespace tovu::reports
