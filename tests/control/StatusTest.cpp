// Every method's status codes, walked with the word processor made to fail at each step,
// and no method (but AboutBox) raising to the host whatever Word does.
#include "ControlFixture.h"
#include "control/VerboltMethods.h"

#include <QImage>
#include <set>

namespace tovu::control::testing {
namespace {

struct FailureCase {
    const char* method;
    std::vector<Variant> args;
    const char* failingStep;
    std::int16_t expected;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.method << " failing at " << c.failingStep;
}

// A control holding a saved document in a hidden Word it started; a picture beside it.
class StatusTest : public ControlTest, public ::testing::WithParamInterface<FailureCase> {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
        ASSERT_EQ(status("SaveDocument", {Variant(file(QStringLiteral("held.docx")))}), 1);
        ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("text"))}), 1);
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::green);
        ASSERT_TRUE(image.save(file(QStringLiteral("p.png"))));
    }
};

TEST_P(StatusTest, FailingStepGivesItsStatus)
{
    const FailureCase& c = GetParam();
    Args args = c.args;
    for (Variant& a : args)
        if (a.isString() && a.toString() == QStringLiteral("@picture"))
            a = Variant(file(QStringLiteral("p.png")));
        else if (a.isString() && a.toString() == QStringLiteral("@other"))
            a = Variant(makeDocx(QStringLiteral("other.docx")));
    hooks().failOn(QString::fromLatin1(c.failingStep));
    EXPECT_EQ(call(c.method, args).toLong(), c.expected);
}

const Variant kNone = Variant::missing();
const Variant kPicture = Variant(QStringLiteral("@picture"));
const Variant kOther = Variant(QStringLiteral("@other"));
const Variant kTrue = Variant(true);
Variant i16(std::int16_t v) { return Variant(v); }
Variant i32(std::int32_t v) { return Variant(v); }
Variant sng(float v) { return Variant(v); }
Variant linkTable()
{
    automation::SafeArray table(std::vector<automation::Bounds>{{0, 0}, {0, 1}});
    table.set({0, 0}, Variant(QStringLiteral("t")));
    table.set({0, 1}, Variant(QStringLiteral("http://t/")));
    return Variant(table);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMethod, StatusTest,
    ::testing::Values(
        // Word connection and documents.
        FailureCase{"OpenDocument", {kOther}, "Application.Documents.Open", -2},
        FailureCase{"OpenDocument", {kOther}, "PageSetup.Orientation", -3},
        FailureCase{"OpenDocument", {kOther, kNone, kNone, kNone, kNone, kNone, kNone, sng(20)}, "PageSetup.TopMargin",
                    -3},
        FailureCase{"OpenDocument", {kOther, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
                                     sng(700)},
                    "PageSetup.PageHeight", -3},
        FailureCase{"OpenDocument", {kOther, kTrue}, "Application.Activate", -3},
        FailureCase{"OpenDocument", {kOther}, "Application.Version", 1},
        FailureCase{"OpenDocument", {Variant(QString()), kTrue}, "Application.Activate", 1},
        FailureCase{"ActivateDocument", {i16(1)}, "Application.Documents.Item", -2},
        FailureCase{"ActivateDocument", {}, "Application.ActiveDocument", -2},
        FailureCase{"ActivateDocument", {}, "Document.Activate", 1},
        FailureCase{"AddDocument", {}, "Application.Documents.Add", -2},
        FailureCase{"SaveDocument", {}, "Document.Activate", -2},
        FailureCase{"SaveDocument", {}, "Document.Save", -3},
        FailureCase{"SaveDocument", {Variant(QStringLiteral("@picture"))}, "Document.SaveAs", -3},
        FailureCase{"CloseDocument", {Variant(false)}, "Document.Close", -2},
        FailureCase{"CloseDocument", {Variant(false)}, "Application.SetDisplayAlerts", -2},
        FailureCase{"HideWord", {}, "Application.SetVisible", -2},
        FailureCase{"UnhideWord", {}, "Application.SetVisible", -2},
        FailureCase{"DocumentCount", {}, "Document.Activate", -2},
        FailureCase{"DocumentCount", {}, "Application.Documents.Count", -2},
        FailureCase{"GetDocumentObject", {Variant::nothing()}, "Document.Activate", -2},
        FailureCase{"GetDocumentNames", {Variant()}, "Application.ActiveDocument", -2},
        FailureCase{"GetDocumentNames", {Variant()}, "Application.Documents.Count", -3},
        FailureCase{"SwitchToWord", {}, "Application.Caption", -2},
        // Text, pictures, page breaks, search and replace.
        FailureCase{"TextToWord", {Variant(QStringLiteral("t"))}, "Document.Activate", -2},
        FailureCase{"TextToWord", {Variant(QStringLiteral("t"))}, "Font.Strikethrough", -3},
        FailureCase{"ClipboardTextToWord", {}, "Document.Activate", -2},
        FailureCase{"ClipboardTextToWord", {}, "Range.SetText", -3},
        FailureCase{"InsertPageBreak", {}, "Document.Activate", -2},
        FailureCase{"InsertPageBreak", {}, "Range.InsertBreak", -3},
        FailureCase{"InsertPicture", {kPicture}, "Document.Activate", -2},
        FailureCase{"InsertPicture", {kPicture}, "Bookmarks.Range", -3},
        FailureCase{"InsertPicture", {kPicture}, "Paragraphs.Add", -3},
        FailureCase{"InsertPicture", {kPicture}, "Shapes.AddPicture", -3},
        FailureCase{"InsertLinkedPicture", {kPicture}, "Shapes.AddPicture", -3},
        FailureCase{"FindInDocumentAndReplace", {Variant(QStringLiteral("t")), Variant(QStringLiteral("u"))},
                    "Document.Activate", -2},
        FailureCase{"FindInDocumentAndReplace", {Variant(QStringLiteral("t")), Variant(QStringLiteral("u"))},
                    "Find.ClearFormatting", -3},
        // Hyperlinks and blank lines.
        FailureCase{"InsertHyperlink", {Variant(QStringLiteral("t")), Variant(QStringLiteral("http://t/"))},
                    "Document.Activate", -2},
        FailureCase{"InsertHyperlink", {Variant(QStringLiteral("t")), Variant(QStringLiteral("http://t/"))},
                    "ParagraphFormat.SpaceAfter", -3},
        FailureCase{"InsertHyperlinks", {linkTable()}, "Document.Activate", -2},
        FailureCase{"InsertHyperlinks", {linkTable()}, "Document.GoTo", -4},
        FailureCase{"InsertHyperlinks", {linkTable()}, "Range.SetText", -4},
        FailureCase{"InsertHyperlinks", {linkTable()}, "Range.InsertParagraphAfter", -4},
        FailureCase{"InsertBlankLines", {i16(3)}, "Document.Activate", -2},
        FailureCase{"InsertBlankLines", {i16(3)}, "Range.SetText", -4},
        // Page setup and page count.
        FailureCase{"SetPageOrientation", {i32(1)}, "Document.Activate", -2},
        FailureCase{"SetPageLeftMargin", {sng(30)}, "PageSetup.LeftMargin", -3},
        FailureCase{"SetPageRightMargin", {sng(30)}, "PageSetup.RightMargin", -3},
        FailureCase{"SetPageTopMargin", {sng(30)}, "PageSetup.TopMargin", -3},
        FailureCase{"SetPageBottomMargin", {sng(30)}, "PageSetup.BottomMargin", -3},
        FailureCase{"SetPageWidth", {sng(500)}, "PageSetup.PageWidth", -3},
        FailureCase{"SetPageHeight", {sng(700)}, "PageSetup.PageHeight", -3},
        FailureCase{"SetPageNumberInHeader", {i32(1)}, "Section.Headers", -3},
        FailureCase{"SetPageNumberInFooter", {i32(1)}, "Section.Footers", -3},
        FailureCase{"NumberOfPages", {i32(0)}, "Document.Repaginate", -3},
        FailureCase{"NumberOfPages", {i32(0), kOther}, "Application.Documents.Open", -3},
        FailureCase{"NumberOfPages", {i32(0), kOther}, "Sections.Count", -3}));

