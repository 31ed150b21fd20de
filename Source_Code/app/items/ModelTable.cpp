#include "app/items/ModelTable.h"

#include "platform/text/NumberText.h"

namespace tovu::items {

using namespace platform::text;

namespace {
// Codes 7 and 20 share a name; code 35 has two blanks before its number.
constexpr const char* kModelNames[kModelCount] = {
    "UNKNOWN MODEL", "VELTRIS 120",  "VELTRIS 130",  "VELTRIS 230",  "KORAVEL 330",
    "KORAVEL 335",   "BRENTIS 400",  "TOLVANE 125",  "QMR400",       "QMR300",
    "HJV-244",       "VELTRIS 140",  "VELTRIS 240",  "KORAVEL 340",  "QMR450",
    "QMR500",        "KORAVEL 333",  "TL125 LCD",    "TL125",        "VELTRIS 123W",
    "TOLVANE 125",   "VELTRIS 150",  "VELTRIS 160",  "VELTRIS 250",  "KORAVEL 350",
    "KORAVEL 380",   "MIRELD 410",   "BRENTIS 450",  "ZANDO 701",    "ZANDO 705",
    "QMR 600",       "QMR 700",      "QMR 800",      "Darvo Dev",    "TOLVANE 150",
    "VELTRIS  140",  "VELTRIS D-10", "VELTRIS D-20", "HJV-615",      "HJV-625",
    "HJV-635",       "HJV-638",      "Sorvan Dev",
};
} // namespace

void InitModelNames(ModelNameTable& ModelNames)
{
    for (int i = 0; i < kModelCount; ++i)
        ModelNames[static_cast<std::size_t>(i)] = QString::fromLatin1(kModelNames[i]);
}

ModelNameTable makeModelNames()
{
    ModelNameTable t;
    InitModelNames(t);
    return t;
}

std::int16_t GetModelResourceBase(int model)
{
    switch (model) {
    case 1: case 2: case 3: case 8: case 9: case 10: case 11: case 12: case 14: case 15:
        return 1000;
    case 5:
        return 2000;
    case 6:
        return 2500;
    case 7: case 17: case 18:
        return 3000;
    default:
        return 1500;
    }
}

int settingLabelId(int base, int offset)
{
    return base + offset;
}

int choiceLabelId(int base, int offset, const QString& value)
{
    // Clamped so that a hostile stored value cannot overflow the id arithmetic; such a
    // value names a row far outside every block and so finds no text.
    return base + offset + roundClamped(valueOfText(value), -1000000, 1000000) + 1;
}

QString settingLabel(const StringLookup& lookup, int base, int offset)
{
    return lookup(settingLabelId(base, offset));
}

QString choiceLabel(const StringLookup& lookup, int base, int offset, const QString& value)
{
    return lookup(choiceLabelId(base, offset, value));
}

} // namespace tovu::items
