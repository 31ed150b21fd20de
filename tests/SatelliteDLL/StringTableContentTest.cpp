// What each shipped string table holds: exact id sets, the model blocks' layout, and the
// texts the program's own table must carry verbatim.
#include "TableFiles.h"
#include "app/resources/StringIds.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace tovu::satellite::test;

namespace {

using Ranges = std::vector<std::pair<int, int>>;

std::set<int> idsOf(const Ranges& ranges)
{
    std::set<int> ids;
    for (const auto& [from, to] : ranges)
        for (int i = from; i <= to; ++i)
            ids.insert(i);
    return ids;
}

std::set<int> keysOf(const std::map<int, std::string>& table)
{
    std::set<int> ids;
    for (const auto& entry : table)
        ids.insert(entry.first);
    return ids;
}

const Ranges kMessageRuns = {{500, 521}, {525, 527}, {530, 566}, {570, 574}, {580, 587}, {600, 604},
                             {6200, 6213}};  // the report dialog, range progress and failure texts
const Ranges kFiveBlocks = {{999, 1309}, {1499, 1809}, {1999, 2309}, {2499, 2809}, {2999, 3311}};
// The texts of the load report of a damaged or cut item file and of an export without a trace.
const Ranges kItemFileTexts = {{6100, 6107}, {6110, 6116}, {6120, 6131}};

// The id set of a library table: the German set with the listed replacements and extras.
std::set<int> librarySet(std::pair<int, int> languages, Ranges uploadRuns, bool volts1900, bool newModels,
                         Ranges extra = {})
{
    Ranges r = {{1, 2}, languages, {101, 115}, {120, 127}, {130, 130}, {140, 146}, {150, 154}, {158, 168},
                {170, 174}};
    r.insert(r.end(), uploadRuns.begin(), uploadRuns.end());
    r.insert(r.end(), kMessageRuns.begin(), kMessageRuns.end());
    r.insert(r.end(), kFiveBlocks.begin(), kFiveBlocks.end());
    r.insert(r.end(), kItemFileTexts.begin(), kItemFileTexts.end());
    r.insert(r.end(), extra.begin(), extra.end());
    if (volts1900)
        r.push_back({1900, 1908});
    if (newModels) {
        r.push_back({4999, 5308});
        r.push_back({5400, 5408});
    }
    return idsOf(r);
}

std::map<std::string, std::set<int>> expectedSets()
{
    Ranges own = {{1, 2},     {50, 58},   {70, 71},    {101, 115},   {120, 132},   {140, 146},
                  {150, 154}, {170, 174}, {180, 198},  {200, 208},   {210, 213},   {900, 910},
                  {1900, 1908}, {4999, 5308}, {5400, 5408}};
    own.insert(own.end(), kMessageRuns.begin(), kMessageRuns.end());
    own.insert(own.end(), kFiveBlocks.begin(), kFiveBlocks.end());
    own.insert(own.end(), kItemFileTexts.begin(), kItemFileTexts.end());
    std::map<std::string, std::set<int>> sets = {
        {"own", idsOf(own)},
        {"407", librarySet({50, 54}, {{180, 194}}, true, false)},
        {"40c", librarySet({50, 54}, {{180, 194}}, true, false)},
        {"419", librarySet({50, 57}, {{180, 198}}, false, false)},
        {"409", librarySet({50, 59}, {{180, 194}}, true, true)},
        {"40b", librarySet({50, 54}, {{180, 189}}, false, false)},
        {"809", librarySet({50, 58}, {{180, 194}}, true, true, {{70, 71}})},
        {"40a", librarySet({50, 54}, {{180, 189}, {193, 194}}, true, false)},
    };
    // Texts added later to every table, each feature its own run.
    const Ranges added = {{6150, 6154},   // instrument refusals and a lost instrument
                          {6140, 6149},   // refusals in operator words: kept points, titles, parts
                          {6155, 6157},
                          {6180, 6181}};  // the live read's closing message
    for (auto& [name, ids] : sets)
        for (const int id : idsOf(added))
            ids.insert(id);
    return sets;
}

// Offsets of a block that carry a label of their own (base-1000 layout).
const std::map<int, std::string> kBlock1000 = {
    {0, "CAL"}, {1, "Range"}, {2, "Delay"}, {3, "Vel"}, {4, "Zero"}, {5, "Gain"}, {6, "Ref"}, {10, "AMP"},
    {20, "Freq"}, {21, "1 MHz"}, {22, "2 MHz"}, {23, "5 MHz"}, {24, "10 MHz"}, {25, "15 Mhz"}, {26, "Wide"},
    {30, "Detect"}, {31, "-Ve HW"}, {32, "+Ve HW"}, {33, "Full"}, {34, "RF"}, {40, "Reject"}, {41, "Contour"},
    {50, "TX"}, {51, "Tx Width"}, {60, "Damping"}, {61, "50 Ohms"}, {62, "100 Ohms"}, {63, "180 Ohms"},
    {64, "400 Ohms"}, {70, "Tx Mode"}, {71, "Single"}, {72, "Double"}, {75, "Volts"}, {76, "200v"},
    {77, "400v"}, {80, "PRF MAX"}, {81, "1000 Hz"}, {82, "500 Hz"}, {83, "250 Hz"}, {84, "150 Hz"},
    {85, "70 Hz"}, {86, "35 Hz"}, {90, "GATE"}, {91, "Start"}, {92, "Width"}, {93, "Level"}, {94, "State"},
    {100, "State"}, {101, "OFF"}, {102, "On +Ve"}, {103, "On -Ve"}, {104, "Expand"}, {110, "MEAS"},
    {111, "Meas Mode"}, {112, "Monitor"}, {113, "Depth"}, {114, "E-E"}, {115, "Trig"}, {116, "G1-G2"},
    {120, "Trig Mode"}, {121, "Flank"}, {122, "Peak"}, {130, "HUD"}, {131, "OFF"}, {132, "Distance"},
    {133, "Peak"}, {140, "T-Min"}, {141, "OFF"}, {142, "On"}, {150, "Blank"}, {151, "Angle"}, {152, "Thick"},
    {153, "X_Off"}, {160, "A_CAL"}, {161, "Dist1"}, {162, "Dist2"}, {170, "UTIL"}, {171, "Units"},
    {172, "mm"}, {173, "in"}, {174, "us"}, {180, "Click"}, {181, "OFF"}, {182, "On"}, {190, "Alarm"},
    {191, "Mute"}, {192, "Audible"}, {200, "Smooth"}, {201, "OFF"}, {202, "On"}, {210, "VIDEO"},
    {211, "Colour"}, {212, "Bright"}, {213, "Video"}, {214, "PAL"}, {215, "NTSC"}, {216, "Contrast"},
    {217, "Backlight"}, {218, "On"}, {219, "Off"}, {220, "Graticule"}, {221, "OFF"}, {222, "Full"},
    {223, "Sparse"}, {224, "50%"}, {225, "50%+"}, {226, "50%++"}, {230, "P_O/P"}, {231, "Mode"},
    {232, "Off"}, {233, "50 Hz"}, {234, "100 Hz"}, {240, "O/P 1"}, {241, "OFF"}, {242, "Depth 1"},
    {243, "Depth 2"}, {244, "E1-E2"}, {250, "O/P 2"}, {251, "Off"}, {252, "Level 1"}, {253, "Level 2"},
    {254, "L1-L2"}, {260, "Trigger"}, {261, "Flank"}, {262, "Peak"}, {270, "AWS"}, {271, "Mode"},
    {272, "Off"}, {273, "Set"}, {274, "Meas"}, {275, "Ref"}, {280, "IL dB"}, {281, "AF dB"}, {282, "IR dB"},
    {290, "AVG"}, {291, "Mode"}, {292, "Off"}, {293, "Set Probe"}, {294, "Set Attenuation"},
    {295, "Set Reference"}, {296, "Set Signal"}, {297, "On"}, {300, "Probe"}, {301, "ERS"},
    {302, "Ref Hole"}, {303, "T_LOSS"}, {304, "REF. dB"}, {305, "MAT. dB"}, {306, "AGC"}, {307, "Mode"},
    {308, "Height"},
};

// Rows in which a block differs from the base-1000 one; an empty text means "holds its number".
const std::map<int, std::map<int, std::string>> kDifferences = {
    {1000, {}},
    {1500, {{22, "2.25 MHz"}}},
    {2000, {}},
    {2500, {{21, "0.5 MHz"}, {22, "1 MHz"}, {23, "2 MHz"}, {24, "4 MHz"}, {25, "5 Mhz"}}},
    {3000, {{21, "- "}, {22, "2.5 MHz"}, {24, "-"}, {25, "-"}, {293, "Set"}, {294, "Plot"}, {295, "On"},
            {296, ""}, {297, ""}, {310, "Help"}, {311, "Help Topic"}}},
    {5000, {{22, "2.25 MHz"}, {73, "TX=>RX"}, {132, "DISTANCE"}, {133, "HEIGHT"}, {134, "DISTANCE+"},
            {135, "HEIGHT+"}, {136, "A"}, {137, "B"}, {138, "C"}, {139, "D"}, {202, "SMOOTH"}, {203, "FILL"}}},
};
const std::map<int, int> kLastOffset = {{1000, 309}, {1500, 309}, {2000, 309}, {2500, 309}, {3000, 311}, {5000, 308}};
const std::map<int, std::string> kMarkers = {
    {1000, "##### VT 230 Resources ####"}, {1500, "##### KV 330 Resources ####"},
    {2000, "##### KV 335 Resources ####"}, {2500, "##### BR 400 Resources ####"},
    {3000, "##### TL 125 Resources ####"}, {5000, "##### NEW DFD's ####"},
};

// The base-1000 text of a block row, or "" for a row that holds its number.
std::string ownBlockText(int base, int offset)
{
    const auto& diff = kDifferences.at(base);
    if (auto d = diff.find(offset); d != diff.end())
        return d->second;
    if (auto l = kBlock1000.find(offset); l != kBlock1000.end())
        return l->second;
    return "";
}

bool isEnglish(const std::string& name) { return name == "own" || name == "409" || name == "40b" || name == "809"; }

} // namespace

