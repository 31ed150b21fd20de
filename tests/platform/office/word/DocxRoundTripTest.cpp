// The .docx writer checked by our own reader and by an independent parser.
#include "WordTestSupport.h"

#include "platform/office/word/DocxReader.h"
#include "platform/office/word/DocxWriter.h"
#include "platform/zip/ZipArchive.h"
#include "platform/zip/ZipError.h"

#include <QFile>

namespace tovu::platform::word::test {
namespace {

class DocxRoundTripTest : public WordTest {
protected:
    // A report-like document: title, blank lines, pictures, fonts, page breaks, footer
    // page numbers, hyperlinks and a table.
    void buildReport()
    {
        doc->shapes().addPicture(pngFile(QStringLiteral("logo.png"), 30, 20), true, true, 135, 0, 150, 100,
                                 doc->bookmarks().range(QStringLiteral("\\EndOfDoc")));
        Range end = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
        end.insertAfter(QStringLiteral("\r\r\r"));
        Paragraph title = doc->content().paragraphs().add();
        title.range().setText(QStringLiteral("Inspection  report"));
        title.setAlignment(Alignment::Center);
        Font f = title.range().font();
        f.setName(QStringLiteral("Arial"));
        f.setSize(25);
        f.setBold(true);
        f.setUnderline(true);
        f.setColor(16711680);
        f.setAnimation(3);
        title.format().setSpaceAfter(10);
        title.range().insertParagraphAfter();
        title.reset();
        title.range().font().reset();

        doc->bookmarks().range(QStringLiteral("\\EndOfDoc")).insertBreak();
        doc->content().paragraphs().add();
        doc->inlineShapes().addPicture(emfFile(), false, true, doc->bookmarks().range(QStringLiteral("\\EndOfDoc")),
                                       pngBytes(20, 10, Qt::blue));
        doc->content().paragraphs().add();
        Paragraph link = doc->content().paragraphs().add();
        link.range().setText(QStringLiteral("Manual"));
        link.range().font().setItalic(true);
        doc->hyperlinks().add(link.range(), QStringLiteral("http://example.org/manual?a=1&b=2"));
        link.range().insertParagraphAfter();
        link.reset();
        link.range().font().reset();

        Range at = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
        at.setText(QStringLiteral("Setting\tValue\r\nGain\t42\r\n"));
        TableFormatOptions o;
        o.format = 35;
        at.convertToTable(QStringLiteral("\t"), 0, 0, 0, o);
        doc->bookmarks().add(QStringLiteral("Notes"), doc->content().paragraphs().last().range());
        doc->bookmarks().range(QStringLiteral("\\EndOfDoc")).insertBreak();
        doc->content().insertAfter(QStringLiteral("Notes :tab\there"));
        doc->sections().item(1).footers(1).pageNumbers().add(PageNumberAlignment::Right, true);
        doc->pageSetup().setOrientation(Orientation::Landscape);
        doc->pageSetup().setLeftMargin(50);
    }

