#include "app/mainwindow/CaptionTable.h"

#include "app/resources/StringIds.h"

namespace tovu::mainwindow {

namespace ids = resources::ids;

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
    // Added texts: not every table holds the libraries' own 190 to 192.
    {"mnuAlogPictureType", ids::PictureTypeMenu},
    {"mnuPictureMetafile", ids::PictureMetafileMenu},
    {"mnuPictureBitmap", ids::PictureBitmapMenu},
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
    // The erase commands' texts of the libraries' own ids are English in every table.
    {"MnuErasePanels", ids::ErasePanelsMenu},
    {"MnuEraseALOGS", ids::EraseALogsMenu},
    {"PopUpmnuRecallItem", 552},
    {"PopUpmnuDeleteItem", 553},
    {"mnuEraseMemory", ids::EraseMemoryMenu},
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

// Items 5 to 8 are named by added texts: most tables lack the libraries' own 55 to 58.
constexpr std::array<int, 9> kLanguageCaptionIds = {50, 51, 52, 53, 54, ids::FinnishItem, ids::RussianItem,
                                                     ids::PolishItem, ids::ChineseItem};

constexpr const char* kLanguageCodes[] = {"809", "40C", "407", "40A", "409", "809", "419", "809", "804"};
constexpr int kFinnishItem = 5;
constexpr int kPolishItem = 7;

} // namespace

std::span<const Caption> menuCaptions() { return kMenus; }
std::span<const Caption> noteCaptions() { return kNotes; }
const std::array<int, 13>& copyOptionCaptionIds() { return kCopyOptionIds; }
std::span<const Tooltip> toolbarTooltips() { return kTooltips; }
const std::array<int, 9>& languageCaptionIds() { return kLanguageCaptionIds; }

const char* localeCodeOfLanguageItem(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kLanguageCodes)))
        return "809";
    return kLanguageCodes[index];
}

int languageItemOfUserLocale(const QString& code)
{
    // Finnish and Polish select another library; their user locales still name them.
    if (code.compare(QLatin1String("40B"), Qt::CaseInsensitive) == 0)
        return kFinnishItem;
    if (code.compare(QLatin1String("415"), Qt::CaseInsensitive) == 0)
        return kPolishItem;
    for (int i = 0; i < static_cast<int>(std::size(kLanguageCodes)); ++i)
        if (code.compare(QLatin1String(kLanguageCodes[i]), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace tovu::mainwindow
