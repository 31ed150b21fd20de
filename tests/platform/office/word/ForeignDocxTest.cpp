// A package as another word processor writes it: styles, numbering, complex fields,
// a section break with its own header, merged cells, content controls. What the model
// reads must come out right; what it does not read must survive a re-save intact.
#include "WordTestSupport.h"

#include "platform/office/word/DocxReader.h"
#include "platform/office/word/DocxWriter.h"
#include "platform/zip/ZipArchive.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>

namespace tovu::platform::word::test {
namespace {

const char* kContentTypes = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Default Extension="png" ContentType="image/png"/>
<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>
<Override PartName="/word/numbering.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml"/>
<Override PartName="/word/header1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"/>
<Override PartName="/word/footer1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"/>
</Types>)";

const char* kPackageRels = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>
</Relationships>)";

const char* kDocumentRels = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering" Target="numbering.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" Target="header1.xml"/>
<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer" Target="footer1.xml"/>
<Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/image1.png"/>
<Relationship Id="rId6" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target="https://example.org/" TargetMode="External"/>
</Relationships>)";

const char* kDocument = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml" xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture" mc:Ignorable="w14">
<w:body>
<w:p w14:paraId="1A2B3C4D"><w:pPr><w:pStyle w:val="Heading1"/><w:spacing w:after="160" w:line="259" w:lineRule="auto"/><w:jc w:val="center"/></w:pPr><w:bookmarkStart w:id="0" w:name="_GoBack"/><w:r><w:rPr><w:b/><w:lang w:val="de-DE"/></w:rPr><w:t>Bericht</w:t></w:r><w:bookmarkEnd w:id="0"/><w:proofErr w:type="spellStart"/></w:p>
<w:p><w:pPr><w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr></w:pPr><w:r><w:t xml:space="preserve">Item </w:t></w:r><w:hyperlink w:anchor="Table1"><w:r><w:t>see table</w:t></w:r></w:hyperlink><w:hyperlink r:id="rId6"><w:r><w:rPr><w:rStyle w:val="Hyperlink"/><w:highlight w:val="yellow"/></w:rPr><w:t>site</w:t></w:r></w:hyperlink></w:p>
<w:p><w:r><w:drawing><wp:inline><wp:extent cx="127000" cy="63500"/><wp:docPr id="3" name="Picture 3"/><a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:pic><pic:blipFill><a:blip r:embed="rId5"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r><w:r><mc:AlternateContent><mc:Choice Requires="w14"><w:t>new</w:t></mc:Choice><mc:Fallback><w:t>old</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>
<w:p><w:pPr><w:sectPr><w:headerReference w:type="default" r:id="rId3"/><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:pPr></w:p>
<w:sdt><w:sdtPr><w:alias w:val="Field"/></w:sdtPr><w:sdtContent><w:p><w:r><w:t>inside control</w:t></w:r></w:p></w:sdtContent></w:sdt>
<w:tbl><w:tblPr><w:tblW w:w="0" w:type="auto"/></w:tblPr><w:tblGrid><w:gridCol w:w="2000"/><w:gridCol w:w="2000"/></w:tblGrid><w:tr><w:tc><w:tcPr><w:gridSpan w:val="2"/></w:tcPr><w:p><w:r><w:t>merged</w:t></w:r></w:p></w:tc></w:tr></w:tbl>
<w:tbl><w:tblPr><w:tblBorders><w:top w:val="single" w:sz="4"/></w:tblBorders></w:tblPr><w:tblGrid><w:gridCol w:w="2000"/><w:gridCol w:w="2000"/></w:tblGrid><w:tr><w:trPr><w:tblHeader/></w:trPr><w:tc><w:tcPr><w:shd w:val="clear" w:color="auto" w:fill="FF0000"/></w:tcPr><w:p><w:r><w:t>A</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>B</w:t></w:r></w:p></w:tc></w:tr></w:tbl>
<w:p><w:r><w:t>end</w:t></w:r></w:p>
<w:sectPr><w:headerReference w:type="default" r:id="rId3"/><w:footerReference w:type="default" r:id="rId4"/><w:pgSz w:w="12240" w:h="15840"/><w:pgMar w:top="1440" w:right="1800" w:bottom="1440" w:left="1800" w:header="720" w:footer="720" w:gutter="0"/></w:sectPr>
</w:body></w:document>)";