TEST(StringTableContent, EachTableHoldsExactlyItsIdSet)
{
    for (const auto& [name, expected] : expectedSets()) {
        const auto ids = keysOf(loadTable(name));
        std::vector<int> missing, extra;
        for (int id : expected)
            if (!ids.count(id))
                missing.push_back(id);
        // The texts added with the program are checked in StringIdsTest: held by every table.
        for (int id : ids)
            if (!expected.count(id) && id < tovu::resources::kFirstAddedStringId)
                extra.push_back(id);
        EXPECT_TRUE(missing.empty()) << name << " lacks " << ::testing::PrintToString(missing);
        EXPECT_TRUE(extra.empty()) << name << " has extra " << ::testing::PrintToString(extra);
    }
}

TEST(StringTableContent, BlocksHaveMarkerRowsNumberRowsAndTheirDifferences)
{
    for (const auto& [name, info] : tableFiles()) {
        const auto table = loadTable(name);
        for (const auto& [base, last] : kLastOffset) {
            if (!table.count(base))
                continue; // the 5000 block is absent from most libraries (id sets checked above)
            const std::string& marker = table.at(base - 1);
            if (name == "own")
                EXPECT_EQ(marker, kMarkers.at(base));
            else
                EXPECT_EQ(marker.rfind("#####", 0), 0u) << name << " " << base - 1;
            EXPECT_FALSE(table.count(base + last + 1)) << name << ": block " << base << " ends at " << base + last;
            for (int off = 0; off <= last; ++off) {
                const std::string own = ownBlockText(base, off);
                const auto row = table.find(base + off);
                if (row == table.end()) {
                    ADD_FAILURE() << name << " lacks block row " << base + off;
                    continue;
                }
                const std::string& text = row->second;
                if (own.empty())
                    EXPECT_EQ(text, std::to_string(off)) << name << " id " << base + off;
                else if (isEnglish(name) && own != "Colour")
                    EXPECT_EQ(text, own) << name << " id " << base + off;
                else
                    EXPECT_NE(text, std::to_string(off)) << name << " id " << base + off << " lost its label";
            }
        }
    }
}

