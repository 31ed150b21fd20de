// Page setup of the held document, page numbers, and page counts.
#include "ControlFixture.h"

#include <QFile>

namespace tovu::control::testing {
namespace {

class PageSetupTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
    }
    word::PageSetup page() { return control.heldDocument()->pageSetup(); }
    // A saved document of the given number of pages, fixed by page breaks.
    QString documentOfPages(const QString& name, int pages)
    {
        auto app = environment.createApplication();
        app->setOfferedAsActive(false);
        auto doc = app->documents().add();
        for (int p = 1; p <= pages; ++p) {
            doc->content().insertAfter(QStringLiteral("page %1").arg(p));
            if (p < pages)
                doc->bookmarks().range(QStringLiteral("\\EndOfDoc")).insertBreak();
        }
        doc->saveAs(file(name));
        app->quit(false);
        return file(name);
    }
    std::pair<std::int16_t, std::int32_t> pagesOf(const QString& document)
    {
        Args args{Variant(std::int32_t{-7}), Variant(document)};
        const std::int16_t r = call("NumberOfPages", args).toInteger();
        return {r, args[0].toLong()};
    }
};

TEST_F(PageSetupTest, LengthSettersSetOnlyPositiveValues)
{
    const struct {
        const char* method;
        double (word::PageSetup::*get)() const;
    } setters[] = {
        {"SetPageLeftMargin", &word::PageSetup::leftMargin},   {"SetPageRightMargin", &word::PageSetup::rightMargin},
        {"SetPageTopMargin", &word::PageSetup::topMargin},     {"SetPageBottomMargin", &word::PageSetup::bottomMargin},
        {"SetPageWidth", &word::PageSetup::pageWidth},         {"SetPageHeight", &word::PageSetup::pageHeight},
    };
    for (const auto& s : setters) {
        const double before = (page().*s.get)();
        EXPECT_EQ(status(s.method, {Variant(0.0f)}), 1) << s.method;
        EXPECT_EQ(status(s.method, {Variant(-2.0f)}), 1) << s.method;
        EXPECT_DOUBLE_EQ((page().*s.get)(), before) << s.method;
        const float value = static_cast<float>(before) + 12.25f;
        EXPECT_EQ(status(s.method, {Variant(value)}), 1) << s.method;
        EXPECT_DOUBLE_EQ((page().*s.get)(), value) << s.method;
    }
    // A margin that leaves no text area is refused by Word.
    EXPECT_EQ(status("SetPageLeftMargin", {Variant(5000.0f)}), -3);
    hooks().failOn(QStringLiteral("Document.Activate"));
    EXPECT_EQ(status("SetPageTopMargin", {Variant(10.0f)}), -2);
}

TEST_F(PageSetupTest, OrientationOutsideTheEnumerationBecomesPortraitInTheCallersVariable)
{
    Args args{Variant(std::int32_t{1})};
    EXPECT_EQ(call("SetPageOrientation", args), Variant(std::int16_t{1}));
    EXPECT_EQ(page().orientation(), word::Orientation::Landscape);
    args = {Variant(std::int32_t{7})};
    EXPECT_EQ(call("SetPageOrientation", args), Variant(std::int16_t{1}));
    EXPECT_EQ(page().orientation(), word::Orientation::Portrait);
    EXPECT_EQ(args[0], Variant(std::int32_t{0}));
    hooks().failOn(QStringLiteral("PageSetup.Orientation"));
    EXPECT_EQ(status("SetPageOrientation", {Variant(std::int32_t{1})}), -3);
}

