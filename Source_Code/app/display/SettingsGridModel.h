#pragma once
// The settings grid as data: rows of five text cells and a style per row, laid out as
// the instrument's menus (a label row of names, then a value row under it). The Qt
// table adapter shows it; the Word report and the clipboard text read it.

#include "app/items/DFDRecord.h"
#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"

#include <QString>
#include <array>
#include <vector>

namespace tovu::display {

enum class GridRowStyle {
    Header,  // row 0: bold
    Label,   // grey background (200, 200, 200); column 0 text blue
    Value,   // default colours
};

class SettingsGridModel {
public:
    static constexpr int kColumns = 5;
    using Row = std::array<QString, kColumns>;

    // Empties the grid to its header row: string 170, then string 171 followed by 1 to 4.
    void InitSettingsGrid(const items::StringSource& strings);

    // Fills the grid from one record under its model's parameter names. The grid takes
    // as many rows as the record's content needs; a cell whose text cannot be made (a
    // failed lookup, an id that does not fit) stays empty and the rest is filled.
    // decimalSeparator writes numbers shown in the general number form.
    void ShowALogSettings(const items::DFDRecord& record, const items::StringSource& strings,
                          const QString& decimalSeparator = QStringLiteral("."));

    // The same for WorkItems[index] of a store; false (the grid keeps its header only)
    // when the index lies outside WorkItems.
    bool ShowALogSettings(const items::ItemStore& store, int index, const items::StringSource& strings,
                          const QString& decimalSeparator = QStringLiteral("."));

    int rowCount() const { return static_cast<int>(rows_.size()); }
    QString text(int row, int column) const;  // empty outside the grid
    GridRowStyle rowStyle(int row) const;
    const std::vector<Row>& rows() const { return rows_; }

    // Column widths in twips for a grid of the given width in twips: 700 for column 0,
    // the rest shared by columns 1 to 4.
    static int columnWidthTwips(int column, int gridWidthTwips);

private:
    std::vector<Row> rows_;
};

} // namespace tovu::display
