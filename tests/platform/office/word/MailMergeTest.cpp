// Mail merge into label sheets: the label layout as merge fields, the AutoText entry that
// keeps it, the data sources, and the merged document read back from its file.
#include "WordTestSupport.h"

#include "platform/office/word/Document.h"
#include "platform/office/word/MailMerge.h"

#include <QFile>
#include <QRegularExpression>
#include <map>

namespace tovu::platform::word::test {
namespace {

using Cells = std::vector<std::vector<QString>>;

// A data file, queried with sql when one is given.
DataSourceArgs sourceFile(const QString& name, const QString& sql = {})
{
    DataSourceArgs args;
    args.name = name;
    args.sqlStatement = sql;
    return args;
}

class MailMergeTest : public WordTest {
protected:
    // The one-name address layout, typed into doc as a host does it.
    void typeLayout()
    {
        MailMerge merge(doc);
        MailMergeFields fields = merge.fields();
        const auto field = [&](const char* name) { fields.add(app->selection().range(), QLatin1String(name)); };
        const auto type = [&](const char* text) { app->selection().typeText(QLatin1String(text)); };
        const auto line = [&] { app->selection().typeParagraph(); };
        field("Contact_Name"), line(), field("Address1"), line(), field("Address2"), line();
        field("City"), type(", "), field("State"), type("  "), field("Postal_Code"), line(), field("Country");
    }

    // Lays the labels out, opens the source and merges; answers the merged document.
    std::shared_ptr<Document> mergeLabels(const DataSourceArgs& source)
    {
        typeLayout();
        NormalTemplate normal(app);
        AutoTextEntry entry = normal.addAutoText(QStringLiteral("MyLabelLayout"), doc->content());
        doc->content().deleteText();
        MailMerge merge(doc);
        merge.setMainDocumentType(MailingLabels);
        merge.openDataSource(source);
        MailingLabel(app).createNewDocument(QStringLiteral("5160"), QString(), QStringLiteral("MyLabelLayout"), 4);
        merge.setDestination(NewDocument);
        auto merged = merge.execute();
        entry.remove();
        return merged;
    }

    QString textFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }

    static Cells cells(const TableModel& t)
    {
        Cells out(static_cast<std::size_t>(t.rows));
        for (int r = 0; r < t.rows; ++r)
            for (int c = 0; c < t.columns; ++c)
                out[static_cast<std::size_t>(r)].push_back(t.cell(r, c).text);
        return out;
    }

    const QByteArray header = "Contact_Name\tAddress1\tAddress2\tCity\tState\tPostal_Code\tCountry\r\n";

