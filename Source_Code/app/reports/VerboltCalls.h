#pragma once
// The methods of the document control that the report calls, by dispatch identifier, and
// the one way they are called: errors ignored, as the report runs, so a failing step
// gives an Empty result and the next step runs.

#include "platform/automation/Dispatch.h"

#include <vector>

namespace tovu::reports {

namespace automation = tovu::platform::automation;

struct VerboltMethod {
    const char* name;
    automation::DispId id;
};

inline constexpr VerboltMethod kCreateDocument{"CreateDocument", 0x60030001};
inline constexpr VerboltMethod kInsertBlankLines{"InsertBlankLines", 0x60030009};
inline constexpr VerboltMethod kSwitchToWord{"SwitchToWord", 0x60030021};
inline constexpr VerboltMethod kActivateDocument{"ActivateDocument", 0x60030033};
inline constexpr VerboltMethod kOpenDocument{"OpenDocument", 0x6003004D};
inline constexpr VerboltMethod kUnhideWord{"UnhideWord", 0x6003004F};
inline constexpr VerboltMethod kCloseWord{"CloseWord", 0x60030056};
inline constexpr VerboltMethod kCloseDocument{"CloseDocument", 0x60030057};
inline constexpr VerboltMethod kSaveDocument{"SaveDocument", 0x60030061};
inline constexpr VerboltMethod kTextToWord{"TextToWord", 0x60030074};
inline constexpr VerboltMethod kFlexGridToWordTable{"FlexGridToWordTable", 0x60030089};
inline constexpr VerboltMethod kInsertPicture{"InsertPicture", 0x6003008B};
inline constexpr VerboltMethod kInsertPageBreak{"InsertPageBreak", 0x6003008C};
inline constexpr VerboltMethod kInsertLinkedPicture{"InsertLinkedPicture", 0x6003008D};

// Calls a method of the control with positional arguments; Empty when there is no control
// or the call raised.
automation::Variant callIgnoringErrors(const automation::DispatchRef& control, const VerboltMethod& method,
                                       std::vector<automation::Variant> args = {});

// The 16-bit status of a result; 0 for anything that is not a number.
int statusOf(const automation::Variant& result);

} // namespace tovu::reports
