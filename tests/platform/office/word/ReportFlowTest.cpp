// The calls the program's Word report makes, end to end: an empty file created and
// saved by one instance, reopened in another, a title page and items appended and saved
// after each, then closed. The file must read back, check out with an independent parser,
// and lay out on the pages its page breaks make.
#include "WordTestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

namespace tovu::platform::word::test {
namespace {

class ReportFlowTest : public WordTest {
protected:
    void appendParagraph(Document& d, const QString& text, bool bold)
    {
        d.goTo(-1, QStringLiteral("\\EndOfDoc"));
        Paragraph p = d.content().paragraphs().add();
        p.range().setText(text);
        p.setAlignment(Alignment::Center);
        p.range().font().setBold(bold);
        p.range().font().setName(QStringLiteral("Arial"));
        p.format().setSpaceAfter(5);
        p.range().insertParagraphAfter();
        p.reset();
        p.format().reset();
        p.range().font().reset();
    }
    void blankLines(Document& d, int lines)
    {
        Paragraph p = d.content().paragraphs().add();
        for (int k = 1; k < lines; ++k)
            p.range().setText(QStringLiteral("\r\n"));
        p.format().setSpaceAfter(0);
        p.range().insertParagraphAfter();
        p.reset();
    }
    void pageBreak(Document& d)
    {
        Range end = d.bookmarks().range(QStringLiteral("\\EndOfDoc"));
        d.content().paragraphs().add();
        end.insertBreak();
    }
    void picture(Document& d, const QString& path, bool linked, double l, double t, double w, double h)
    {
        Range anchor = d.bookmarks().range(QStringLiteral("\\EndOfDoc"));
        d.content().paragraphs().add();
        d.shapes().addPicture(path, linked, true, l, t, w, h, anchor);
    }
};

TEST_F(ReportFlowTest, CreateOpenAppendSaveAndClose)
{
    const QString report = file(QStringLiteral("Report.doc"));  // the dialog's filter gives .doc
    QImage logo(60, 40, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    const QString logoPath = file(QStringLiteral("Logo.bmp"));
    ASSERT_TRUE(logo.save(logoPath, "BMP"));
    const QString emf = emfFile(QStringLiteral("MetaTest.emf"));

    // Created and saved empty by an instance of its own, which then quits.
    {
        auto own = env->createApplication();
        auto created = own->documents().add();
        created->saveAs(report);
        created->close(false);
        own->quit(false);
    }
    // Reopened in the running instance.
    ASSERT_EQ(env->activeApplication(), app);
    auto held = app->documents().open(report);
    held->activate();
    picture(*held, logoPath, true, 135, 0, 150, 100);
    blankLines(*held, 4);
    blankLines(*held, 3);
    appendParagraph(*held, QStringLiteral("Weld inspection"), true);
    pageBreak(*held);
    for (int item = 1; item <= 2; ++item) {
        picture(*held, emf, false, 2, 0, 350, 200);
        blankLines(*held, 14);
        Range at = held->bookmarks().range(QStringLiteral("\\EndOfDoc"));
        held->content().paragraphs().add();
        at.setText(QStringLiteral("Setting\tValue\r\nGain\t%1 dB\r\n").arg(40 + item));
        TableFormatOptions look;
        look.format = 35;
        look.lastRow = look.lastColumn = false;
        at.convertToTable(QStringLiteral("\t"), 0, 0, 0, look);
        pageBreak(*held);
        appendParagraph(*held, QStringLiteral("Operator Notes"), true);
        appendParagraph(*held, QStringLiteral("Label :item %1").arg(item), false);
        pageBreak(*held);
        held->save();
    }
    const int pages = held->computeStatistics(Statistic::Pages);
    // Title page, then two pages per item; the last break begins no empty page.
    EXPECT_EQ(pages, 5);
    held->close(true);
    app->quit(false);

    // The saved file: our reader, an independent parser, and its pages.
    auto viewer = env->createApplication();
    auto back = viewer->documents().open(report);
    EXPECT_EQ(back->tables().count(), 2);
    EXPECT_EQ(back->shapes().count(), 3);
    EXPECT_TRUE(back->shapes().item(1).picture().picture.linked);
    EXPECT_EQ(back->shapes().item(2).picture().picture.format, PictureFormat::Emf);
    EXPECT_EQ(back->tables().item(2).cellText(2, 2), QStringLiteral("42 dB"));
    EXPECT_EQ(back->computeStatistics(Statistic::Pages), pages);
    QString out;
    const int rc = runTool(QStringLiteral("/usr/bin/python3"),
                           {QStringLiteral(TOVU_WORD_TEST_DIR "/check_docx.py"), report, QStringLiteral("--expect-text"),
                            QStringLiteral("Weld inspection"), QStringLiteral("--expect-text"), QStringLiteral("Label :item 2"),
                            QStringLiteral("--expect-media"), QStringLiteral("3")},
                           &out);
    if (rc != -1) {
        EXPECT_EQ(rc, 0) << out.toStdString();
    }
    const QString pdf = file(QStringLiteral("Report.pdf"));
    back->saveAs(pdf, SaveFormat::Pdf);
    const int pdfPages = pdfPageCount(pdf);
    if (pdfPages != -1) {
        EXPECT_EQ(pdfPages, pages);
    }
}

}  // namespace
}  // namespace tovu::platform::word::test
