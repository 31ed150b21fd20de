#pragma once
// The load report as the user reads it: how many records were read, the skipped lines
// (file line and reason) up to a limit and a count of the rest, in the chosen language.

#include "app/items/ItemFileReader.h"
#include "app/items/StringSource.h"

#include <QString>

namespace tovu::items {

// String ids of the texts of a load report.
enum LoadReportText : int {
    kRecordsReadText = 6100,      // "%1 records were read from %2."
    kSkippedLinesText = 6101,     // "These lines were skipped:"
    kSkippedLineText = 6102,      // "Line %1: %2"
    kSkippedRangeText = 6103,     // "Lines %1 to %2: %3"
    kMoreSkippedText = 6104,      // "... and %1 more."
    kOpenWhatWasReadText = 6105,  // the question
    kNoRecordText = 6106,         // "%1 holds no panel or ALog record ..."
    kReasonTextBase = 6110,       // + SkipReason, up to BadNumber
    kCutItemText = 6120,          // "%1 %2: the file ends inside this item; %3 ..."
    kCutLineText = 6121,          // "the file ends inside this line; ..."
    kPanelWordText = 6122,        // "Panel"
    kALogWordText = 6123,         // "ALog"
    kCutPartTextBase = 6124,      // + CutPart: what of the item is missing
};

// The parts of an item a cut names in words; any other line is named by its key.
enum class CutPart : int { Trace, DacPoints, TcgPoints, DacCurve, AvgCurve, TcgCurve, Memo, Line };

constexpr int kListedSkips = 20;

QString skipReasonText(const SkippedLines& entry, const StringSource& strings);

// The whole text of the question asked before a load with a report is accepted.
QString loadReportText(const LoadReport& report, const QString& file, const StringSource& strings,
                       int listed = kListedSkips);

} // namespace tovu::items
