// Text, clipboard text, page breaks, pictures and search-and-replace in the held document.
#include "ControlFixture.h"
#include "control/ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace tovu::control::testing {
namespace {

class TextTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
    }
    const word::CharFormat& fontAt(int pos)
    {
        const word::Story& body = control.heldDocument()->model().body;
        return body.pool().font(body.at(pos).font);
    }
    const word::ParaFormat& paraOf(int pos)
    {
        const word::Story& body = control.heldDocument()->model().body;
        return body.pool().para(body.at(body.paragraphEnd(pos) - 1).para);
    }
    QString picture(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = file(QStringLiteral("pic%1x%2.png").arg(w).arg(h));
        image.save(path);
        return path;
    }
};

const QStringList kTextSteps = {
    QStringLiteral("Document.GoTo"),         QStringLiteral("Paragraphs.Add"),
    QStringLiteral("Range.SetText"),         QStringLiteral("Paragraph.Alignment"),
    QStringLiteral("Font.Bold"),             QStringLiteral("Font.Name"),
    QStringLiteral("Font.Size"),             QStringLiteral("Font.Color"),
    QStringLiteral("Font.Italic"),           QStringLiteral("Font.Underline"),
    QStringLiteral("Font.Animation"),        QStringLiteral("Font.Emboss"),
    QStringLiteral("Font.Engrave"),          QStringLiteral("Font.Shadow"),
    QStringLiteral("Font.Strikethrough"),    QStringLiteral("ParagraphFormat.SpaceAfter"),
    QStringLiteral("Range.InsertParagraphAfter"), QStringLiteral("Paragraph.Reset"),
    QStringLiteral("ParagraphFormat.Reset"), QStringLiteral("Font.Reset"),
};

TEST_F(TextTest, TextToWordCallsWordInItsFixedOrder)
{
    hooks().setRecording(true);
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("Title")), Variant(true), Variant(QStringLiteral("Arial")),
                                    Variant(std::int16_t{18}), Variant(std::int16_t{6}), Variant(std::int32_t{1}),
                                    Variant(std::int32_t{255}), Variant(true), Variant(false), Variant(std::int32_t{2}),
                                    Variant(false), Variant(false), Variant(true), Variant(false),
                                    Variant(std::int32_t{10})}),
              1);
    const QStringList expected = {
        QStringLiteral("Document.GoTo(-1,\\StartOfDoc)"), QStringLiteral("Paragraphs.Add"),
        QStringLiteral("Range.SetText(Title)"),         QStringLiteral("Paragraph.Alignment(1)"),
        QStringLiteral("Font.Bold(true)"),              QStringLiteral("Font.Name(Arial)"),
        QStringLiteral("Font.Size(18)"),                QStringLiteral("Font.Color(255)"),
        QStringLiteral("Font.Italic(true)"),            QStringLiteral("Font.Underline(false)"),
        QStringLiteral("Font.Animation(2)"),            QStringLiteral("Font.Emboss(false)"),
        QStringLiteral("Font.Engrave(false)"),          QStringLiteral("Font.Shadow(true)"),
        QStringLiteral("Font.Strikethrough(false)"),    QStringLiteral("ParagraphFormat.SpaceAfter(6)"),
        QStringLiteral("Range.InsertParagraphAfter"),   QStringLiteral("Paragraph.Reset"),
        QStringLiteral("ParagraphFormat.Reset"),        QStringLiteral("Font.Reset"),
    };
    // Word's own inner calls (a paragraph's alignment and reset go to its format) aside.
    QStringList got;
    for (const QString& c : recorded(kTextSteps))
        if (c != QStringLiteral("ParagraphFormat.Alignment(1)") && (got.isEmpty() || got.back() != c))
            got << c;
    EXPECT_EQ(got.join(u' '), expected.join(u' '));
}

TEST_F(TextTest, TextToWordFailingAtAnyStepGivesMinusThree)
{
    for (const QString& step : kTextSteps) {
        hooks().clearFailures();
        hooks().failOn(step);
        EXPECT_EQ(status("TextToWord", {Variant(QStringLiteral("x"))}), -3) << step.toStdString();
    }
    hooks().clearFailures();
    hooks().failOn(QStringLiteral("Document.Activate"));
    EXPECT_EQ(status("TextToWord", {Variant(QStringLiteral("x"))}), -2);
}

TEST_F(TextTest, TextToWordWithOnlyTheTextUsesTheDefaultFormatAtTheEnd)
{
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("first"))}), 1);
    Args secondArgs(15, Variant::missing());
    secondArgs[0] = Variant(QStringLiteral("second"));
    secondArgs[14] = Variant(std::int32_t{99});
    ASSERT_EQ(call("TextToWord", secondArgs), Variant(std::int16_t{1}))
        << "an insertion point outside the enumeration means the end";
    const QString text = heldText();
    const int first = text.indexOf(QStringLiteral("first"));
    const int second = text.indexOf(QStringLiteral("second"));
    ASSERT_GE(first, 0);
    EXPECT_GT(second, first);
    const word::CharFormat& f = fontAt(first);
    EXPECT_EQ(f.name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(f.size, 12.0);
    EXPECT_EQ(f.color, 0);
    EXPECT_FALSE(f.bold || f.italic || f.underline || f.emboss || f.engrave || f.shadow || f.strikeThrough);
    EXPECT_EQ(f.animation, 0);
    EXPECT_EQ(paraOf(first).alignment, word::Alignment::Left);
    EXPECT_EQ(paraOf(first).spaceAfter, 10.0);
}

