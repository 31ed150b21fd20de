// Mailing labels through mail merge: from a text file and from queries on an ODBC data
// source (a SQLite database behind a DSN), each in a Word the method starts and leaves
// running; the labels read back from their saved file.
#include "ControlFixture.h"
#include "support/OdbcDataSource.h"

#include "platform/office/word/Document.h"
#include "platform/office/word/MailMerge.h"

namespace tovu::control::testing {
namespace {

using Cells = std::vector<std::vector<QString>>;

test::OdbcDataSource* contacts()
{
    static auto* source = new test::OdbcDataSource(
        QStringLiteral("tovucontacts"),
        {QStringLiteral("CREATE TABLE contacts (Contact_Name TEXT, First_Name TEXT, Last_Name TEXT, First_Name1 TEXT, "
                        "Last_Name1 TEXT, First_Name2 TEXT, Last_Name2 TEXT, Address1 TEXT, Address2 TEXT, City TEXT, "
                        "State TEXT, Postal_Code TEXT, Country TEXT)"),
         QStringLiteral("INSERT INTO contacts VALUES ('Ann Lee', 'Ann', 'Lee', 'Ann', 'Lee', 'Bo', 'Lee', '1 Main St', "
                        "NULL, 'Springfield', 'IL', '62701', 'USA'), ('Cy Diaz', 'Cy', 'Diaz', 'Cy', 'Diaz', 'Di', "
                        "'Diaz', '2 Oak Ave', 'Suite 5', 'Dover', 'DE', 19901, 'USA')")},
        [] { ensureGui(); });
    return source;
}
[[maybe_unused]] const auto* const contactsSource = ::testing::AddGlobalTestEnvironment(contacts());

const QString kAll = QStringLiteral("SELECT * FROM contacts ORDER BY Contact_Name");

class LabelsTest : public ControlTest {
protected:
    void SetUp() override { ensureGui(); }

    // The Word the method started: the one the table offers, since none ran before.
    std::shared_ptr<word::Application> labelsWord() { return environment.activeApplication(); }

    // The labels document of that Word, saved and read back by another instance.
    Cells savedLabels()
    {
        auto app = labelsWord();
        if (!app)
            return {};
        const QString path = file(QStringLiteral("labels%1.docx").arg(++saved));
        app->activeDocument()->saveAs(path);
        auto reader = environment.createApplication();
        reader->setOfferedAsActive(false);
        auto doc = reader->documents().open(path);
        Cells cells;
        for (int t = 1; t <= doc->tables().count(); ++t) {
            const word::TableModel& m = doc->tables().item(t).model();
            for (const auto& cell : m.cells)
                if (!cell.text.isEmpty())
                    cells.push_back({cell.text});
        }
        reader->quit(false);
        return cells;
    }

    word::NormalTemplate normalTemplate() { return word::NormalTemplate(labelsWord()); }

    QString textSource()
    {
        QFile f(file(QStringLiteral("addresses.txt")));
        f.open(QIODevice::WriteOnly);
        f.write("Contact_Name\tAddress1\tAddress2\tCity\tState\tPostal_Code\tCountry\r\n"
                "Ann Lee\t1 Main St\t\tSpringfield\tIL\t62701\tUSA\r\n");
        return f.fileName();
    }