    std::unique_ptr<DocumentModel> roundTrip(const DocumentModel& m)
    {
        return readDocx(buildDocx(m));
    }
};

// Compares what a reader must see of two models: text, formats, objects, setup.
void expectSameDocument(const DocumentModel& a, const DocumentModel& b)
{
    ASSERT_EQ(a.body.length(), b.body.length());
    for (int i = 0; i < a.body.length(); ++i) {
        const StoryChar& x = a.body.at(i);
        const StoryChar& y = b.body.at(i);
        ASSERT_EQ(x.ch, y.ch) << "at " << i;
        EXPECT_EQ(a.pool.font(x.font), b.pool.font(y.font)) << "font at " << i;
        if (x.ch == kParagraphMark) {
            EXPECT_EQ(a.pool.para(x.para), b.pool.para(y.para)) << "paragraph at " << i;
        }
        EXPECT_EQ(x.link != 0, y.link != 0) << "link at " << i;
        if (x.link) {
            EXPECT_EQ(a.hyperlink(x.link)->address, b.hyperlink(y.link)->address);
        }
        if (x.ch != kObjectChar)
            continue;
        const EmbeddedObject& ox = a.objects.at(static_cast<std::size_t>(x.object));
        const EmbeddedObject& oy = b.objects.at(static_cast<std::size_t>(y.object));
        ASSERT_EQ(ox.index(), oy.index()) << "object kind at " << i;
        if (const auto* p = std::get_if<InlinePicture>(&ox)) {
            const auto& q = std::get<InlinePicture>(oy);
            EXPECT_EQ(p->picture.bytes, q.picture.bytes);
            EXPECT_EQ(p->picture.format, q.picture.format);
            EXPECT_EQ(p->picture.fallbackPng, q.picture.fallbackPng);
            EXPECT_NEAR(p->width, q.width, 0.01);
        } else if (const auto* f = std::get_if<FloatingPicture>(&ox)) {
            const auto& g = std::get<FloatingPicture>(oy);
            EXPECT_EQ(f->picture.bytes, g.picture.bytes);
            EXPECT_EQ(f->picture.linked, g.picture.linked);
            EXPECT_EQ(f->picture.sourcePath, g.picture.sourcePath);
            EXPECT_NEAR(f->left, g.left, 0.01);
            EXPECT_NEAR(f->height, g.height, 0.01);
        } else if (const auto* t = std::get_if<TableModel>(&ox)) {
            const auto& u = std::get<TableModel>(oy);
            ASSERT_EQ(t->rows, u.rows);
            ASSERT_EQ(t->columns, u.columns);
            EXPECT_EQ(t->borders, u.borders);
            EXPECT_EQ(t->headingRows, u.headingRows);
            for (int r = 0; r < t->rows; ++r)
                for (int c = 0; c < t->columns; ++c) {
                    EXPECT_EQ(t->cell(r, c).text, u.cell(r, c).text);
                    EXPECT_EQ(t->cell(r, c).shading, u.cell(r, c).shading);
                    EXPECT_EQ(t->cell(r, c).font.bold || t->cell(r, c).bold, u.cell(r, c).font.bold || u.cell(r, c).bold);
                }
        }
    }
    const PageSetupModel& p = a.section.page;
    const PageSetupModel& q = b.section.page;
    EXPECT_EQ(p.orientation, q.orientation);
    EXPECT_NEAR(p.pageWidth, q.pageWidth, 0.05);
    EXPECT_NEAR(p.pageHeight, q.pageHeight, 0.05);
    EXPECT_NEAR(p.leftMargin, q.leftMargin, 0.05);
    EXPECT_EQ(a.section.differentFirstPage, b.section.differentFirstPage);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.section.footers[static_cast<std::size_t>(i)].pageNumber, b.section.footers[static_cast<std::size_t>(i)].pageNumber);
        EXPECT_EQ(a.section.headers[static_cast<std::size_t>(i)].pageNumber, b.section.headers[static_cast<std::size_t>(i)].pageNumber);
    }
    ASSERT_EQ(a.bookmarks.size(), b.bookmarks.size());
    for (std::size_t i = 0; i < a.bookmarks.size(); ++i) {
        EXPECT_EQ(a.bookmarks[i].name, b.bookmarks[i].name);
        EXPECT_EQ(a.bookmarks[i].range->start, b.bookmarks[i].range->start);
    }
}

TEST_F(DocxRoundTripTest, TheReaderGetsBackWhatTheWriterWrote)
{
    buildReport();
    auto back = roundTrip(doc->model());
    expectSameDocument(doc->model(), *back);
    // And once more from what was read: nothing drifts on a second save.
    auto again = roundTrip(*back);
    expectSameDocument(*back, *again);
}

TEST_F(DocxRoundTripTest, EmptyAndWhitespaceTextSurvive)
{
    doc->content().setText(QStringLiteral("  leading\r\r\ttab and trailing  \r"));
    auto back = roundTrip(doc->model());
    expectSameDocument(doc->model(), *back);
}

TEST_F(DocxRoundTripTest, AnIndependentParserAcceptsThePackage)
{
    buildReport();
    const QString path = file(QStringLiteral("report.docx"));
    doc->saveAs(path);
    QString out;
    const int rc = runTool(QStringLiteral("/usr/bin/python3"),
                           {QStringLiteral(TOVU_WORD_TEST_DIR "/check_docx.py"), path,
                            QStringLiteral("--expect-text"), QStringLiteral("Inspection  report"),
                            QStringLiteral("--expect-text"), QStringLiteral("Gain"),
                            QStringLiteral("--expect-media"), QStringLiteral("3"),
                            QStringLiteral("--expect-hyperlink"), QStringLiteral("http://example.org/manual?a=1&b=2"),
                            QStringLiteral("--expect-page-field")},
                           &out);
    if (rc == -1)
        GTEST_SKIP() << "python3 is not available";
    EXPECT_EQ(rc, 0) << out.toStdString();
}

TEST_F(DocxRoundTripTest, SavingGoesThroughATemporaryFile)
{
    const QString path = file(QStringLiteral("keep.docx"));
    doc->content().setText(QStringLiteral("first version"));
    doc->saveAs(path);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);  // no new files here
    doc->content().setText(QStringLiteral("second version"));
    const bool failed = [&] {
        try {
            doc->save();
            return false;
        } catch (const WordError&) {
            return true;
        }
    }();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!failed)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_FALSE(doc->saved());
    auto back = app->documents().open(path);
    EXPECT_EQ(back->content().text(), QStringLiteral("first version\r"));
}