TEST(StringTableContent, TranslatedBlocksKeepEachFamilysFrequencyRows)
{
    // The frequency choices are where the families differ; a translation must not flatten them.
    for (const char* name : {"407", "40c", "40a", "419"}) {
        const auto t = loadTable(name);
        EXPECT_NE(t.at(1522), t.at(1022)) << name;       // 2.25 MHz against 2 MHz
        EXPECT_NE(t.at(1522).find("25"), std::string::npos) << name;
        EXPECT_EQ(t.at(2522), t.at(1021)) << name;       // the 400 family's 1 MHz is the first's
        EXPECT_EQ(t.at(3021), "- ") << name;
        EXPECT_EQ(t.at(3024), "-") << name;
        EXPECT_NE(t.at(3022).find("5"), std::string::npos) << name; // 2.5 MHz
        EXPECT_EQ(t.at(3296), "296") << name;
        EXPECT_NE(t.at(1001), "Range") << name << " left the labels in English";
    }
}

TEST(StringTableContent, VoltsListsHoldHundredToFourHundredFifty)
{
    const std::vector<std::string> volts = {"Volts", "100v", "150v", "200v", "250v", "300v", "350v", "400v", "450v"};
    for (const auto& [name, info] : tableFiles()) {
        const auto table = loadTable(name);
        for (int base : {1900, 5400}) {
            if (!table.count(base))
                continue;
            for (int k = 1; k < 9; ++k)
                EXPECT_EQ(table.at(base + k), volts[k]) << name << " id " << base + k;
            if (isEnglish(name)) {
                EXPECT_EQ(table.at(base), "Volts") << name;
            }
        }
    }
}

