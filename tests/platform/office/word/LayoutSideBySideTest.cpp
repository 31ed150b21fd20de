// The stand-in's own pages (its PDF, print and preview) against those of another word
// processor that reads the same .docx: every word on the same page at the same place,
// within a few points. Runs where LibreOffice is installed; skips elsewhere.
#include "WordTestSupport.h"
#include "support/SideBySide.h"

#include "platform/office/word/Document.h"
#include "platform/office/word/Range.h"
#include "platform/office/word/Tables.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cstdio>
#include <functional>

namespace tovu::platform::word::test {
namespace {

using tovu::test::PlacedWord;

class LayoutSideBySideTest : public WordTest {
protected:
    void SetUp() override
    {
        WordTest::SetUp();
        QString why;
        office = tovu::test::otherWordProcessor(&why);
        if (office.isEmpty())
            GTEST_SKIP() << qPrintable(why);
    }

    // The document saved as .docx and as our PDF, and the .docx converted by the other
    // program; answers both PDFs' words.
    std::pair<tovu::test::PdfWords, tovu::test::PdfWords> sideBySide(const QString& name)
    {
        const QString docx = file(name + QStringLiteral(".docx"));
        doc->saveAs(docx);
        const QString ours = file(name + QStringLiteral("-ours.pdf"));
        doc->saveAs(ours, SaveFormat::Pdf);
        QString log;
        const QString theirs = tovu::test::convertToPdf(office, docx, file(QStringLiteral("other")), &log);
        EXPECT_FALSE(theirs.isEmpty()) << qPrintable(log);
        return {tovu::test::wordsOf(ours), tovu::test::wordsOf(theirs)};
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
        const auto [oursPdf, theirsPdf] = sideBySide(QLatin1String(c.name));
        const std::vector<PlacedWord>& ours = oursPdf.words;
        const std::vector<PlacedWord>& theirs = theirsPdf.words;
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

// The settings grid as the report writes it: Arial 10 in the cells, no space after, the
// cells' paragraph marks in the document's default font (12 pt Times), which the other word
// processor counts in each line's height. The rows' pitch must agree within 1 %.
TEST_F(LayoutSideBySideTest, SettingsTableRowsAreAsHighAsTheOtherWordProcessorsRows)
{
    constexpr int kRows = 31;
    QString text;
    for (int r = 1; r <= kRows; ++r)
        // Every other row with an empty cell, whose line is its paragraph mark's.
        text += QStringLiteral("R%1\tGain\t%2.0\t%3\tx\r").arg(r, 2, 10, QLatin1Char('0')).arg(r).arg(r % 2 ? QStringLiteral("dB") : QString());
    TableFormatOptions report;
    report.format = 35;
    report.lastRow = report.lastColumn = false;
    report.autoFit = true;
    Range cells = append(text);
    cells.font().setName(QStringLiteral("Arial"));
    cells.font().setSize(10);
    cells.convertToTable(QStringLiteral("\t"), 0, 0, 0, report);
    append(QStringLiteral("Below"));
    const auto [ours, theirs] = sideBySide(QStringLiteral("settings"));
    const auto rowTop = [](const tovu::test::PdfWords& pdf, int row) {
        const QString label = QStringLiteral("R%1").arg(row, 2, 10, QLatin1Char('0'));
        for (const PlacedWord& w : pdf.words)
            if (w.text == label)
                return w.y;
        ADD_FAILURE() << "no row " << qPrintable(label);
        return 0.0;
    };
    const double oursPitch = (rowTop(ours, kRows) - rowTop(ours, 1)) / (kRows - 1);
    const double theirsPitch = (rowTop(theirs, kRows) - rowTop(theirs, 1)) / (kRows - 1);
    std::printf("settings rows: %.2f pt here, %.2f pt in LibreOffice\n", oursPitch, theirsPitch);
    EXPECT_NEAR(oursPitch, theirsPitch, theirsPitch * 0.01);
    EXPECT_EQ(ours.pages, theirs.pages);
}

}  // namespace
}  // namespace tovu::platform::word::test