const char* kHeader = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:hdr xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:p><w:r><w:t>Head</w:t></w:r></w:p></w:hdr>)";

const char* kFooter = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:ftr xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:p><w:pPr><w:jc w:val="center"/></w:pPr><w:r><w:t xml:space="preserve">Page </w:t></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> PAGE \* MERGEFORMAT </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>7</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r></w:p></w:ftr>)";

QByteArray foreignPackage(const QByteArray& documentRels = kDocumentRels)
{
    zip::ZipWriter zip;
    zip.add(QStringLiteral("[Content_Types].xml"), kContentTypes);
    zip.add(QStringLiteral("_rels/.rels"), kPackageRels);
    zip.add(QStringLiteral("word/_rels/document.xml.rels"), documentRels);
    zip.add(QStringLiteral("word/document.xml"), kDocument);
    zip.add(QStringLiteral("word/styles.xml"), "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"/>");
    zip.add(QStringLiteral("word/numbering.xml"), "<w:numbering xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"/>");
    zip.add(QStringLiteral("word/header1.xml"), kHeader);
    zip.add(QStringLiteral("word/footer1.xml"), kFooter);
    zip.add(QStringLiteral("word/media/image1.png"), pngBytes(4, 2));
    return zip.finish();
}

using ForeignDocxTest = WordTest;

TEST_F(ForeignDocxTest, WhatTheModelReadsComesOutRight)
{
    auto m = readDocx(foreignPackage());
    const Story& body = m->body;
    const QString text = body.text(0, body.length());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Bericht\rItem see tablesite\r")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("end\r")));
    const StoryChar& b = body.at(0);
    EXPECT_TRUE(body.pool().font(b.font).bold);
    const ParaFormat first = body.pool().para(body.at(7).para);
    EXPECT_EQ(first.alignment, Alignment::Center);
    EXPECT_EQ(first.spaceAfter, 8);
    ASSERT_EQ(m->bookmarks.size(), 1u);
    EXPECT_EQ(m->bookmarks[0].name, QStringLiteral("_GoBack"));
    EXPECT_EQ(m->bookmarks[0].range->end, 7);
    // Links: one to a place in the document, one to a site.
    ASSERT_EQ(m->hyperlinks.size(), 2u);
    EXPECT_EQ(m->hyperlinks[0].subAddress, QStringLiteral("Table1"));
    EXPECT_EQ(m->hyperlinks[1].address, QStringLiteral("https://example.org/"));
    // The picture, the plain table with its heading row and shading.
    int pictures = 0, tables = 0, carriedBlocks = 0;
    for (const auto& o : m->objects) {
        if (const auto* p = std::get_if<InlinePicture>(&o)) {
            ++pictures;
            EXPECT_EQ(p->picture.format, PictureFormat::Png);
            EXPECT_NEAR(p->width, 10, 0.01);
        } else if (const auto* t = std::get_if<TableModel>(&o)) {
            ++tables;
            EXPECT_EQ(t->headingRows, 1);
            EXPECT_TRUE(t->borders);
            EXPECT_EQ(t->cell(0, 0).shading, wordFromHex(QStringLiteral("FF0000")));
        } else if (const auto* c = std::get_if<CarriedXml>(&o)) {
            carriedBlocks += c->block ? 1 : 0;
        }
    }
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(carriedBlocks, 2);  // the content control and the merged table
    // Page setup and the footer's complex PAGE field.
    EXPECT_NEAR(m->section.page.pageWidth, 612, 0.01);
    EXPECT_NEAR(m->section.page.leftMargin, 90, 0.01);
    const Story& footer = m->section.footer(HeaderFooterIndex::Primary).story;
    EXPECT_EQ(footer.text(0, 5), QStringLiteral("Page "));
    EXPECT_TRUE(m->objectAs<Field>(footer.at(5).object));
    EXPECT_EQ(footer.length(), 7);  // the field's old result is not kept as text
    EXPECT_EQ(m->section.header(HeaderFooterIndex::Primary).story.text(0, 4), QStringLiteral("Head"));
}

TEST_F(ForeignDocxTest, WhatItDoesNotReadSurvivesAReSave)
{
    auto m = readDocx(foreignPackage());
    const QByteArray resaved = buildDocx(*m);
    const QString path = file(QStringLiteral("resaved.docx"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(resaved);
    f.close();
    QString out;
    const int rc = runTool(QStringLiteral("/usr/bin/python3"),
                           {QStringLiteral(TOVU_WORD_TEST_DIR "/check_docx.py"), path, QStringLiteral("--expect-text"),
                            QStringLiteral("Bericht"), QStringLiteral("--expect-page-field")},
                           &out);
    if (rc == -1)
        GTEST_SKIP() << "python3 is not available";
    EXPECT_EQ(rc, 0) << out.toStdString();

    zip::ZipReader z(resaved);
    const QString doc = QString::fromUtf8(z.read(QStringLiteral("word/document.xml")));
    for (const char* kept : {
             "<w:pStyle w:val=\"Heading1\"/>",
             "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr>",
             "w:line=\"259\"",
             "<w:lang w:val=\"de-DE\"/>",
             "<w:highlight w:val=\"yellow\"/>",
             "<mc:AlternateContent><mc:Choice Requires=\"w14\"><w:t>new</w:t></mc:Choice>",
             "<w:sdt><w:sdtPr><w:alias w:val=\"Field\"/></w:sdtPr>",
             "<w:gridSpan w:val=\"2\"/>",
             "<w:headerReference w:type=\"default\" r:id=\"rId3\"/><w:pgSz w:w=\"11906\" w:h=\"16838\"/>",
             "mc:Ignorable=\"w14\"",
         })
        EXPECT_TRUE(doc.contains(QLatin1String(kept))) << kept;
    // The section break's header goes along, with its relationship; numbering too.
    const QString rels = QString::fromUtf8(z.read(QStringLiteral("word/_rels/document.xml.rels")));
    EXPECT_TRUE(rels.contains(QStringLiteral("Id=\"rId3\"")));
    EXPECT_TRUE(rels.contains(QStringLiteral("Id=\"rId2\"")));
    EXPECT_TRUE(z.contains(QStringLiteral("word/header1.xml")));
    EXPECT_TRUE(z.contains(QStringLiteral("word/numbering.xml")));
    // The picture was read into the model: its original part is not doubled.
    EXPECT_FALSE(z.contains(QStringLiteral("word/media/image1.png")));
    // And a second round reads the same text.
    auto again = readDocx(resaved);
    EXPECT_EQ(again->body.text(0, again->body.length()), m->body.text(0, m->body.length()));
}

TEST_F(ForeignDocxTest, OurRelationshipsNeverTakeTheIdOfOneCarriedFromTheFile)
{
    // The numbering part's relationship, which the model carries, named as ours are.
    const QByteArray rels = QByteArray(kDocumentRels).replace("Id=\"rId2\"", "Id=\"tvR1\"");
    auto m = readDocx(foreignPackage(rels));
    zip::ZipReader z(buildDocx(*m));
    const QString written = QString::fromUtf8(z.read(QStringLiteral("word/_rels/document.xml.rels")));
    static const QRegularExpression relationship(QStringLiteral("<Relationship Id=\"([^\"]+)\"[^>]*Target=\"([^\"]+)\""));
    QMap<QString, QStringList> targets;
    for (auto it = relationship.globalMatch(written); it.hasNext();) {
        const auto match = it.next();
        targets[match.captured(1)] << match.captured(2);
    }
    ASSERT_TRUE(targets.contains(QStringLiteral("tvR1"))) << written.toStdString();
    EXPECT_EQ(targets[QStringLiteral("tvR1")], QStringList{QStringLiteral("numbering.xml")});
    for (auto it = targets.begin(); it != targets.end(); ++it)
        EXPECT_EQ(it.value().size(), 1) << it.key().toStdString() << " names " << it.value().join(QLatin1Char(' ')).toStdString();
    EXPECT_GE(targets.size(), 5) << "styles, settings, numbering and the section's header and footer";
}

}  // namespace
}  // namespace tovu::platform::word::test
