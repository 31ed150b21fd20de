// Mailing labels through Word's mail merge. Each method starts a Word of its own, lays out
// one label as merge fields, keeps the layout as an AutoText entry, merges the addresses
// into a new document of labels and leaves that Word running and visible with it.
#include "control/Verbolt.h"
#include "control/WordVersion.h"
#include "platform/automation/AutomationError.h"
#include "platform/office/word/MailMerge.h"
#include "platform/office/word/WordError.h"

#include <QApplication>
#include <QMessageBox>
#include <vector>

namespace tovu::control {

namespace {

enum class Step { Field, Text, Paragraph };
struct LayoutStep {
    Step step;
    const char* text = "";
};
using Layout = std::vector<LayoutStep>;

LayoutStep field(const char* name) { return {Step::Field, name}; }
LayoutStep typed(const char* text) { return {Step::Text, text}; }
const LayoutStep kNewLine{Step::Paragraph};

// The address lines under the name lines; the four-name layout keeps the country on the
// postal code's line.
Layout withAddress(Layout names, bool countryOnItsOwnLine)
{
    const Layout address = {kNewLine, field("Address1"), kNewLine, field("Address2"), kNewLine, field("City"),
                            typed(", "), field("State"), typed("  "), field("Postal_Code")};
    names.insert(names.end(), address.begin(), address.end());
    names.push_back(countryOnItsOwnLine ? kNewLine : typed(" "));
    names.push_back(field("Country"));
    return names;
}

const Layout& oneNameLayout()
{
    static const Layout layout = withAddress({field("Contact_Name")}, true);
    return layout;
}

const Layout& twoNameLayout()
{
    static const Layout layout = withAddress({field("First_Name"), typed(" "), field("Last_Name")}, true);
    return layout;
}

const Layout& fourNameLayout()
{
    static const Layout layout = withAddress({field("First_Name1"), typed(" "), field("Last_Name1"), kNewLine,
                                              field("First_Name2"), typed(" "), field("Last_Name2")},
                                             false);
    return layout;
}

const QString kLayoutEntry = QStringLiteral("MyLabelLayout");
const QString kLabelProduct = QStringLiteral("5160");
constexpr int kLaserTray = 4;
constexpr int kSubTypeWord2000 = 8;

QString descriptionOf(const std::exception& e)
{
    if (const auto* w = dynamic_cast<const word::WordError*>(&e))
        return w->description();
    if (const auto* a = dynamic_cast<const automation::AutomationError*>(&e))
        return a->description();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

// The layout of the labels whose names take nameFields fields (1, 2 or 4).
const Layout& layoutFor(int nameFields)
{
    return nameFields == 4 ? fourNameLayout() : nameFields == 2 ? twoNameLayout() : oneNameLayout();
}

void Verbolt::showMessage(const QString& text)
{
    if (messageBox_) {
        messageBox_(text);
        return;
    }
    // An OK box under the host's own title; without a window system there is none to show.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QMessageBox::information(nullptr, QString(), text, QMessageBox::Ok);
}

MethodStatus Verbolt::createLabels(int nameFields, QString* textFile, QString* database, QString* sql)
{
    try {
        std::shared_ptr<word::Application> app = environment_.createApplication();
        std::shared_ptr<word::Document> layoutDocument = app->documents().add();
        word::MailMerge merge(layoutDocument);
        word::MailMergeFields fields = merge.fields();
        for (const LayoutStep& step : layoutFor(nameFields)) {
            word::Selection selection = app->selection();
            switch (step.step) {
            case Step::Field:
                fields.add(selection.range(), QString::fromLatin1(step.text));
                break;
            case Step::Text:
                selection.typeText(QString::fromLatin1(step.text));
                break;
            case Step::Paragraph:
                selection.typeParagraph();
                break;
            }
        }
        word::NormalTemplate normal(app);
        word::AutoTextEntry entry = normal.addAutoText(kLayoutEntry, layoutDocument->content());
        layoutDocument->content().deleteText();
        merge.setMainDocumentType(word::MailingLabels);
        word::DataSourceArgs source;
        if (textFile) {
            source.name = *textFile;
        } else {
            wordMajorVersion_ = GetWordMajorVersion(*app);
            source.sqlStatement = *sql;
            if (database->contains(QLatin1String("DSN="), Qt::CaseInsensitive)) {
                source.connection = *database;
                if (wordMajorVersion_ > 9)
                    source.subType = kSubTypeWord2000;
            } else {
                source.name = *database;
            }
        }
        merge.openDataSource(source);
        word::MailingLabel(app).createNewDocument(kLabelProduct, QString(), kLayoutEntry, kLaserTray);
        merge.setDestination(word::NewDocument);
        merge.execute();
        entry.remove();
        layoutDocument->close(false);
        app->setVisible(true);
        normal.setSaved(true);
        return 1;
    } catch (const std::exception& e) {
        // The Word started here stays as it is, with whatever the steps left in it.
        if (database)
            showMessage(descriptionOf(e));
        return -1;
    } catch (...) {
        if (database)
            showMessage(QStringLiteral("Application-defined or object-defined error"));
        return -1;
    }
}

MethodStatus Verbolt::CreateLabelsFromTextFile(QString& strTextFile)
{
    return createLabels(1, &strTextFile, nullptr, nullptr);
}

MethodStatus Verbolt::CreateLabelsFromDatabase(QString& strDatabase, QString& strSQL)
{
    return createLabels(1, nullptr, &strDatabase, &strSQL);
}

MethodStatus Verbolt::CreateLabelsFromDatabase2(QString& strDatabase, QString& strSQL)
{
    return createLabels(2, nullptr, &strDatabase, &strSQL);
}

MethodStatus Verbolt::CreateLabelsFromDatabase3(QString& strDatabase, QString& strSQL)
{
    return createLabels(4, nullptr, &strDatabase, &strSQL);
}

} // namespace tovu::control