TEST_F(PageSetupTest, PageNumbersInFooterAndHeader)
{
    Args footer{Variant(std::int32_t{5}), Variant(true)};
    EXPECT_EQ(call("SetPageNumberInFooter", footer), Variant(std::int16_t{1}));
    EXPECT_EQ(footer[0], Variant(std::int32_t{0}));
    const word::SectionModel& section = control.heldDocument()->model().section;
    ASSERT_TRUE(section.footer(word::HeaderFooterIndex::Primary).pageNumber.has_value());
    EXPECT_EQ(*section.footer(word::HeaderFooterIndex::Primary).pageNumber, word::PageNumberAlignment::Left);

    EXPECT_EQ(status("SetPageNumberInHeader", {Variant(std::int32_t{2}), Variant(true)}), 1);
    ASSERT_TRUE(section.header(word::HeaderFooterIndex::Primary).pageNumber.has_value());
    EXPECT_EQ(*section.header(word::HeaderFooterIndex::Primary).pageNumber, word::PageNumberAlignment::Right);
    hooks().failOn(QStringLiteral("PageNumbers.Add"));
    EXPECT_EQ(status("SetPageNumberInFooter", {Variant(std::int32_t{1})}), -3);
}

TEST_F(PageSetupTest, NumberOfPagesCountsTheHeldDocument)
{
    for (int k = 1; k <= 5; ++k) {
        if (k > 1) {
            ASSERT_EQ(status("InsertPageBreak"), 1);
        }
        ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("page %1").arg(k))}), 1);
    }
    EXPECT_EQ(pagesOf(QString()), (std::pair<std::int16_t, std::int32_t>{1, 5}));
    EXPECT_EQ(pagesOf(QStringLiteral("   ")), (std::pair<std::int16_t, std::int32_t>{1, 5}));
}

TEST_F(PageSetupTest, NumberOfPagesOpensAFileCountsAndClosesIt)
{
    const QString five = documentOfPages(QStringLiteral("five.docx"), 5);
    const int open = control.heldApplication()->documents().count();
    EXPECT_EQ(pagesOf(five), (std::pair<std::int16_t, std::int32_t>{1, 5}));
    EXPECT_EQ(control.heldApplication()->documents().count(), open);

    // Closed on the error path too, and the caller's variable is left alone.
    hooks().failOn(QStringLiteral("Range.Information"));
    EXPECT_EQ(pagesOf(five), (std::pair<std::int16_t, std::int32_t>{-3, -7}));
    EXPECT_EQ(control.heldApplication()->documents().count(), open);

    EXPECT_EQ(pagesOf(file(QStringLiteral("missing.docx"))), (std::pair<std::int16_t, std::int32_t>{-2, -7}));
}

TEST_F(PageSetupTest, NumberOfPagesComparesTheHeldDocumentAsAFile)
{
    const QString path = file(QStringLiteral("Held.docx"));
    ASSERT_EQ(status("SaveDocument", {Variant(path)}), 1);
    ASSERT_EQ(status("InsertPageBreak"), 1);  // held: 2 pages, file: 1
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("second page"))}), 1);
    ASSERT_TRUE(QFile::link(path, file(QStringLiteral("alias.docx"))));
    EXPECT_EQ(pagesOf(file(QStringLiteral("alias.docx"))), (std::pair<std::int16_t, std::int32_t>{1, 2}));
    EXPECT_EQ(pagesOf(file(QStringLiteral("./Held.docx"))), (std::pair<std::int16_t, std::int32_t>{1, 2}));
    // Another case is another file here.
    EXPECT_EQ(pagesOf(file(QStringLiteral("HELD.docx"))), (std::pair<std::int16_t, std::int32_t>{-2, -7}));
    EXPECT_EQ(control.heldApplication()->documents().count(), 1) << "no second copy opened";
}

TEST_F(PageSetupTest, NumberOfPagesLeavesAFileTheUserHasOpen)
{
    const QString three = documentOfPages(QStringLiteral("three.docx"), 3);
    auto users = control.heldApplication()->documents().open(three);
    EXPECT_EQ(pagesOf(three), (std::pair<std::int16_t, std::int32_t>{1, 3}));
    EXPECT_FALSE(users->isClosed());
}

} // namespace
} // namespace tovu::control::testing