    // One sheet of labels and one more: "Name 1" to "Name 31".
    QByteArray thirtyOneRecords() const
    {
        QByteArray data = header;
        for (int i = 1; i <= 31; ++i)
            data += QByteArray("Name ") + QByteArray::number(i) + "\tStreet\t\tTown\tST\t1\tLand\r\n";
        return data;
    }
};

TEST_F(MailMergeTest, LabelsAreMergedRecordByRecordAndReadBackFromTheSavedFile)
{
    const QString source = textFile(QStringLiteral("addresses.txt"),
                                    header + "Ann Lee\t1 Main St\t\tSpringfield\tIL\t62701\tUSA\r\n"
                                             "Bo Chen\t2 Oak Ave\tSuite 5\tDover\tDE\t19901\tUSA\r\n"
                                             "\r\n"
                                             "Cy Diaz\t3 Elm Rd\n");  // a short record: the rest is empty
    auto merged = mergeLabels(sourceFile(source));
    EXPECT_EQ(app->activeDocument(), merged);
    ASSERT_EQ(merged->tables().count(), 1);
    const TableModel& sheet = merged->tables().item(1).model();
    ASSERT_EQ(sheet.rows, 10);
    ASSERT_EQ(sheet.columns, 3);
    // A line of empty fields alone is left out; one with typed text stays.
    EXPECT_EQ(sheet.cell(0, 0).text, QStringLiteral("Ann Lee\r1 Main St\rSpringfield, IL  62701\rUSA"));
    EXPECT_EQ(sheet.cell(0, 1).text, QStringLiteral("Bo Chen\r2 Oak Ave\rSuite 5\rDover, DE  19901\rUSA"));
    EXPECT_EQ(sheet.cell(0, 2).text, QStringLiteral("Cy Diaz\r3 Elm Rd\r,   "));
    EXPECT_EQ(sheet.cell(1, 0).text, QString());
    EXPECT_DOUBLE_EQ(merged->model().section.page.pageWidth, 612);
    EXPECT_DOUBLE_EQ(merged->model().section.page.pageHeight, 792);

    const QString path = file(QStringLiteral("labels.docx"));
    merged->saveAs(path);
    auto reopened = app->documents().open(path);
    ASSERT_EQ(reopened->tables().count(), 1);
    EXPECT_EQ(cells(reopened->tables().item(1).model()), cells(sheet));
    QString out;
    const int rc = runTool(QStringLiteral("/usr/bin/python3"),
                           {QStringLiteral(TOVU_WORD_TEST_DIR "/check_docx.py"), path, QStringLiteral("--expect-text"),
                            QStringLiteral("Suite 5")},
                           &out);
    if (rc == -1)
        GTEST_SKIP() << "python3 is not available";
    EXPECT_EQ(rc, 0) << out.toStdString();
}

TEST_F(MailMergeTest, ASheetHoldsThirtyLabelsAndTheNextSheetStartsANewPage)
{
    auto merged = mergeLabels(sourceFile(textFile(QStringLiteral("many.txt"), thirtyOneRecords())));
    ASSERT_EQ(merged->tables().count(), 2);
    EXPECT_TRUE(merged->tables().item(1).model().cell(9, 2).text.startsWith(QLatin1String("Name 30\r")));
    EXPECT_TRUE(merged->tables().item(2).model().cell(0, 0).text.startsWith(QLatin1String("Name 31\r")));
    EXPECT_EQ(merged->tables().item(2).model().cell(0, 1).text, QString());
    const Story& body = merged->model().body;
    EXPECT_EQ(std::count_if(body.chars().begin(), body.chars().end(), [](const StoryChar& c) { return c.ch == kPageBreak; }), 1);
}

TEST_F(MailMergeTest, LabelsSitAtTheSheetsPitchInTheFileAndOnThePage)
{
    auto merged = mergeLabels(sourceFile(textFile(QStringLiteral("pitch.txt"), thirtyOneRecords())));
    ASSERT_EQ(merged->tables().count(), 2);
    EXPECT_DOUBLE_EQ(merged->tables().item(1).model().rowHeight, 72) << "one inch a label";
    const QString path = file(QStringLiteral("pitch.docx"));
    merged->saveAs(path);
    auto reopened = app->documents().open(path);
    ASSERT_EQ(reopened->tables().count(), 2);
    EXPECT_DOUBLE_EQ(reopened->tables().item(2).model().rowHeight, 72);

    // On the printed sheet each label's first line lies one pitch below the one above it,
    // whatever its text's height; thirty labels fill the first page, and the second sheet
    // sits on its page as the first does.
    const QString pdf = file(QStringLiteral("pitch.pdf"));
    reopened->saveAs(pdf, SaveFormat::Pdf);
    QString boxes;
    if (runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &boxes) == -1)
        GTEST_SKIP() << "poppler tools are not available";
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    std::map<int, std::pair<int, double>> labelTops;  // label -> page, top of its "Name"
    const QStringList pages = boxes.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1);
    for (int p = 0; p < pages.size(); ++p) {
        QStringList texts;
        std::vector<double> tops;
        for (auto it = word.globalMatch(pages[p]); it.hasNext();) {
            const auto m = it.next();
            texts << m.captured(3);
            tops.push_back(m.captured(2).toDouble());
        }
        for (int i = 0; i + 1 < texts.size(); ++i)
            if (texts[i] == QLatin1String("Name"))
                labelTops[texts[i + 1].toInt()] = {p + 1, tops[static_cast<std::size_t>(i)]};
    }
    ASSERT_EQ(labelTops.size(), 31u) << boxes.left(3000).toStdString();
    EXPECT_EQ(labelTops[30].first, 1);
    EXPECT_EQ(labelTops[31].first, 2);
    for (int row = 1; row < 10; ++row)
        EXPECT_NEAR(labelTops[1 + 3 * row].second - labelTops[1 + 3 * (row - 1)].second, 72.0, 1.0) << "row " << row;
    EXPECT_NEAR(labelTops[2].second, labelTops[1].second, 0.5) << "a row's labels side by side";
    // Below only the one-point line of the mark the page break leaves on the new page.
    EXPECT_NEAR(labelTops[31].second, labelTops[1].second, 2.5) << "the next sheet from the top of its page";
}

TEST_F(MailMergeTest, CommaSourcesKeepQuotedCommasAndAnsiTextIsDecoded)
{
    const QString source = textFile(QStringLiteral("comma.csv"),
                                    "Contact_Name,Address1,Address2,City,State,Postal_Code,Country\n"
                                    "\"Lee, Ann\",\"1 \"\"Main\"\" St\",,Z\xfcrich,ZH,8001,CH\n");
    auto merged = mergeLabels(sourceFile(source));
    EXPECT_EQ(merged->tables().item(1).model().cell(0, 0).text,
              QStringLiteral("Lee, Ann\r1 \"Main\" St\rZ\u00fcrich, ZH  8001\rCH"));
}

