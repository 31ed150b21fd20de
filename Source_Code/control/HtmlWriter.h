// The control's own HTML: a table of an array's elements and a whole page around such a
// table, as fixed upper-case mark-up with CR LF line ends.
#pragma once

#include "platform/automation/SafeArray.h"

#include <QString>
#include <cstdint>

namespace tovu::control {

namespace automation = tovu::platform::automation;

// The table attributes every HTML method takes, in the order the caller passes them.
struct HtmlTableArgs {
    std::int32_t tableAlign = 1;
    QString background;
    QString backgroundColor;
    std::int16_t border = 0;
    QString borderColor;
    std::int16_t cellSpacing = 0;
    std::int16_t cellPadding = 0;
    std::int16_t widthPct = 100;
    std::int32_t cellAlign = 2;
    bool wrapCellData = false;
    bool boldFirstRow = false;
    bool boldFirstColumn = false;  // two-dimensional tables only
};

struct HtmlPageArgs {
    QString heading;
    QString title;
    QString background;
    QString backgroundColor;
};

// Cell texts are written as they are, so callers may put mark-up of their own in a cell.
// Raises when an element has no text form.
QString oneDArrayHtmlTable(const automation::SafeArray& array, const HtmlTableArgs& args);
QString twoDArrayHtmlTable(const automation::SafeArray& array, const HtmlTableArgs& args);
// The page around table, ending in two CR LF pairs.
QString htmlPage(const QString& table, const HtmlPageArgs& page);
// Writes text to path in the ANSI code page, replacing the file; raises when it cannot.
void writeHtmlFile(const QString& path, const QString& text);

} // namespace tovu::control
