#include "platform/office/word/TableFormats.h"

#include <algorithm>
#include <array>

namespace tovu::platform::word {

namespace {

// Colours of the looks as 0xRRGGBB; kNone leaves the part alone.
constexpr std::uint32_t kNone = 0xFF000000;
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kNavy = 0x000080, kTeal = 0x008080,
                        kMaroon = 0x800000, kPurple = 0x800080, kRed = 0xFF0000, kYellow = 0xFFFF00,
                        kLightYellow = 0xFFFFCC, kLightGreen = 0xCCFFCC, kPaleBlue = 0x99CCFF,
                        kLightTurquoise = 0xCCFFFF, kLavender = 0xCC99FF, kRose = 0xFF99CC, kTan = 0xFFCC99,
                        kGreen = 0x008000, kGray05 = 0xF3F3F3, kGray10 = 0xE6E6E6, kGray15 = 0xD9D9D9,
                        kGray20 = 0xCCCCCC, kGray25 = 0xC0C0C0, kGray50 = 0x808080;

struct Line {
    const char* style = nullptr;  // none
    int size = 4;
    std::uint32_t rgb = kBlack;
};
constexpr Line kThin{"single", 4};
constexpr Line kThick{"single", 12};
constexpr Line kDouble{"double", 4};
constexpr Line line(const char* style, int size, std::uint32_t rgb) { return Line{style, size, rgb}; }

// How a part of the table looks: background, text colour, emphasis.
struct Part {
    std::uint32_t fill = kNone;
    std::uint32_t text = kNone;
    bool bold = false;
    bool italic = false;
};
constexpr Part kBold{kNone, kNone, true, false};
constexpr Part kItalic{kNone, kNone, false, true};
constexpr Part kBoldItalic{kNone, kNone, true, true};
constexpr Part filled(std::uint32_t fill, std::uint32_t text = kNone, bool bold = false, bool italic = false)
{
    return Part{fill, text, bold, italic};
}

enum class Band { None, Rows, Columns };

// One table format: the table's frame (top and bottom, left and right), its inside lines,
// the heading row, first column, last row and last column with the rule that sets each
// apart, and the body with its banding.
// Every member has its default, so a look names only what it draws.
struct Look {
    Line frameTopBottom{}, frameSides{}, insideH{}, insideV{};
    Part heading{};
    Line headingRule{};  // under the heading row
    Part firstColumn{};
    Line firstColumnRule{};  // right of the first column
    Part lastRow{};
    Line lastRowRule{};  // above the last row
    Part lastColumn{};
    Line lastColumnRule{};  // left of the last column
    Part body{};
    Band band = Band::None;
    Part banded{};  // every second row or column of the body
};

// The looks of formats 1 to 42, in Word's numbering.
const std::array<Look, kTableFormatCount - 1> kLooks = {{
    // Simple 1-3
    {.frameTopBottom = kThin, .headingRule = kThin, .lastRowRule = kThin},
    {.heading = kBoldItalic, .headingRule = kDouble, .firstColumnRule = kThin, .lastRow = kBold, .lastRowRule = kThin},
    {.frameTopBottom = kThin, .heading = filled(kBlack, kWhite, true), .lastRow = kBold},
    // Classic 1-4
    {.frameTopBottom = kThick, .heading = kItalic, .headingRule = kThin, .firstColumnRule = kThin, .lastRow = kBold,
     .lastRowRule = kThin},
    {.frameTopBottom = kThick, .frameSides = kThick, .heading = filled(kPurple, kWhite, true, true),
     .firstColumnRule = kThin, .lastRow = kBold, .lastRowRule = kThin},
    {.frameTopBottom = kThin, .frameSides = kThin, .insideH = kThin, .insideV = kThin,
     .heading = filled(kNavy, kWhite, true), .firstColumn = kItalic, .body = filled(kGray15)},
    {.frameTopBottom = kThick, .insideV = kThin, .heading = filled(kGray25, kNone, true), .headingRule = kDouble,
     .firstColumn = kBold},
    // Colorful 1-3
    {.frameTopBottom = kThick, .heading = filled(kBlack, kWhite, true, true), .firstColumn = kBold,
     .body = filled(kTeal, kWhite)},
    {.frameTopBottom = kThin, .heading = filled(kRed, kYellow, true, true), .lastRow = kBold,
     .body = filled(kLightYellow)},
    {.frameTopBottom = line("single", 12, kNavy), .frameSides = line("single", 12, kNavy), .insideH = kThin,
     .insideV = kThin, .heading = filled(kTeal, kWhite, true), .firstColumn = filled(kTeal, kWhite, true),
     .body = filled(kLightTurquoise)},
    // Columns 1-5
    {.heading = kBoldItalic, .headingRule = kThin, .band = Band::Columns, .banded = filled(kGray15)},
    {.heading = filled(kNavy, kWhite, true), .lastRow = kBold, .band = Band::Columns, .banded = filled(kPaleBlue)},
    {.insideV = kThin, .heading = filled(kTeal, kWhite, true), .firstColumn = filled(kTeal, kWhite, true),
     .band = Band::Columns, .banded = filled(kLightTurquoise)},
    {.heading = filled(kMaroon, kWhite, true), .lastColumn = kBold, .band = Band::Columns, .banded = filled(kRose)},
    {.frameSides = kThick, .insideV = kThin, .heading = kBoldItalic, .headingRule = kThin, .lastColumn = kBold},
    // Grid 1-8
    {.frameTopBottom = kThin, .frameSides = kThin, .insideH = kThin, .insideV = kThin, .heading = kBoldItalic,
     .firstColumn = kBold, .lastRow = kBold},
    {.frameTopBottom = kThin, .frameSides = kThin, .insideH = kThin, .insideV = kThin, .heading = kBold,
     .headingRule = kDouble},
    {.frameTopBottom = kThick, .frameSides = kThin, .insideH = kThin, .insideV = kThin, .heading = kBold,
     .firstColumn = kBold},
    {.frameTopBottom = kThin, .frameSides = kThin, .insideH = kThin, .insideV = kThin,
     .heading = filled(kGray25, kNone, true), .firstColumn = filled(kGray10)},
    {.frameTopBottom = kThick, .frameSides = kThick, .insideH = kThin, .insideV = kThin, .heading = kBold,
     .headingRule = kThick, .firstColumnRule = kThick},
    {.frameTopBottom = kThin, .frameSides = kThin, .insideH = kThin, .insideV = kThin,
     .heading = filled(kBlack, kWhite, true), .lastRow = filled(kGray20, kNone, true)},
    {.frameTopBottom = kThin, .frameSides = kThin, .insideH = kThin, .insideV = kThin,
     .heading = filled(kTeal, kWhite, true, true), .firstColumn = filled(kLightTurquoise, kNone, true)},
    {.frameTopBottom = line("single", 4, kNavy), .frameSides = line("single", 4, kNavy),
     .insideH = line("single", 4, kNavy), .insideV = line("single", 4, kNavy), .heading = filled(kNavy, kWhite, true),
     .body = filled(kNone, kNavy)},
    // List 1-8
    {.frameTopBottom = kThick, .heading = kBoldItalic, .headingRule = kThin, .band = Band::Rows,
     .banded = filled(kGray10)},
    {.frameTopBottom = kThin, .heading = kBold, .headingRule = kThick, .lastRow = kBold, .lastRowRule = kDouble,
     .band = Band::Rows, .banded = filled(kLightGreen)},
    {.frameTopBottom = kThin, .heading = filled(kNavy, kWhite, true), .band = Band::Rows, .banded = filled(kGray15)},
    {.insideH = line("single", 4, kTeal), .heading = filled(kTeal, kWhite, true), .firstColumn = kBold,
     .band = Band::Rows, .banded = filled(kLightTurquoise)},
    {.frameTopBottom = kThick, .frameSides = kThick, .heading = filled(kBlack, kWhite, true), .firstColumn = kBold,
     .band = Band::Rows, .banded = filled(kTan)},
    {.heading = filled(kMaroon, kWhite, true), .firstColumnRule = kThin, .band = Band::Rows, .banded = filled(kRose)},
    {.frameTopBottom = kDouble, .heading = filled(kLavender, kPurple, true), .band = Band::Rows,
     .banded = filled(kLightYellow)},
    {.frameTopBottom = kThick, .insideV = kThin, .heading = filled(kPurple, kWhite, true, true), .band = Band::Rows,
     .banded = filled(kLavender)},
    // 3D effects 1-3
    {.frameTopBottom = line("outset", 12, kGray50), .frameSides = line("outset", 12, kGray50),
     .insideH = line("inset", 4, kGray50), .insideV = line("inset", 4, kGray50), .heading = kBold,
     .body = filled(kGray25)},
    {.frameTopBottom = line("outset", 18, kGray50), .frameSides = line("outset", 18, kGray50),
     .insideH = line("inset", 6, kGray50), .insideV = line("inset", 6, kGray50),
     .heading = filled(kGray50, kWhite, true), .firstColumn = kBold, .body = filled(kGray25)},
    {.frameTopBottom = line("outset", 12, kGray50), .frameSides = line("outset", 12, kGray50),
     .insideH = line("inset", 4, kGray50), .insideV = line("inset", 4, kGray50),
     .heading = filled(kNavy, kWhite, true, true), .firstColumn = filled(kGray50, kWhite, true),
     .body = filled(kGray25)},
    // Contemporary, Elegant, Professional
    {.insideH = line("single", 12, kWhite), .insideV = line("single", 12, kWhite),
     .heading = filled(kBlack, kWhite, true), .firstColumn = kBold, .body = filled(kGray15), .band = Band::Rows,
     .banded = filled(kGray25)},
    {.frameTopBottom = kDouble, .frameSides = kDouble, .insideV = kThin, .heading = kBoldItalic,
     .headingRule = kThin},
    {.frameTopBottom = kThin, .frameSides = kThin, .insideH = kThin, .insideV = kThin,
     .heading = filled(kBlack, kWhite, true)},
    // Subtle 1-2
    {.heading = kBold, .headingRule = line("single", 4, kGreen), .firstColumn = kBold, .lastRow = kBold,
     .lastRowRule = kThin, .band = Band::Rows, .banded = filled(kLightGreen)},
    {.heading = kBold, .headingRule = kThin, .firstColumn = filled(kPaleBlue, kNone, true), .firstColumnRule = kThin},
    // Web 1-3
    {.frameTopBottom = line("outset", 6, kGray50), .frameSides = line("outset", 6, kGray50),
     .insideH = line("inset", 6, kGray50), .insideV = line("inset", 6, kGray50), .heading = kBold},
    {.frameTopBottom = line("outset", 18, kGray50), .frameSides = line("outset", 18, kGray50),
     .insideH = line("inset", 6, kGray50), .insideV = line("inset", 6, kGray50), .heading = kBoldItalic},
    {.frameTopBottom = line("outset", 12, kGray50), .frameSides = line("outset", 12, kGray50),
     .insideH = line("inset", 12, kGray50), .insideV = line("inset", 12, kGray50),
     .heading = filled(kGray25, kNone, true), .body = filled(kGray10)},
}};

// Word's blue-green-red number of an RGB colour.
std::int32_t wordColor(std::uint32_t rgb)
{
    return static_cast<std::int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

// Without colour a look is drawn in greys of the same lightness.
std::uint32_t greyOf(std::uint32_t rgb)
{
    const double r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    const auto level = static_cast<std::uint32_t>(0.299 * r + 0.587 * g + 0.114 * b + 0.5);
    return level << 16 | level << 8 | level;
}

bool isLight(std::uint32_t rgb) { return greyOf(rgb) > 0xC0C0C0; }

BorderLine borderOf(const Line& l, bool color)
{
    if (!l.style)
        return {};
    return BorderLine{QLatin1String(l.style), l.size, color ? wordColor(l.rgb) : kColorAutomatic};
}

enum class Role { Body, Banded, Heading, FirstColumn, LastRow, LastColumn };

const Part& partOf(const Look& look, Role role)
{
    switch (role) {
    case Role::Heading: return look.heading;
    case Role::FirstColumn: return look.firstColumn;
    case Role::LastRow: return look.lastRow;
    case Role::LastColumn: return look.lastColumn;
    case Role::Banded: return look.banded;
    case Role::Body: break;
    }
    return look.body;
}

void paintCell(TableCell& cell, const Part& part, const TableFormatOptions& o)
{
    const bool filled = o.shading && part.fill != kNone;
    if (filled)
        cell.shading = wordColor(o.color ? part.fill : greyOf(part.fill));
    if (part.text != kNone) {
        // Light text only where its dark background is drawn too; without colour, the
        // text is black or white.
        const bool light = isLight(part.text);
        if (light && !filled)
            cell.fontColor = kColorAutomatic;
        else if (o.color)
            cell.fontColor = wordColor(part.text);
        else
            cell.fontColor = light ? wordColor(kWhite) : kColorAutomatic;
    }
    if (o.font) {
        cell.bold = part.bold;
        cell.italic = part.italic;
    }
}

}  // namespace

void applyTableFormat(TableModel& table, const TableFormatOptions& o)
{
    table.format = o.format;
    table.autoFit = o.autoFit;
    if (o.format <= 0 || o.format >= kTableFormatCount)
        return;
    const Look& look = kLooks.at(static_cast<std::size_t>(o.format - 1));
    const bool heading = o.headingRows && table.rows > 0;
    const bool lastRow = o.lastRow && table.rows > 1;
    const bool firstColumn = o.firstColumn && table.columns > 0;
    const bool lastColumn = o.lastColumn && table.columns > 1;
    if (heading)
        table.headingRows = 1;
    if (o.borders) {
        table.lines.top = table.lines.bottom = borderOf(look.frameTopBottom, o.color);
        table.lines.left = table.lines.right = borderOf(look.frameSides, o.color);
        table.lines.insideH = borderOf(look.insideH, o.color);
        table.lines.insideV = borderOf(look.insideV, o.color);
    }
    bool anyEdge = false;
    for (int r = 0; r < table.rows; ++r)
        for (int c = 0; c < table.columns; ++c) {
            TableCell& cell = table.cell(r, c);
            const bool inHeading = heading && r == 0;
            const bool inLastRow = lastRow && r == table.rows - 1;
            const bool inFirstColumn = firstColumn && c == 0;
            const bool inLastColumn = lastColumn && c == table.columns - 1;
            const int bandRow = r - (heading ? 1 : 0);
            const int bandColumn = c - (firstColumn ? 1 : 0);
            const bool banded = (look.band == Band::Rows && bandRow % 2 == 1) ||
                                (look.band == Band::Columns && bandColumn % 2 == 1);
            // The heading row wins over the columns, the last row over the body.
            const Role role = inHeading       ? Role::Heading
                              : inLastRow     ? Role::LastRow
                              : inFirstColumn ? Role::FirstColumn
                              : inLastColumn  ? Role::LastColumn
                              : banded        ? Role::Banded
                                              : Role::Body;
            paintCell(cell, look.body, o);
            if (role != Role::Body)
                paintCell(cell, partOf(look, role), o);
            if (!o.borders)
                continue;
            if (inHeading)
                cell.edges.bottom = borderOf(look.headingRule, o.color);
            if (inLastRow)
                cell.edges.top = borderOf(look.lastRowRule, o.color);
            if (inFirstColumn)
                cell.edges.right = borderOf(look.firstColumnRule, o.color);
            if (inLastColumn)
                cell.edges.left = borderOf(look.lastColumnRule, o.color);
            anyEdge = anyEdge || cell.edges.any();
        }
    table.borders = o.borders && (table.lines.any() || anyEdge);
}

CharFormat cellRunFormat(const TableCell& cell)
{
    CharFormat f = cell.font;
    f.bold = f.bold || cell.bold;
    f.italic = f.italic || cell.italic;
    if (cell.fontColor != kColorAutomatic)
        f.color = cell.fontColor;
    return f;
}

bool hasPlainBorders(const TableModel& t)
{
    return t.borders && !t.lines.any() &&
           std::none_of(t.cells.begin(), t.cells.end(), [](const TableCell& c) { return c.edges.any(); });
}

TableBorders drawnTableLines(const TableModel& t)
{
    if (!t.borders)
        return {};
    if (!hasPlainBorders(t))
        return t.lines;
    const BorderLine single{QStringLiteral("single"), 4, kColorAutomatic};
    return TableBorders{single, single, single, single, single, single};
}

CellBorders drawnCellBorders(const TableModel& t, int row, int column)
{
    if (!t.borders)
        return {};
    const TableBorders lines = drawnTableLines(t);
    const TableCell& cell = t.cell(row, column);
    auto pick = [](const BorderLine& own, const BorderLine& facing, const BorderLine& table) {
        return !own.isNone() ? own : !facing.isNone() ? facing : table;
    };
    const BorderLine none;
    CellBorders b;
    b.top = pick(cell.edges.top, row > 0 ? t.cell(row - 1, column).edges.bottom : none,
                 row == 0 ? lines.top : lines.insideH);
    b.bottom = pick(cell.edges.bottom, row + 1 < t.rows ? t.cell(row + 1, column).edges.top : none,
                    row + 1 == t.rows ? lines.bottom : lines.insideH);
    b.left = pick(cell.edges.left, column > 0 ? t.cell(row, column - 1).edges.right : none,
                  column == 0 ? lines.left : lines.insideV);
    b.right = pick(cell.edges.right, column + 1 < t.columns ? t.cell(row, column + 1).edges.left : none,
                   column + 1 == t.columns ? lines.right : lines.insideV);
    return b;
}

}  // namespace tovu::platform::word