class FakeClipboard : public ClipboardText {
public:
    explicit FakeClipboard(QString text) : text_(std::move(text)) {}
    QString text() const override { return text_; }

private:
    QString text_;
};

TEST_F(TextTest, ClipboardTextToWordWritesTheClipboardsTextAsAParagraph)
{
    control.setClipboard(std::make_shared<FakeClipboard>(QStringLiteral("from the clipboard")));
    EXPECT_EQ(status("ClipboardTextToWord", {Variant(true)}), 1);
    const int at = heldText().indexOf(QStringLiteral("from the clipboard"));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(fontAt(at).bold);

    const int before = control.heldDocument()->paragraphs().count();
    control.setClipboard(std::make_shared<FakeClipboard>(QString()));
    EXPECT_EQ(status("ClipboardTextToWord"), 1);
    EXPECT_GT(control.heldDocument()->paragraphs().count(), before);

    hooks().failOn(QStringLiteral("Font.Size"));
    EXPECT_EQ(status("ClipboardTextToWord"), -3);
}

TEST_F(TextTest, ClipboardTextToWordReadsTheSystemClipboard)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("copied settings"));
    EXPECT_EQ(status("ClipboardTextToWord"), 1);
    EXPECT_TRUE(heldText().contains(QStringLiteral("copied settings")));
}

TEST_F(TextTest, PageBreaksGoAtTheEnd)
{
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("one"))}), 1);
    EXPECT_EQ(status("InsertPageBreak"), 1);
    EXPECT_EQ(status("InsertPageBreak"), 1);
    const QString text = heldText();
    EXPECT_EQ(text.count(QChar(word::kPageBreak)), 2);
    EXPECT_GT(text.indexOf(QChar(word::kPageBreak)), text.indexOf(QStringLiteral("one")));
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("last page"))}), 1);
    Args pages{Variant(std::int32_t{0})};
    ASSERT_EQ(call("NumberOfPages", pages), Variant(std::int16_t{1}));
    EXPECT_EQ(pages[0].toLong(), 3);
    for (const char* step : {"Bookmarks.Range", "Paragraphs.Add", "Range.InsertBreak"}) {
        hooks().clearFailures();
        hooks().failOn(QString::fromLatin1(step));
        EXPECT_EQ(status("InsertPageBreak"), -3) << step;
    }
}

TEST_F(TextTest, PicturePositionAndSizeGoToWordOnlyWhereGiven)
{
    const QString path = picture(96, 48);  // 72 by 36 points at 96 dpi
    const struct {
        float left, top, width, height;
        double expLeft, expTop, expWidth, expHeight;
    } cases[] = {
        {0, 0, 350, 200, 0, 0, 350, 200},
        {72, 72, 0, 0, 72, 72, 72, 36},
        {10, -10, 0, 0, 0, 0, 72, 36},
        {10, 10, 100, 100, 10, 10, 100, 100},
        {0, 0, 0, 0, 0, 0, 72, 36},
    };
    int n = 0;
    for (const auto& c : cases) {
        ASSERT_EQ(status("InsertPicture", {Variant(path), Variant(c.left), Variant(c.top), Variant(c.width),
                                           Variant(c.height)}),
                  1);
        const word::Shape shape = control.heldDocument()->shapes().item(++n);
        EXPECT_DOUBLE_EQ(shape.left(), c.expLeft) << n;
        EXPECT_DOUBLE_EQ(shape.top(), c.expTop) << n;
        EXPECT_NEAR(shape.width(), c.expWidth, 0.01) << n;
        EXPECT_NEAR(shape.height(), c.expHeight, 0.01) << n;
        EXPECT_FALSE(shape.picture().picture.linked);
    }
    ASSERT_EQ(status("InsertLinkedPicture", {Variant(path)}), 1);
    const word::Shape linked = control.heldDocument()->shapes().item(++n);
    EXPECT_TRUE(linked.picture().picture.linked);
    EXPECT_TRUE(linked.picture().picture.savedWithDocument);
}

TEST_F(TextTest, UnreadablePictureLeavesTheEmptyParagraphAndGivesMinusThree)
{
    const int before = control.heldDocument()->paragraphs().count();
    EXPECT_EQ(status("InsertPicture", {Variant(file(QStringLiteral("none.png")))}), -3);
    EXPECT_EQ(control.heldDocument()->paragraphs().count(), before + 1);
    EXPECT_EQ(control.heldDocument()->shapes().count(), 0);
}

TEST_F(TextTest, FindAndReplaceOverTheWholeDocument)
{
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("Gain 20 dB, gain 30 dB"))}), 1);
    EXPECT_EQ(status("FindInDocumentAndReplace", {Variant(QStringLiteral("gain")), Variant(QStringLiteral("Level")),
                                                  Variant(true)}),
              1);
    EXPECT_TRUE(heldText().contains(QStringLiteral("Gain 20 dB, Level 30 dB")));
    EXPECT_EQ(status("FindInDocumentAndReplace", {Variant(QStringLiteral("dB")), Variant(QStringLiteral("decibel"))}), 1);
    EXPECT_TRUE(heldText().contains(QStringLiteral("Gain 20 decibel, Level 30 decibel")));
    const QString unchanged = heldText();
    EXPECT_EQ(status("FindInDocumentAndReplace", {Variant(QStringLiteral("absent")), Variant(QStringLiteral("x"))}), 1);
    EXPECT_EQ(heldText(), unchanged);
    hooks().failOn(QStringLiteral("Find.Execute"));
    EXPECT_EQ(status("FindInDocumentAndReplace", {Variant(QStringLiteral("a")), Variant(QStringLiteral("b"))}), -3);
}

} // namespace
} // namespace tovu::control::testing