TEST(StringTableContent, OwnTableCarriesTheQuotedTextsVerbatim)
{
    const std::map<int, std::string> quoted = {
        {1, "English(UK)"}, {2, "Language"}, {50, "English(UK)"}, {51, "French"}, {52, "German"},
        {53, "Spanish"}, {54, "English(US)"}, {55, "Finnish"}, {56, "Russian"}, {57, "Polish"}, {58, "Chinese"},
        {70, "Unit Memory"}, {71, "Local Memory"}, {101, "File "}, {102, "Open"}, {103, "SaveAs"}, {104, "Exit"},
        {105, "Save Individual Item"}, {106, "Export AScan"}, {107, "Excel Comma Separated File Format"},
        {108, "Matlab File Format"}, {109, "Print"}, {110, "View"}, {111, "AScan"}, {112, "Panels"},
        {113, "Large Icons"}, {114, "Small Icons"}, {115, "List"}, {120, "Tools"}, {121, "Terminal"},
        {122, "Comm Port"}, {124, "Super Imposition"}, {125, "Get Current Settings"}, {126, "Check Scope Status"},
        {127, "Options"}, {129, "Are you sure you wish to ERASE the DFD memory"}, {130, "TOVU"},
        {140, "Settings"}, {141, "Notes"}, {142, "Label :"}, {143, "Operator :"}, {144, "Location :"},
        {145, "Probe :"}, {146, "Notes :"}, {150, "PANELS"}, {151, "ALOGS"}, {152, "Panel"}, {153, "ALog"},
        {154, "Ultrasonic Flaw Detector"}, {170, "Menu"}, {171, "Item"}, {172, "Save Panel "}, {173, "Save ALog"},
        {174, "Save Individual Memory Item"}, {180, "About to write Panels Settings "},
        {181, "About to write Panel Settings "}, {182, "About to write AScans "}, {183, "About to write AScan"},
        {184, " into Panel "}, {185, " into AScan "}, {186, " of the "}, {187, " into the "},
        {188, "Different Model Detected. Do you want to continue the Uploading ?"},
        {189, "Save Data before closing?"}, {190, "Alog Picture Type"}, {191, "MetaFile"}, {192, "Bitmap"},
        {193, "Thickness Download"}, {194, "Compact Memory"}, {195, "Erase DFD Memory"}, {197, "Erase All Panels"},
        {198, "Erase All Alogs"}, {200, "Open a DFD File"}, {201, "Save a DFD File"},
        {202, "Check Current DFD Status"}, {203, "View Alogs"}, {204, "View Panels"},
        {205, "Copy current Alog to the Clipboard"}, {206, "Copy the current settings to the Clipboard"},
        {207, "Export to Word"}, {210, "Superimpose Two Alogs"}, {211, "Display Larges Icons"},
        {212, "Display Small Icons"}, {213, "Display as a List"}, {500, "Recall Alog "}, {501, "Recall Panel "},
        {502, "Delete Alog "}, {503, "Delete Panel "}, {515, "CANCEL"}, {518, "Communication Status"},
        {519, "The Target Location is not Empty. Overwrite ?"}, {520, "Incompatible Target Type"},
        {521, "Do you want to Overwrite All Non Empty Locations ?"}, {525, "Select All Options"},
        {526, "Delete All Options"}, {527, "Copy AGC Menu Settings"}, {530, "Edit"}, {531, "Copy ALog"},
        {532, "Copy Panel"}, {533, "Clipboard Options"}, {534, "Copy CAL Menu Settings"},
        {535, "Copy AMP Menu Settings"}, {536, "Copy TX Menu Settings"}, {537, "Copy Gates 1&&2 Menus Settings"},
        {538, "Copy MEAS Menu Settings"}, {539, "Copy A_CAL Menu Settings"}, {540, "Copy UTIL Menu Settings"},
        {541, "Copy VIDEO Menu Settings"}, {542, "Copy P_OP Menu Settings"}, {543, "Copy NOTES"},
        {544, "ALog Style"}, {545, "Min-Max"}, {546, "Smooth"}, {547, "ALog Colour Properties"}, {548, "COM "},
        {552, "Recall Item"}, {553, "Delete Item"}, {554, "About TOVU..."},
        {561, "Checking Status ...   Please Wait."}, {562, "Please Wait While Saving Current Calibration"},
        {563, "Please Wait While Restoring Current Calibration"}, {564, "Checking Current Privileges ..."},
        {565, "This set do not have privileges facilities"}, {570, "Empty"}, {571, "Valid"}, {572, "Active"},
        {573, "Conflict"}, {574, "Unknown"}, {580, "Copy AWS Menu Settings"}, {581, "Copy AVG Menu Settings"},
        {582, "Set Privileges"}, {583, "Full Access"}, {584, "Restricted Access"}, {585, "Supervisor Mode"},
        {586, "Operator Mode"}, {587, "Apply"}, {600, "Program : "}, {601, "Version : "},
        {602, "Number of Valid Panels : "}, {603, "Number of Valid ALogs : "}, {604, "Status Report"},
        {901, "dB"}, {902, "%FSH"}, {903, "%REF"}, {904, "ERS mm"}, {906, "%FSH"}, {907, "dB"}, {908, "%REF"},
        {909, "ERS mm"},
    };
    const auto own = loadTable("own");
    for (const auto& [id, text] : quoted) {
        ASSERT_TRUE(own.count(id)) << id;
        EXPECT_EQ(own.at(id), text) << "id " << id;
    }
    // The colour dialog builds "ALog Properties", "DAC Curve" ... from these parts.
    EXPECT_EQ(own.at(153) + " " + own.at(508), "ALog Properties");
    EXPECT_EQ(own.at(510) + " " + own.at(509), "DAC Curve");
    EXPECT_EQ(own.at(511) + " " + own.at(509), "TCG Curve");
    EXPECT_EQ(own.at(1290) + " " + own.at(509), "AVG Curve");
}