class NeverRaisesTest : public ControlTest {};

TEST_F(NeverRaisesTest, NoMethodButAboutBoxRaisesWhateverWordDoes)
{
    ensureGui();
    // Every operation Word offers the control, made to fail on every call.
    const char* const operations[] = {
        "Application.Create", "Application.Version", "Application.Caption", "Application.SetVisible",
        "Application.Activate", "Application.SetDisplayAlerts", "Application.ActiveDocument",
        "Application.Quit", "Application.Documents.Add", "Application.Documents.Count",
        "Application.Documents.Item", "Application.Documents.Open", "Document.Activate", "Document.Save",
        "Document.SaveAs", "Document.Close", "Document.GoTo", "Document.Repaginate", "Document.Name",
        "Document.Path", "Document.FullName", "Document.Content", "Paragraphs.Add", "Paragraph.Range",
        "Paragraph.Alignment", "Paragraph.Reset", "ParagraphFormat.SpaceAfter", "ParagraphFormat.Reset",
        "Range.SetText", "Range.InsertParagraphAfter", "Range.InsertBreak", "Range.Information",
        "Font.Bold", "Font.Name", "Font.Size", "Font.Reset", "Bookmarks.Range", "Shapes.AddPicture",
        "Hyperlinks.Add", "Find.ClearFormatting", "Find.Execute", "Sections.Count", "Sections.Item",
        "Section.Range", "Section.Headers", "Section.Footers", "PageNumbers.Add", "PageSetup.Orientation",
        "PageSetup.LeftMargin", "PageSetup.TopMargin"};
    const auto everyMethod = [&](const char* state) {
        for (const MethodEntry& entry : verboltMethods()) {
            if (QLatin1String(entry.name) == QLatin1String("AboutBox"))
                continue;
            Args args(entry.params.size(), Variant());
            for (std::size_t i = 0; i < entry.params.size(); ++i)
                if (entry.params[i].optional)
                    args[i] = Variant::missing();
            EXPECT_NO_THROW(object->invoke(entry.dispid, args)) << entry.name << " " << state;
        }
    };
    everyMethod("without Word");
    // CloseWord among the methods lets Word go: each state starts from a fresh document.
    ASSERT_EQ(openBlank(), 1);
    everyMethod("with a document");
    ASSERT_EQ(openBlank(), 1);
    for (const char* op : operations)
        hooks().failOn(QString::fromLatin1(op), 0);
    everyMethod("with Word failing everywhere");
    hooks().clearFailures();
    ASSERT_EQ(openBlank(), 1);
    control.heldDocument()->close(false);
    everyMethod("with the held document closed");
    ASSERT_EQ(openBlank(), 1);
    control.heldApplication()->quit(false);
    everyMethod("after Word quit");
}

} // namespace
} // namespace tovu::control::testing
