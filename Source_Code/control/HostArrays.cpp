#include "control/HostArrays.h"

#include "control/HostMembers.h"
#include "platform/automation/AutomationError.h"

#include <QString>
#include <limits>

namespace tovu::control {

namespace {

using automation::Variant;

std::int16_t checkedInt16(std::int64_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw automation::AutomationError::standard(automation::ErrorNumber::Overflow);
    return static_cast<std::int16_t>(value);
}

std::int32_t checkedInt32(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw automation::AutomationError::standard(automation::ErrorNumber::Overflow);
    return static_cast<std::int32_t>(value);
}

// The cell number of a grid cell: the row times the grid's column count (read anew for
// every cell) plus the column.
std::int32_t FlexGridCellIndex(const automation::DispatchRef& grid, std::int32_t row, std::int16_t column)
{
    return checkedInt32(std::int64_t{row} * memberOf(grid, QStringLiteral("cols")).toLong() + column);
}

} // namespace

automation::SafeArray sizedArray(std::int64_t rows, std::int64_t columns)
{
    if (rows < 1 || columns < 1 || rows > std::numeric_limits<std::int32_t>::max() ||
        columns > std::numeric_limits<std::int32_t>::max())
        throw automation::AutomationError::standard(automation::ErrorNumber::SubscriptOutOfRange);
    return automation::SafeArray({{0, static_cast<std::int32_t>(rows - 1)}, {0, static_cast<std::int32_t>(columns - 1)}});
}

automation::SafeArray flexGridArray(const automation::DispatchRef& fg, std::int32_t startRow, std::int32_t startCol,
                                    std::int32_t endRow, std::int32_t endCol)
{
    if (endRow == 0)
        endRow = checkedInt32(std::int64_t{memberOf(fg, QStringLiteral("Rows")).toLong()} - 1);
    if (endCol == 0)
        endCol = checkedInt32(std::int64_t{memberOf(fg, QStringLiteral("cols")).toLong()} - 1);
    automation::SafeArray array =
        sizedArray(std::int64_t{endRow} - startRow + 1, std::int64_t{endCol} - startCol + 1);
    const std::int16_t firstCol = checkedInt16(startCol);
    const std::int16_t lastCol = checkedInt16(endCol);
    for (std::int32_t r = startRow; r <= endRow; ++r)
        for (std::int16_t c = firstCol; c <= lastCol; ++c) {
            const Variant text = memberOf(fg, QStringLiteral("Textarray"), {Variant(FlexGridCellIndex(fg, r, c))});
            array.set({r - startRow, c - firstCol}, text);
            if (c == std::numeric_limits<std::int16_t>::max())
                break;
        }
    return array;
}

automation::SafeArray listViewArray(const automation::DispatchRef& lv, bool selectedOnly, bool headings)
{
    const automation::DispatchRef items = objectOf(lv, QStringLiteral("ListItems"));
    const std::int32_t count = memberOf(items, QStringLiteral("Count")).toLong();
    const auto item = [&](std::int32_t k) { return objectOf(items, QStringLiteral("Item"), {Variant(k)}); };
    std::int32_t rows = count;
    if (selectedOnly) {
        rows = 0;
        for (std::int32_t k = 1; k <= count; ++k)
            rows += memberOf(item(k), QStringLiteral("Selected")).toBoolean() ? 1 : 0;
    }
    const automation::DispatchRef headers = objectOf(lv, QStringLiteral("ColumnHeaders"));
    const std::int32_t columns = memberOf(headers, QStringLiteral("Count")).toLong();
    automation::SafeArray array = sizedArray(std::int64_t{rows} + (headings ? 1 : 0), columns);
    std::int32_t row = 0;
    if (headings) {
        for (std::int32_t k = 1; k <= columns; ++k)
            array.set({0, k - 1}, memberOf(objectOf(headers, QStringLiteral("Item"), {Variant(k)}), QStringLiteral("Text")));
        row = 1;
    }
    for (std::int32_t k = 1; k <= count; ++k) {
        const automation::DispatchRef it = item(k);
        if (selectedOnly && !memberOf(it, QStringLiteral("Selected")).toBoolean())
            continue;
        array.set({row, 0}, memberOf(it, QStringLiteral("Text")));
        const std::int32_t m = memberOf(headers, QStringLiteral("Count")).toLong();
        for (std::int32_t s = 1; s <= m - 1; ++s)
            array.set({row, s}, memberOf(it, QStringLiteral("SubItems"), {Variant(s)}));
        ++row;
    }
    return array;
}

// The data grid walk: the grid shows VisibleRows records at a time and Row counts from its
// top, so the first records are read from the visible rows in turn and every later one with
// the last visible row made current again, which moves the grid on by one record.
automation::SafeArray dataGridArray(const automation::DispatchRef& dg, bool headings)
{
    const automation::DispatchRef columns = objectOf(dg, QStringLiteral("Columns"));
    const std::int16_t lastCol = checkedInt16(std::int64_t{memberOf(columns, QStringLiteral("Count")).toLong()} - 1);
    const std::int32_t lastRecord = checkedInt32(std::int64_t{memberOf(dg, QStringLiteral("approxcount")).toLong()} - 1);
    const std::int16_t visible = memberOf(dg, QStringLiteral("VisibleRows")).toInteger();
    automation::SafeArray array = sizedArray(std::int64_t{lastRecord} + 1 + (headings ? 1 : 0), std::int64_t{lastCol} + 1);
    std::int32_t row = 0;
    if (headings) {
        for (std::int16_t c = 0; c <= lastCol; ++c)
            array.set({0, c}, memberOf(objectOf(columns, QStringLiteral("Item"), {Variant(c)}), QStringLiteral("Caption")));
        row = 1;
    }
    std::int16_t cursor = 0;
    for (std::int32_t record = 0; record <= lastRecord; ++record) {
        if (cursor == visible)
            cursor = static_cast<std::int16_t>(visible - 1);
        else if (memberOf(dg, QStringLiteral("VisibleRows")).toInteger() != visible)
            cursor = 0;
        assignMember(dg, QStringLiteral("row"), Variant(cursor));
        ++cursor;
        for (std::int16_t c = 0; c <= lastCol; ++c) {
            assignMember(dg, QStringLiteral("col"), Variant(c));
            array.set({row, c}, memberOf(dg, QStringLiteral("Text")));
        }
        ++row;
    }
    memberOf(dg, QStringLiteral("Scroll"), {Variant(std::int32_t{0}), Variant(-lastRecord)});
    return array;
}

} // namespace tovu::control
