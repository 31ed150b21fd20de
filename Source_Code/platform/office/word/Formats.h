#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>
#include <cstdint>

namespace tovu::platform::word {

// Word's numbers for the settings its callers pass, kept as plain values.
enum class Alignment : int { Left = 0, Center = 1, Right = 2, Justify = 3 };
enum class Orientation : int { Portrait = 0, Landscape = 1 };
enum class PageNumberAlignment : int { Left = 0, Center = 1, Right = 2, Inside = 3, Outside = 4 };
enum class BreakType : int { Page = 7, Line = 6, Column = 8 };

// Word's file format numbers for SaveAs.
enum class SaveFormat : int {
    Document97 = 0,  // the old binary format: cannot be written here
    Text = 2,
    TextLineBreaks = 3,
    UnicodeText = 7,
    Html = 8,
    FilteredHtml = 10,
    OpenXml = 12,
    Default = 16,  // Open XML (.docx)
    Pdf = 17,
};

// Colours are Word's 32-bit blue-green-red numbers; automatic is its own value.
constexpr std::int32_t kColorAutomatic = -16777216;
QColor colorFromWord(std::int32_t bgr);
// "RRGGBB" for the file format, or "auto".
QString hexFromWord(std::int32_t bgr);
// Reads "RRGGBB" / "auto" back; automatic when the text is not a colour.
std::int32_t wordFromHex(const QString& hex);

// Text animation values (none, lights, blinking background, sparkle, black ants,
// red ants, shimmer) and their names in the file format.
QString animationName(int animation);
int animationFromName(const QString& name);

struct CharFormat {
    QString name = QStringLiteral("Times New Roman");
    double size = 12.0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    bool emboss = false;
    bool engrave = false;
    bool shadow = false;
    int animation = 0;
    std::int32_t color = kColorAutomatic;
    // Run properties of a foreign file that the model does not read, as their XML.
    QStringList carried;

    bool operator==(const CharFormat&) const = default;
};

struct ParaFormat {
    Alignment alignment = Alignment::Left;
    double spaceBefore = 0.0;  // points
    double spaceAfter = 0.0;   // points
    // Of a foreign file: the line-spacing attributes of its spacing element, and the
    // paragraph properties the model does not read, as their XML.
    std::vector<std::pair<QString, QString>> spacingExtra;
    QStringList carried;

    bool operator==(const ParaFormat&) const = default;
};

// Points and the file format's units.
constexpr int kTwipsPerPoint = 20;
constexpr std::int64_t kEmuPerPoint = 12700;
inline int twips(double points) { return static_cast<int>(points * kTwipsPerPoint + (points >= 0 ? 0.5 : -0.5)); }
inline double pointsFromTwips(double t) { return t / kTwipsPerPoint; }

}  // namespace tovu::platform::word
