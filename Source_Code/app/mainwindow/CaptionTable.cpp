#include "app/mainwindow/CaptionTable.h"

#include "app/resources/StringIds.h"

namespace tovu::mainwindow {

namespace {

constexpr Caption kMenus[] = {
    {"mnuLanguage", 2},
    {"mnuFile", 101},
    {"mnuOpen", 102},
    {"mnuSave", 103},
    {"mnuExit", 104},
    {"mnuSaveIndividual", 105},
    {"mnuExport", 106},
    {"mnuExportExcel", 107},
    {"mnuExportMatlab", 108},
    {"mnuPrint", 109},
    {"mnuAlogPictureType", 190},
    {"mnuPictureMetafile", 191},
    {"mnuPictureBitmap", 192},
    {"mnuView", 110},
    {"mnuViewALogs", 111},
    {"mnuViewPanels", 112},
    {"mnuLargeIcons", 113},
    {"mnuSmallIcons", 114},
    {"mnuList", 115},
    {"mnuTools", 120},
    {"mnuTerminal", 121},
    {"mnuCommPort", 122},
    {"mnuSuperimpose", 124},
    {"mnuOptions", 127},
    {"mnuThickness", 193},
    {"mnuGetCurrentSettings", 125},
    {"mnuCompactMem", 194},
    {"mnuStatus", 126},
    {"mnuOptionsCheckDFDStatus", 126},
    {"mnuOptionsAlogStyleMinMax", 545},
    {"mnuOptionsAlogStyleSmooth", 546},
    {"mnuAlogStyle", 544},
    {"mnuAlogProperties", 547},
    {"mnuSetPrivilege", 582},
    {"mnuPopUpAscanStyle", 544},
    {"mnuPopUpAscanStyleMinMax", 545},
    {"mnuPopUpAscanStyleSmooth", 546},
    {"mnuPopUpAscanCopy", 531},
    {"mnuAScanProperties", 547},
    {"MnuErasePanels", 197},
    {"MnuEraseALOGS", 198},
    {"PopUpmnuRecallItem", 552},
    {"PopUpmnuDeleteItem", 553},
    {"mnuEraseMemory", 195},
    {"mnuAbout", 554},
    {"mnuTOVUHelp", 3310},
    {"mnuhelp", 3311},
    {"mnuEdit", 530},
    {"mnuCopyAlog", 531},
    {"mnuCopyPanel", 532},
    {"mnuClipBoardOptions", 533},
    // The pop-up menus' own captions follow the language as well.
    {"mnuMemory", resources::ids::MemoryMenu},
    {"mnuPanelMemSelect", 152},
    {"mnuAlogMemSelect2", 153},
    {"mnuAlogMemSelect", 153},
    {"mnuScanCurrent", resources::ids::ScanCurrent},
};

constexpr Caption kNotes[] = {
    {"LabelLbl", 142}, {"OperatorLbl", 143}, {"LocationLbl", 144}, {"ProbeLbl", 145}, {"NotesLbl", 146},
};

constexpr std::array<int, 13> kCopyOptionIds = {534, 535, 536, 537, 538, 539, 540, 541, 542, 580, 581, 543, 527};

constexpr Tooltip kTooltips[] = {
    {1, 200}, {2, 201}, {4, 202}, {6, 205}, {7, 206}, {8, 207},
    {10, 203}, {11, 204}, {12, 210}, {14, 211}, {15, 212}, {16, 213},
};

constexpr const char* kLanguageCodes[] = {"809", "40C", "407", "40A", "409", "809", "419", "809", "804"};

} // namespace

std::span<const Caption> menuCaptions() { return kMenus; }
std::span<const Caption> noteCaptions() { return kNotes; }
const std::array<int, 13>& copyOptionCaptionIds() { return kCopyOptionIds; }
std::span<const Tooltip> toolbarTooltips() { return kTooltips; }

const char* localeCodeOfLanguageItem(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kLanguageCodes)))
        return "809";
    return kLanguageCodes[index];
}

} // namespace tovu::mainwindow
