// Hyperlinks and blank lines.
#include "ControlFixture.h"
#include "platform/office/word/Hyperlinks.h"

namespace tovu::control::testing {
namespace {

using automation::Bounds;
using automation::SafeArray;

class HyperlinksTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
    }
    int paragraphs() { return control.heldDocument()->paragraphs().count(); }
    word::Hyperlinks links() { return control.heldDocument()->hyperlinks(); }
};

TEST_F(HyperlinksTest, InsertHyperlinkMakesTheParagraphALink)
{
    hooks().setRecording(true);
    ASSERT_EQ(status("InsertHyperlink", {Variant(QStringLiteral("Maker")), Variant(QStringLiteral("http://example.org/"))}),
              1);
    ASSERT_EQ(links().count(), 1);
    EXPECT_EQ(links().item(1).address, QStringLiteral("http://example.org/"));
    EXPECT_EQ(links().item(1).text.trimmed(), QStringLiteral("Maker"));
    const QStringList order = recorded({QStringLiteral("Font.Strikethrough"), QStringLiteral("Hyperlinks.Add"),
                                        QStringLiteral("ParagraphFormat.SpaceAfter"),
                                        QStringLiteral("Range.InsertParagraphAfter"), QStringLiteral("Font.Reset")});
    EXPECT_EQ(order.join(u' '), QStringLiteral("Font.Strikethrough(false) Hyperlinks.Add(http://example.org/) "
                                               "ParagraphFormat.SpaceAfter(10) Range.InsertParagraphAfter Font.Reset"));
    for (const char* step : {"Document.GoTo", "Paragraphs.Add", "Font.Name", "Hyperlinks.Add", "Font.Reset"}) {
        hooks().clearFailures();
        hooks().failOn(QString::fromLatin1(step));
        EXPECT_EQ(status("InsertHyperlink", {Variant(QStringLiteral("t")), Variant(QStringLiteral("http://x/"))}), -3)
            << step;
    }
}

TEST_F(HyperlinksTest, InsertHyperlinksWritesOneLinkPerRow)
{
    SafeArray table(std::vector<Bounds>{{1, 2}, {0, 1}});
    table.set({1, 0}, Variant(QStringLiteral("First")));
    table.set({1, 1}, Variant(QStringLiteral("http://one.example/")));
    table.set({2, 0}, Variant(QStringLiteral("Second")));
    table.set({2, 1}, Variant(QStringLiteral("http://two.example/")));
    ASSERT_EQ(status("InsertHyperlinks", {Variant(table)}), 1);
    ASSERT_EQ(links().count(), 2);
    EXPECT_EQ(links().item(1).address, QStringLiteral("http://one.example/"));
    EXPECT_EQ(links().item(2).address, QStringLiteral("http://two.example/"));
    EXPECT_LT(heldText().indexOf(QStringLiteral("First")), heldText().indexOf(QStringLiteral("Second")));
}

TEST_F(HyperlinksTest, InsertHyperlinksChecksTheShapeBeforeWritingAnything)
{
    const int before = paragraphs();
    const QString text = heldText();
    SafeArray oneColumn(std::vector<Bounds>{{0, 1}, {0, 0}});
    const Variant wrong[] = {
        Variant(SafeArray::ofValues({Variant(QStringLiteral("a")), Variant(QStringLiteral("http://a/"))})),
        Variant(oneColumn),
        Variant(QStringLiteral("not an array")),
        Variant(SafeArray(std::vector<Bounds>{{0, 0}, {0, 1}, {0, 0}})),
    };
    for (const Variant& v : wrong)
        EXPECT_EQ(status("InsertHyperlinks", {v}), -3);
    EXPECT_EQ(paragraphs(), before) << "no stray paragraph";
    EXPECT_EQ(heldText(), text);
    EXPECT_EQ(links().count(), 0);
}

TEST_F(HyperlinksTest, EmptyLinkTableAddsOneResetParagraph)
{
    const int before = paragraphs();
    EXPECT_EQ(status("InsertHyperlinks", {Variant(SafeArray(std::vector<Bounds>{{0, -1}, {0, 1}}))}), 1);
    EXPECT_EQ(paragraphs(), before + 1);
    EXPECT_EQ(links().count(), 0);
    hooks().failOn(QStringLiteral("Hyperlinks.Add"));
    SafeArray one(std::vector<Bounds>{{0, 0}, {0, 1}});
    EXPECT_EQ(status("InsertHyperlinks", {Variant(one)}), -4);
}

TEST_F(HyperlinksTest, BlankLines)
{
    const int before = paragraphs();
    const QString text = heldText();
    for (std::int16_t n : {std::int16_t{0}, std::int16_t{-5}})
        EXPECT_EQ(status("InsertBlankLines", {Variant(n)}), -3);
    EXPECT_EQ(paragraphs(), before);
    EXPECT_EQ(heldText(), text);

    hooks().setRecording(true);
    ASSERT_EQ(status("InsertBlankLines", {Variant(std::int16_t{1})}), 1);
    EXPECT_TRUE(recorded({QStringLiteral("Range.SetText")}).isEmpty()) << "one line sets no text";
    EXPECT_TRUE(recorded({QStringLiteral("Font.Reset")}).isEmpty()) << "the font is not reset here";
    EXPECT_EQ(paragraphs(), before + 2);

    const int mid = paragraphs();
    ASSERT_EQ(status("InsertBlankLines", {Variant(std::int16_t{4})}), 1);
    EXPECT_EQ(recorded({QStringLiteral("Range.SetText")}).size(), 3);
    EXPECT_GT(paragraphs(), mid + 1);
    const word::Story& body = control.heldDocument()->model().body;
    EXPECT_EQ(body.pool().para(body.at(body.length() - 2).para).spaceAfter, 0.0);

    for (const char* step : {"Document.GoTo", "Paragraphs.Add", "ParagraphFormat.SpaceAfter",
                             "Range.InsertParagraphAfter", "ParagraphFormat.Reset"}) {
        hooks().clearFailures();
        hooks().failOn(QString::fromLatin1(step));
        EXPECT_EQ(status("InsertBlankLines", {Variant(std::int16_t{2})}), -4) << step;
    }
}

} // namespace
} // namespace tovu::control::testing
