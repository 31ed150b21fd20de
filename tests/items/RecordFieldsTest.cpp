#include "app/items/RecordFields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tovu::items;

TEST(RecordFields, FileKeysAndInstrumentCodesThatDiffer)
{
    const struct { const char* name; const char* key; const char* code; } cases[] = {
        {"UZ", "HU", "UZ"},       {"UU", "HZ", "UU"},        {"AvgMode", "AQ", "EN"},
        {"MatDb", "AD", "EB"},    {"RefDb", "AE", "EC"},     {"TLoss", "AF", "ED"},
        {"Ers", "AN", "EK"},      {"RefHole", "AO", "EL"},   {"AgcHeight", "SGE", "SE"},
        {"Range", "RG", "RG"},    {"Gates[2].Level", "LI", "LI"},
    };
    for (const auto& c : cases) {
        const RecordField* f = fieldByName(c.name);
        ASSERT_NE(f, nullptr) << c.name;
        EXPECT_EQ(f->fileKey, c.key) << c.name;
        EXPECT_EQ(f->instrumentCode, c.code) << c.name;
        EXPECT_EQ(fieldByFileKey(c.key), f) << c.name;
        EXPECT_EQ(fieldByInstrumentCode(c.code), f) << c.name;
    }
    // "SE" is the identification text in the file but AGC height on the instrument.
    EXPECT_EQ(fieldByFileKey("SE")->name, "IdentText");
    EXPECT_EQ(fieldByInstrumentCode("SE")->name, "AgcHeight");
    EXPECT_EQ(fieldByFileKey("se"), nullptr);  // keys are case-sensitive
}

TEST(RecordFields, InstrumentAccess)
{
    for (const char* ro : {"CD", "SH", "AX", "AY", "AZ", "VA", "FS"})
        EXPECT_EQ(fieldByInstrumentCode(ro)->access, InstrumentAccess::ReadOnly) << ro;
    for (const char* none : {"AvgProbe", "AP", "Memo", "TimeStamp", "IdentText", "ModelIndex",
                             "DataVersion", "DacPointCount", "TcgPointCount", "DacCurve",
                             "Waveform"}) {
        const RecordField* f = fieldByName(none);
        ASSERT_NE(f, nullptr) << none;
        EXPECT_EQ(f->access, InstrumentAccess::None) << none;
        EXPECT_TRUE(f->instrumentCode.empty()) << none;
    }
    EXPECT_EQ(fieldByInstrumentCode("RP")->kind, FieldKind::DacPoints);
    EXPECT_EQ(fieldByInstrumentCode("EN")->access, InstrumentAccess::ReadWrite);
    EXPECT_EQ(fieldByInstrumentCode(""), nullptr);
}

TEST(RecordFields, EveryTextOfTheRecordHasExactlyOneEntry)
{
    RecordSettings s;
    int texts = 0;
    std::set<std::string> keys;
    for (const RecordField& f : recordFields()) {
        if (f.repeat)
            continue;
        EXPECT_TRUE(keys.insert(std::string(f.fileKey)).second) << f.fileKey;
        if (!f.isText())
            continue;
        ++texts;
        f.text(s) = QString::fromLatin1(f.name.data(), static_cast<qsizetype>(f.name.size()));
    }
    // No two entries write the same member.
    for (const RecordField& f : recordFields()) {
        if (!f.isText())
            continue;
        EXPECT_EQ(f.text(s), QString::fromLatin1(f.name.data(), f.name.size()));
    }
    // Every QString of the settings block except SlotText (the header's number), the
    // spare gate and the point lists (the RP and YP lines) is a text entry.
    const int allStrings = static_cast<int>(sizeof(RecordSettings) / sizeof(QString));
    EXPECT_EQ(texts, allStrings - 1 - 4 - 4 * kPointSlots);
}

TEST(RecordFields, FileOrderWithTheRepeatedKey)
{
    std::string order;
    for (const RecordField& f : recordFields())
        order += std::string(f.fileKey) + " ";
    EXPECT_EQ(order,
              "TS MD SE MF RG TD PZ VL GN GR HU HZ FR DT RJ CT FS TW PD SD PF PV PE GA SA WA LA "
              "GB SB WB LB GI SI WI LI MM MT HD HS TM BK AG TH CD SH XO PM ZO ZT DM CV TR DP RP "
              "DR DD DB DC DH HM AQ AN AO AD AP AH AE AF EP ES EH EJ EF ES AC EQ ER YT YA YB SF "
              "SGE YM YS YF YP YR YD YC YG YH AV AW AX AY AZ UN CL AA VS VD VC VB GT VA PO OA OB "
              "OT NL NO NC NP NN ME WS ");
}