    QStringList& messages = shownMessages;
    int saved = 0;
};

TEST_F(LabelsTest, ATextFileBecomesLabelsInAVisibleWordLeftRunning)
{
    ASSERT_EQ(status("CreateLabelsFromTextFile", {Variant(textSource())}), 1);
    auto app = labelsWord();
    ASSERT_TRUE(app);
    EXPECT_TRUE(app->visible());
    // The layout document is closed; the labels are what stays open.
    EXPECT_EQ(app->documents().count(), 1);
    EXPECT_EQ(savedLabels(), (Cells{{"Ann Lee\r1 Main St\rSpringfield, IL  62701\rUSA"}}));
    EXPECT_FALSE(normalTemplate().hasAutoText(QStringLiteral("MyLabelLayout")));
    EXPECT_TRUE(normalTemplate().saved());
    // The held objects are not the method's.
    EXPECT_FALSE(control.heldDocument());
    EXPECT_FALSE(control.heldApplication());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LabelsTest, EachDatabaseMemberLaysItsNamesOutAndSetsTheVersion)
{
    const struct {
        const char* method;
        Cells labels;
    } cases[] = {
        {"CreateLabelsFromDatabase",
         {{"Ann Lee\r1 Main St\rSpringfield, IL  62701\rUSA"}, {"Cy Diaz\r2 Oak Ave\rSuite 5\rDover, DE  19901\rUSA"}}},
        {"CreateLabelsFromDatabase2",
         {{"Ann Lee\r1 Main St\rSpringfield, IL  62701\rUSA"}, {"Cy Diaz\r2 Oak Ave\rSuite 5\rDover, DE  19901\rUSA"}}},
        {"CreateLabelsFromDatabase3",
         {{"Ann Lee\rBo Lee\r1 Main St\rSpringfield, IL  62701 USA"}, {"Cy Diaz\rDi Diaz\r2 Oak Ave\rSuite 5\rDover, DE  19901 USA"}}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(status(c.method, {Variant(QStringLiteral("DSN=tovucontacts;")), Variant(kAll)}), 1)
            << c.method << ": " << messages.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(savedLabels(), c.labels) << c.method;
        EXPECT_EQ(control.WordMajorVersion(), 16);
        labelsWord()->quit(false);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LabelsTest, TheConnectionIsTakenAsADsnWhateverItsCaseAndOlderWordsGetNoSubType)
{
    hooks().setRecording(true);
    ASSERT_EQ(status("CreateLabelsFromDatabase", {Variant(QStringLiteral("dsn=tovucontacts")), Variant(kAll)}), 1);
    EXPECT_EQ(recorded({QStringLiteral("MailMerge.OpenDataSource")}),
              (QStringList{QStringLiteral("MailMerge.OpenDataSource(Name=,Connection=dsn=tovucontacts,SQLStatement=%1,SubType=8)").arg(kAll)}));
    labelsWord()->quit(false);
    hooks().clearCalls();
    environment.setVersion(QStringLiteral("9.0"));
    ASSERT_EQ(status("CreateLabelsFromDatabase2", {Variant(QStringLiteral("DSN=tovucontacts")), Variant(kAll)}), 1);
    EXPECT_EQ(recorded({QStringLiteral("MailMerge.OpenDataSource")}),
              (QStringList{QStringLiteral("MailMerge.OpenDataSource(Name=,Connection=DSN=tovucontacts,SQLStatement=%1)").arg(kAll)}));
    EXPECT_EQ(control.WordMajorVersion(), 9);
}

TEST_F(LabelsTest, ADatabaseFileIsQueriedByName)
{
    hooks().setRecording(true);
    ASSERT_EQ(status("CreateLabelsFromDatabase", {Variant(contacts()->databasePath()),
                                                  Variant(QStringLiteral("SELECT * FROM contacts WHERE City = 'Dover'"))}),
              1)
        << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(savedLabels(), (Cells{{"Cy Diaz\r2 Oak Ave\rSuite 5\rDover, DE  19901\rUSA"}}));
    EXPECT_TRUE(recorded({QStringLiteral("MailMerge.OpenDataSource")}).value(0).startsWith(
        QStringLiteral("MailMerge.OpenDataSource(Name=%1,SQLStatement=").arg(contacts()->databasePath())));
}

TEST_F(LabelsTest, AFailureAfterTheLayoutIsStoredLeavesTheEntryAndTheWordWithItsLayout)
{
    hooks().failOn(QStringLiteral("MailMerge.Execute"));
    EXPECT_EQ(status("CreateLabelsFromDatabase", {Variant(QStringLiteral("DSN=tovucontacts")), Variant(kAll)}), -1);
    ASSERT_TRUE(labelsWord());
    EXPECT_TRUE(normalTemplate().hasAutoText(QStringLiteral("MyLabelLayout")));
    EXPECT_FALSE(labelsWord()->visible());
    // The layout document, turned into the label sheet, is still open.
    EXPECT_EQ(labelsWord()->documents().count(), 1);
    EXPECT_EQ(labelsWord()->activeDocument()->tables().count(), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages[0].isEmpty());
}

TEST_F(LabelsTest, EveryFailingStepGivesMinusOneAndOnlyTheDatabaseMembersSayWhy)
{
    const QStringList steps = {
        QStringLiteral("Application.Create"),          QStringLiteral("Application.Documents.Add"),
        QStringLiteral("MailMergeFields.Add"),         QStringLiteral("Selection.TypeText"),
        QStringLiteral("Application.AutoTextEntries.Add"), QStringLiteral("MailMerge.MainDocumentType"),
        QStringLiteral("Application.Version"),         QStringLiteral("MailMerge.OpenDataSource"),
        QStringLiteral("Application.MailingLabel.CreateNewDocument"), QStringLiteral("MailMerge.Destination"),
        QStringLiteral("MailMerge.Execute"),           QStringLiteral("Application.AutoTextEntry.Delete"),
        QStringLiteral("Document.Close"),              QStringLiteral("Application.SetVisible"),
        QStringLiteral("Application.NormalTemplate.Saved"),
    };
    for (const QString& step : steps) {
        hooks().clearFailures();
        hooks().failOn(step);
        messages.clear();
        EXPECT_EQ(status("CreateLabelsFromDatabase3", {Variant(QStringLiteral("DSN=tovucontacts")), Variant(kAll)}), -1)
            << step.toStdString();
        EXPECT_EQ(messages.size(), 1) << step.toStdString();
        if (step != QLatin1String("Application.Version")) {
            hooks().clearFailures();
            hooks().failOn(step);
            messages.clear();
            EXPECT_EQ(status("CreateLabelsFromTextFile", {Variant(textSource())}), -1) << step.toStdString();
            EXPECT_TRUE(messages.isEmpty()) << step.toStdString();
        }
    }
}

TEST_F(LabelsTest, ASourceWithoutTheLayoutsFieldsOrRecordsIsAFailureNamed)
{
    EXPECT_EQ(status("CreateLabelsFromDatabase2", {Variant(QStringLiteral("DSN=tovucontacts")),
                                                   Variant(QStringLiteral("SELECT Contact_Name, Address1 FROM contacts"))}),
              -1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QLatin1String("First_Name"))) << messages[0].toStdString();
    EXPECT_EQ(status("CreateLabelsFromDatabase", {Variant(QStringLiteral("DSN=tovucontacts")),
                                                  Variant(QStringLiteral("SELECT * FROM contacts WHERE 0"))}),
              -1);
    EXPECT_EQ(status("CreateLabelsFromDatabase", {Variant(QStringLiteral("DSN=nosuchsource")), Variant(kAll)}), -1);
    EXPECT_EQ(messages.size(), 3);
    environment.setInstalled(false);
    EXPECT_EQ(status("CreateLabelsFromTextFile", {Variant(textSource())}), -1);
}

} // namespace
} // namespace tovu::control::testing
