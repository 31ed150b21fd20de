#include "app/items/ModelTable.h"

#include <gtest/gtest.h>

#include <map>

using namespace tovu::items;

TEST(ModelTable, NamesAsTheInstrumentsReportThem)
{
    const ModelNameTable names = makeModelNames();
    EXPECT_EQ(names[0], "UNKNOWN MODEL");
    EXPECT_EQ(names[7], "TOLVANE 125");
    EXPECT_EQ(names[20], "TOLVANE 125");
    EXPECT_EQ(names[11], "VELTRIS 140");
    EXPECT_EQ(names[35], "VELTRIS  140");  // two blanks
    EXPECT_EQ(names[17], "TL125 LCD");
    EXPECT_EQ(names[33], "Darvo Dev");
    EXPECT_EQ(names[42], "Sorvan Dev");
    for (const QString& n : names)
        EXPECT_FALSE(n.isEmpty());
}

TEST(ModelTable, ResourceBaseOfEveryCode)
{
    std::map<int, int> expected;
    for (int c : {1, 2, 3, 8, 9, 10, 11, 12, 14, 15})
        expected[c] = 1000;
    expected[5] = 2000;
    expected[6] = 2500;
    for (int c : {7, 17, 18})
        expected[c] = 3000;
    for (int code = -3; code <= 50; ++code) {
        const auto it = expected.find(code);
        EXPECT_EQ(GetModelResourceBase(code), it == expected.end() ? 1500 : it->second) << code;
    }
}

TEST(ModelTable, LabelRule)
{
    EXPECT_EQ(settingLabelId(1000, 30), 1030);
    // Detect "3" with base 1000 is "RF" at 1034.
    EXPECT_EQ(choiceLabelId(1000, 30, "3"), 1034);
    EXPECT_EQ(choiceLabelId(1000, 30, " 2.5"), 1033);  // halves to even
    EXPECT_EQ(choiceLabelId(1000, 30, "N/A"), 1031);   // no number counts as 0
    EXPECT_EQ(choiceLabelId(1000, 30, "99999999999"), 1000 + 30 + 1000000 + 1);

    const StringLookup lookup = [](int id) { return QString::number(id); };
    EXPECT_EQ(settingLabel(lookup, GetModelResourceBase(7), 1), "3001");
    EXPECT_EQ(choiceLabel(lookup, 1500, 170, "1"), "1672");
}
