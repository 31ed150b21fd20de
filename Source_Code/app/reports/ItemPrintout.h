#pragma once
// The printed page of one item: title, model and date, the five notes, a first group of
// settings beside the framed A-scan picture, four columns of settings groups and the
// memo. The page is laid out as primitives in millimetres from the printable area's top
// left corner, in the manner of a printer with a current position: printing a text puts
// its top at the current height and moves to the next line. PrintRender paints them.

#include "app/items/DFDRecord.h"
#include "app/items/StringSource.h"

#include <QString>
#include <variant>
#include <vector>

namespace tovu::reports {

inline const QString kPrintFont = QStringLiteral("Arial");

struct PrintText {
    double x;
    double y;  // top of the text
    QString text;
    double points;
    bool bold = false;
    bool operator==(const PrintText&) const = default;
};
struct PrintFrame {  // an outline in black
    double left, top, right, bottom;
    bool operator==(const PrintFrame&) const = default;
};
struct PrintPicture {  // the item's A-scan
    double left, top, width, height;
    bool operator==(const PrintPicture&) const = default;
};
using PrintPrimitive = std::variant<PrintText, PrintFrame, PrintPicture>;

struct PrintPage {
    std::vector<PrintPrimitive> primitives;
    // One line per primitive for tests: text 10.00 24.87 12 b "Label : x".
    QStringList dump() const;
};

// The height of a line of text of a size, in millimetres (the font's cell height and
// its leading, as the printer advances).
double lineHeightMm(double points);

// The memo split into the printed lines: pieces separated by single blanks gathered
// while their letters stay below 80, each line beginning with a blank. A piece of 80
// letters or more is broken into lines of 79 so that the wrap always advances.
QStringList memoLines(const QString& memo);

// The page of WorkItems record n (n is printed in the title).
PrintPage PrintItem(const items::DFDRecord& record, int n, const QString& modelCaption, const QString& dateCaption,
                    const items::StringSource& strings, double printableWidthMm);

} // namespace tovu::reports