TEST(StringTableContent, LibraryTablesAnswerInTheirLanguage)
{
    for (const auto& [name, info] : tableFiles()) {
        const auto t = loadTable(name);
        EXPECT_EQ(t.at(130), "TOVU") << name;
        for (const auto& [id, text] : t)
            EXPECT_FALSE(text.empty()) << name << " id " << id;
    }
    const auto own = loadTable("own");
    // Translated tables are translations, not English copies.
    for (const char* name : {"407", "40c", "40a", "419"}) {
        const auto t = loadTable(name);
        int same = 0, compared = 0;
        for (int id : {2, 102, 104, 109, 189, 515, 519, 570, 587, 1001, 1002, 1060})
            ++compared, same += t.at(id) == own.at(id);
        EXPECT_EQ(same, 0) << name << ": " << same << " of " << compared << " sample texts are English";
    }
    EXPECT_EQ(loadTable("407").at(1), "Deutscher");
    EXPECT_EQ(loadTable("407").at(2), "Sprache");
    EXPECT_EQ(loadTable("419").at(2), "\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA"); // "Язык", kept as UTF-8
    // Both US-English tables, the 40B one included.
    for (const char* name : {"409", "40b"}) {
        const auto t = loadTable(name);
        EXPECT_EQ(t.at(1), "English(US)") << name;
        EXPECT_EQ(t.at(1211), "Color") << name;
    }
    // 409's language menu names the ninth item correctly; 809 carries the memory-bank captions.
    EXPECT_EQ(loadTable("409").at(58), "Chinese");
    EXPECT_EQ(loadTable("409").at(59), "Local Memory");
    EXPECT_EQ(loadTable("809").at(70), "Unit Memory");
    EXPECT_EQ(loadTable("809").at(71), "Local Memory");
}

TEST(StringTableContent, AboutTextsNameNoRealAddress)
{
    for (const auto& [name, info] : tableFiles()) {
        const auto t = loadTable(name);
        for (int id = 555; id <= 560; ++id) {
            const std::string& text = t.at(id);
            EXPECT_EQ(text.find("http"), std::string::npos) << name << " " << id;
            EXPECT_EQ(text.find("www."), std::string::npos) << name << " " << id;
            if (auto at = text.find('@'); at != std::string::npos) {
                EXPECT_NE(text.find(".invalid", at), std::string::npos) << name << " " << id;
            }
        }
    }
}
