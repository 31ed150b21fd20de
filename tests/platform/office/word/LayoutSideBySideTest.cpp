// The stand-in's own pages (its PDF, print and preview) against those of another word
// processor that reads the same .docx: every word on the same page at the same place,
// within a few points. Runs where LibreOffice is installed; skips elsewhere.
#include "WordTestSupport.h"

#include "platform/office/word/Document.h"
#include "platform/office/word/Range.h"
#include "platform/office/word/Tables.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStandardPaths>
#include <functional>

namespace tovu::platform::word::test {
namespace {

struct PlacedWord {
    QString text;
    int page = 0;
    double x = 0, y = 0;
};

// Words of a PDF with their page and top-left corner, in reading order.
std::vector<PlacedWord> wordsOf(const QString& pdf)
{
    QString boxes;
    if (runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &boxes) != 0)
        return {};
    std::vector<PlacedWord> out;
    int page = 0;
    static const QRegularExpression tag(QStringLiteral(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    for (auto it = tag.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        out.push_back(PlacedWord{m.captured(3), page, m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return out;
}

QString otherWordProcessor()
{
    for (const char* name : {"soffice", "libreoffice"})
        if (const QString path = QStandardPaths::findExecutable(QLatin1String(name)); !path.isEmpty())
            return path;
    return {};
}

class LayoutSideBySideTest : public WordTest {
protected:
    void SetUp() override
    {
        WordTest::SetUp();
        office = otherWordProcessor();
        if (office.isEmpty())
            GTEST_SKIP() << "LibreOffice (soffice) is not installed: install libreoffice-writer-nogui to compare pages";
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }

    // The document saved as .docx and as our PDF, and the .docx converted by the other
    // program; answers both PDFs' words.
    std::pair<std::vector<PlacedWord>, std::vector<PlacedWord>> sideBySide(const QString& name)
    {
        const QString docx = file(name + QStringLiteral(".docx"));
        doc->saveAs(docx);
        const QString ours = file(name + QStringLiteral("-ours.pdf"));
        doc->saveAs(ours, SaveFormat::Pdf);
        const QString outDir = file(QStringLiteral("other"));
        QDir().mkpath(outDir);
        QString log;
        runTool(office, {QStringLiteral("-env:UserInstallation=file://") + file(QStringLiteral("profile")),
                         QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                         QStringLiteral("pdf"), QStringLiteral("--outdir"), outDir, docx},
                &log);
        const QString theirs = QDir(outDir).filePath(name + QStringLiteral(".pdf"));
        EXPECT_TRUE(QFileInfo::exists(theirs)) << qPrintable(log);
        return {wordsOf(ours), wordsOf(theirs)};
    }

    // Append text at the end of the document and answer its range.
    Range append(const QString& text)
    {
        const int from = doc->content().end() - 1;
        doc->content().insertAfter(text);
        return doc->range(from, doc->content().end() - 1);
    }

    TableModel& lastTable()
    {
        TableModel* found = nullptr;
        for (int i = 0; i < static_cast<int>(doc->model().objects.size()); ++i)
            if (auto* t = doc->model().objectAs<TableModel>(i))
                found = t;
        return *found;
    }

    QString office;
};

TEST_F(LayoutSideBySideTest, WordsStandWhereTheOtherWordProcessorPutsThem)
{
    TableFormatOptions report;
    report.format = 35;
    report.lastRow = report.lastColumn = false;
    report.autoFit = true;
    TableFormatOptions plain;
    plain.format = 0;
    plain.autoFit = false;
    struct Case {
        const char* name;
        std::function<void()> build;
    } cases[] = {
        {"labels", [&] {
             // A label sheet: fixed columns of 2 5/8 in, rows of exactly 1 in.
             append(QStringLiteral("Ann\tBob\tCid\rDan\tEve\tFay\r")).convertToTable(QStringLiteral("\t"), 0, 0, 189, plain);
             lastTable().rowHeight = 72;
             lastTable().borders = true;
             append(QStringLiteral("Below"));
         }},
        {"report", [&] {
             // An item of the report: picture, blank lines, the settings grid (a table
             // format, fitted), a page of notes. Saved half way, so that the file the other
             // program reads is one written on from an earlier save.
             append(QStringLiteral("Heading\r"));
             doc->shapes().addPicture(emfFile(), false, true, 2.0, 0.0, 350.0, 200.0);
             append(QString(4, QLatin1Char('\r')));
             doc->saveAs(file(QStringLiteral("report.docx")));
             append(QStringLiteral("Setting\tValue\rGain\t40.0\rRange\t100\rDelay\t0.5\r")).convertToTable(QStringLiteral("\t"), 0, 0, 0, report);
             append(QStringLiteral("\x0C" "Operator Notes\rLabel :A1\r"));
         }},
        {"margins", [&] {
             // A table with cell margins of its own.
             append(QStringLiteral("Left\tRight\rDown\tUnder\r")).convertToTable(QStringLiteral("\t"), 0, 0, 0, plain);
             lastTable().cellMargins = CellMargins{10, 20, 10, 20};
             lastTable().borders = true;
             append(QStringLiteral("After"));
         }},
        {"two-tables", [&] {
             // Two tables with one empty paragraph between them.
             append(QStringLiteral("One\tTwo\r")).convertToTable(QStringLiteral("\t"), 0, 0, 0, plain);
             append(QStringLiteral("\r"));
             append(QStringLiteral("Three\tFour\r")).convertToTable(QStringLiteral("\t"), 0, 0, 0, plain);
             append(QStringLiteral("End"));
         }},
    };
    for (const Case& c : cases) {
        doc = app->documents().add();
        c.build();
        const auto [ours, theirs] = sideBySide(QLatin1String(c.name));
        ASSERT_FALSE(ours.empty()) << c.name;
        // The same words (each case's words are all different), each on the same page near
        // the same place.
        QMap<QString, PlacedWord> theirsByText;
        for (const auto& w : theirs)
            theirsByText.insert(w.text, w);
        QStringList oursText;
        for (const auto& w : ours)
            oursText << w.text;
        oursText.sort();
        EXPECT_EQ(oursText, QStringList(theirsByText.keys())) << c.name;
        for (const auto& w : ours) {
            if (!theirsByText.contains(w.text))
                continue;
            const PlacedWord& t = theirsByText[w.text];
            EXPECT_EQ(w.page, t.page) << c.name << " " << qPrintable(w.text);
            EXPECT_NEAR(w.x, t.x, 2.5) << c.name << " " << qPrintable(w.text);
            EXPECT_NEAR(w.y, t.y, 3.0) << c.name << " " << qPrintable(w.text);
        }
        doc->close(false);
    }
}

}  // namespace
}  // namespace tovu::platform::word::test
