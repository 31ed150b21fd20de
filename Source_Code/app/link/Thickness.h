#pragma once
// The thickness log: the readings of one block of the instrument's log downloaded line by
// line, and saved as a grid file (one row per reading number, one column per location)
// with the locale's list separator: "," and ".csv" under a decimal point, ";" and ".skv"
// otherwise.

#include "app/link/TransferHost.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tovu::link {

// The readings held for the program's life; a download starts it afresh.
struct ThicknessLog {
    QStringList ThicknessValues;  // one reading line each: block,location,number,zero,velocity,thickness
    int ThicknessCount() const { return static_cast<int>(ThicknessValues.size()); }
};

enum class ThicknessEnd { Complete, TimedOut };

// Sends strToSend and collects six-field lines until "complete"; other lines are skipped.
// Each reading must come within 15 s of the one before (on the steady clock). Line feeds
// are dropped. onReading gets the fields of each reading as it arrives.
ThicknessEnd Get_Thickness(LinkContext& ctx, const QString& strToSend, ThicknessLog& log,
                           const std::function<void(const QStringList&)>& onReading);

struct ThicknessHooks {
    std::function<void(const QString&)> setInfo;         // lblInfo
    std::function<void(const QStringList&)> onReading;   // lblThickVals(0..5)
    std::function<void()> resetValues;                   // lblThickVals(0..5) = "0"
};

// Command1_Click: "WTL0", "WTB" & block, then "ATT0". A timeout shows "ERROR" and keeps
// the readings so far; a link error ends with "Error in download..." and no readings.
// The link is closed in every case. Returns the count of readings held.
int downloadThickness(LinkContext& ctx, LinkDialogs& dialogs, ThicknessLog& log, const QString& block,
                      const ThicknessHooks& hooks);

// The user's decimal separator (GetCurrencySymbol), cut at a NUL.
QString GetCurrencySymbol();

// The file's lines for the readings under decimal separator str_dec.
QStringList thicknessGrid(const QStringList& readings, const QString& str_dec);

// Places one reading into the grid lines (ASIZE: their count).
QStringList Populate_Thickness_Values(QStringList ArraySent, int ASIZE, const QString& strSent,
                                      const QString& File_sep);

// Writes the grid, each line ended by CR LF, through the one atomic write. False when the
// file could not be written, with the reason in *reason.
bool Save_Thickness(const QString& FILENAME, const QString& str_dec, const QStringList& readings,
                    QString* reason = nullptr);

// mnuSave_Click: the no-readings message, the save dialog with the filter of the
// separator, the save and its failure message. chooseFile gets the filter and returns the
// chosen name, or an empty text when cancelled.
bool saveThicknessLog(LinkDialogs& dialogs, const ThicknessLog& log, const QString& decimalSeparator,
                      const std::function<QString(const QString& filter)>& chooseFile);

// A reading's location or number must be a whole number from 1 to this bound to have a
// cell; others are kept but placed nowhere, so no reading can size a huge grid.
constexpr int kMaxThicknessIndex = 1000;
constexpr int kThicknessFields = 6;
constexpr int kThicknessWaitMs = 15000;

inline const QString kCsvFilter = QStringLiteral("Excel CSV Files ( *.csv )| *.csv");
inline const QString kSkvFilter = QStringLiteral("Excel SKV Files ( *.skv )| *.skv");

} // namespace tovu::link
