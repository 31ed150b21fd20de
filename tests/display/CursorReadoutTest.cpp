// The cursor readout: distance along the A-scan and height in percent of full screen.

#include "app/display/CursorReadout.h"
#include "display/support/FakeStrings.h"
#include "support/QtPrinters.h"
#include "support/SampleRecords.h"

#include <gtest/gtest.h>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;

TEST(CursorReadout, Table)
{
    // A picture of 261 x 240 pixels: scale width - 6 = 255, baseline H0 = 240 - 42 = 198.
    struct Case {
        const char* delay;
        const char* range;
        const char* detect;
        const char* units;
        double x, y;
        const char* sep;
        const char* text;
    };
    const Case cases[] = {
        {"0", "50", "2", "0", 0, 0, ".", "Cursor Positions:   X=0.mm  Y= 100%"},
        {"10", "50", "2", "0", 255, 198, ".", "Cursor Positions:   X=60.mm  Y= 0%"},      // baseline row
        {"0", "50", "2", "0", 127.5, 99, ".", "Cursor Positions:   X=25.mm  Y= 50%"},
        {"0", "50", "2", "0", 127.5, 99, ",", "Cursor Positions:   X=25,mm  Y= 50%"},
        {"0", "25.5", "2", "1", 100, 150, ".", "Cursor Positions:   X=10.in  Y= 24%"},  // 24.24
        {"0", "50", "2", "2", 51, 199, ".", "Cursor Positions:   X=10.us  Y=--%"},     // below the baseline
        {"0", "50", "3", "0", 10, 198, ".", "Cursor Positions:   X=1.96mm  Y=-100%"},  // RF: zero line mid
        {"0", "50", "3", "0", 10, 0, ".", "Cursor Positions:   X=1.96mm  Y= 100%"},
        {"0", "50", "3", "0", 10, 99, ".", "Cursor Positions:   X=1.96mm  Y= 0%"},
        {"0", "50", "3", "0", 10, 200, ".", "Cursor Positions:   X=1.96mm  Y=--%"},
        {"0", "50", "2", "7", 0, 0, ".", "Cursor Positions:   X=0.  Y= 100%"},  // unit placeholder: none shown
        {"N/A", "N/A", "2", "0", 50, 0, ".", "Cursor Positions:   X=0.mm  Y= 100%"},
        {"0", "50", "2", "0", 0, 49.5, ".", "Cursor Positions:   X=0.mm  Y= 75%"},  // 75.0 exactly
        {"0", "50", "2", "0", 0, 148.5, ".", "Cursor Positions:   X=0.mm  Y= 25%"},
    };
    const FakeStrings strings;
    for (const Case& c : cases) {
        auto r = sampleALog();
        auto& s = r.editSettings();
        s.Delay = QString::fromUtf8(c.delay);
        s.Range = QString::fromUtf8(c.range);
        s.Detect = QString::fromUtf8(c.detect);
        s.Units = QString::fromUtf8(c.units);
        const CursorReadout out = cursorReadout(r, c.x, c.y, 261, 240, strings, QString::fromUtf8(c.sep));
        EXPECT_TRUE(out.show);
        ASSERT_TRUE(out.text.has_value());
        EXPECT_EQ(*out.text, QString::fromUtf8(c.text)) << c.x << "," << c.y;
    }
}

TEST(CursorReadout, ItemsWithoutTraceOrNotInUse)
{
    const FakeStrings strings;
    auto panel = sampleALog();
    panel.WaveformPresent = false;
    const CursorReadout none = cursorReadout(panel, 10, 10, 261, 240, strings, QStringLiteral("."));
    EXPECT_FALSE(none.show);
    EXPECT_FALSE(none.text.has_value());

    auto unused = sampleALog();
    unused.InUse = false;
    const CursorReadout kept = cursorReadout(unused, 10, 10, 261, 240, strings, QStringLiteral("."));
    EXPECT_TRUE(kept.show);
    EXPECT_FALSE(kept.text.has_value());  // the previous text stays

    // A picture too narrow to scale leaves the text as it was rather than divide by 0.
    EXPECT_FALSE(cursorReadout(sampleALog(), 0, 0, 6, 240, strings, QStringLiteral(".")).text.has_value());
}
