#pragma once
// The cursor readout over the A-scan picture: the pointer's position as a distance in
// the item's units and a height in percent of full screen height.

#include "app/items/DFDRecord.h"
#include "app/items/StringSource.h"

#include <QString>
#include <optional>

namespace tovu::display {

struct CursorReadout {
    bool show = false;            // the readout box is shown (the item has a trace)
    std::optional<QString> text;  // new text; none keeps the previous one
};

// X and Y in the picture's own pixels; scaleWidth and scaleHeight its size.
CursorReadout cursorReadout(const items::DFDRecord& item, double X, double Y, double scaleWidth,
                            double scaleHeight, const items::StringSource& strings,
                            const QString& decimalSeparator);

} // namespace tovu::display