TEST_F(MailMergeTest, AMergeThatCannotBeMadeFailsAndNamesWhy)
{
    const QString noCountry = textFile(QStringLiteral("short.txt"),
                                       "Contact_Name\tAddress1\tAddress2\tCity\tState\tPostal_Code\nA\tB\tC\tD\tE\tF\n");
    const QString empty = textFile(QStringLiteral("empty.txt"), header);
    const struct {
        const char* what;
        DataSourceArgs source;
        const char* reason;
    } cases[] = {
        {"a field the source lacks", sourceFile(noCountry), "no field \"Country\""},
        {"a source without records", sourceFile(empty), "no record"},
        {"a query on a text file", sourceFile(empty, QStringLiteral("SELECT * FROM x")), "query"},
        {"a missing file", sourceFile(file(QStringLiteral("none.txt"))), "cannot open"},
    };
    for (const auto& c : cases) {
        doc = app->documents().add();
        try {
            mergeLabels(c.source);
            ADD_FAILURE() << c.what << " merged";
        } catch (const WordError& e) {
            EXPECT_TRUE(e.description().contains(QLatin1String(c.reason))) << c.what << ": " << e.what();
        }
    }
}

TEST_F(MailMergeTest, ExecuteNeedsALabelsMainDocumentWithItsSourceAndANewDocumentAsDestination)
{
    MailMerge plain(doc);
    EXPECT_THROW(plain.execute(), WordError);
    // A data source makes a form-letters main document, which is not merged here.
    plain.openDataSource(sourceFile(textFile(QStringLiteral("b.txt"), header + "A\tB\tC\tD\tE\tF\tG\n")));
    EXPECT_EQ(plain.mainDocumentType(), FormLetters);
    EXPECT_THROW(plain.execute(), WordError);
    MailMerge fresh(app->documents().add());
    fresh.setMainDocumentType(MailingLabels);
    MailingLabel(app).createNewDocument(QStringLiteral("5160"), QString(), QString(), 4);
    EXPECT_THROW(fresh.execute(), WordError);  // no data source
    fresh.openDataSource(sourceFile(textFile(QStringLiteral("a.txt"), header + "A\tB\tC\tD\tE\tF\tG\n")));
    fresh.setDestination(Printer);
    EXPECT_THROW(fresh.execute(), WordError);
    fresh.setDestination(NewDocument);
    EXPECT_NO_THROW(fresh.execute());
    EXPECT_THROW(MailingLabel(app).createNewDocument(QStringLiteral("9999"), QString(), QString(), 4), WordError);
    EXPECT_THROW(MailingLabel(app).createNewDocument(QStringLiteral("5160"), QString(), QStringLiteral("none"), 4),
                 WordError);
}

TEST_F(MailMergeTest, TheAutoTextEntryKeepsTheFieldsAndStaysInTheTemplateUntilDeleted)
{
    typeLayout();
    NormalTemplate normal(app);
    AutoTextEntry entry = normal.addAutoText(QStringLiteral("MyLabelLayout"), doc->content());
    EXPECT_FALSE(normal.saved());
    const MergeLayout layout = entry.value();
    ASSERT_EQ(layout.size(), 13u);
    EXPECT_EQ(layout[0], (LayoutPiece{QString(), QStringLiteral("Contact_Name")}));
    EXPECT_EQ(layout[1], (LayoutPiece{QStringLiteral("\r"), QString()}));
    EXPECT_EQ(layout[7], (LayoutPiece{QStringLiteral(", "), QString()}));
    EXPECT_EQ(layout[9], (LayoutPiece{QStringLiteral("  "), QString()}));
    EXPECT_EQ(layout[12], (LayoutPiece{QString(), QStringLiteral("Country")}));
    // The template is the installation's: another instance sees the entry too.
    auto other = env->createApplication();
    EXPECT_TRUE(NormalTemplate(other).hasAutoText(QStringLiteral("mylabellayout")));
    entry.remove();
    EXPECT_FALSE(NormalTemplate(other).hasAutoText(QStringLiteral("MyLabelLayout")));
    EXPECT_THROW(entry.remove(), WordError);
}

TEST_F(MailMergeTest, MergeFieldsTravelThroughTheFileAsFields)
{
    typeLayout();
    const QString path = file(QStringLiteral("layout.docx"));
    doc->saveAs(path);
    auto reopened = app->documents().open(path);
    EXPECT_EQ(layoutOf(reopened->content()), layoutOf(doc->content()));
    EXPECT_EQ(MailMergeFields(reopened->state()).count(), 7);
}

}  // namespace
}  // namespace tovu::platform::word::test