TEST_F(DocxRoundTripTest, ForeignPartsAndElementsAreCarriedThrough)
{
    doc->content().setText(QStringLiteral("ours"));
    zip::ZipReader ours(buildDocx(doc->model()));
    // Make a "foreign" package: an unknown body element, a run with an unknown child, and
    // a custom part with its relationship and content type.
    QString documentXml = QString::fromUtf8(ours.read(QStringLiteral("word/document.xml")));
    documentXml.replace(QStringLiteral("<w:body>"),
                        QStringLiteral("<w:body><x:gadget xmlns:x=\"urn:example:gadget\" x:size=\"3\"><x:part/></x:gadget>"));
    documentXml.replace(QStringLiteral("<w:sectPr>"),
                        QStringLiteral("<w:p><w:r><w:t>run </w:t><w:footnoteReference w:id=\"2\"/></w:r></w:p><w:sectPr>"));
    QString rels = QString::fromUtf8(ours.read(QStringLiteral("word/_rels/document.xml.rels")));
    rels.replace(QStringLiteral("</Relationships>"),
                 QStringLiteral("<Relationship Id=\"rId99\" Type=\"urn:example:custom\" Target=\"custom/data.xml\"/></Relationships>"));
    QString types = QString::fromUtf8(ours.read(QStringLiteral("[Content_Types].xml")));
    types.replace(QStringLiteral("</Types>"),
                  QStringLiteral("<Override PartName=\"/word/custom/data.xml\" ContentType=\"application/x-example+xml\"/></Types>"));
    zip::ZipWriter foreign;
    for (const QString& name : ours.names()) {
        if (name == QLatin1String("word/document.xml"))
            foreign.add(name, documentXml.toUtf8());
        else if (name == QLatin1String("word/_rels/document.xml.rels"))
            foreign.add(name, rels.toUtf8());
        else if (name == QLatin1String("[Content_Types].xml"))
            foreign.add(name, types.toUtf8());
        else
            foreign.add(name, ours.read(name));
    }
    foreign.add(QStringLiteral("word/custom/data.xml"), "<data>kept</data>");

    auto model = readDocx(foreign.finish());
    EXPECT_EQ(model->body.text(0, 4), QString(QChar(kObjectChar)) + QStringLiteral("\rou"));
    zip::ZipReader resaved(buildDocx(*model));
    EXPECT_EQ(resaved.read(QStringLiteral("word/custom/data.xml")), QByteArray("<data>kept</data>"));
    const QString again = QString::fromUtf8(resaved.read(QStringLiteral("word/document.xml")));
    EXPECT_TRUE(again.contains(QStringLiteral("<x:gadget xmlns:x=\"urn:example:gadget\" x:size=\"3\"><x:part/></x:gadget>")));
    EXPECT_TRUE(again.contains(QStringLiteral("<w:footnoteReference w:id=\"2\"/>")));
    EXPECT_TRUE(QString::fromUtf8(resaved.read(QStringLiteral("word/_rels/document.xml.rels"))).contains(QStringLiteral("Id=\"rId99\"")));
    EXPECT_TRUE(QString::fromUtf8(resaved.read(QStringLiteral("[Content_Types].xml"))).contains(QStringLiteral("application/x-example+xml")));
}

TEST_F(DocxRoundTripTest, APartBeyondTheSizeLimitIsNotUnpacked)
{
    doc->content().setText(QString(5000, QLatin1Char('x')));
    const QByteArray package = buildDocx(doc->model());
    zip::ZipReader small(package, 4096);
    EXPECT_THROW(small.read(QStringLiteral("word/document.xml")), zip::ZipError);
    EXPECT_NO_THROW(small.read(QStringLiteral("[Content_Types].xml")));
    EXPECT_TRUE(zip::ZipReader(package).read(QStringLiteral("word/document.xml")).contains(QByteArray(5000, 'x')));
}

TEST_F(DocxRoundTripTest, DamagedAndProtectedFilesAreRefused)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"truncated.docx", buildDocx(doc->model()).left(200)},
        {"encrypted.docx", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(512, '\0')},
    };
    for (const Case& c : cases) {
        QFile f(file(QLatin1String(c.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        EXPECT_THROW(app->documents().open(f.fileName()), WordError) << c.name;
    }
    EXPECT_EQ(app->documents().count(), 1);
}

}  // namespace
}  // namespace tovu::platform::word::test
