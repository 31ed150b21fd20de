// The held document made into a PDF by a distiller. None is installed here, so the method
// fails with -3; a distiller object handed in through the object creator shows the whole road.
#include "ControlFixture.h"
#include "platform/automation/DispatchTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace tovu::control::testing {
namespace {

// Where the control puts its PostScript file: beside the file its code was loaded from.
QString postScriptFile()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&createVerbolt), &info);
    return QDir(QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath()).filePath(QStringLiteral("PDFTemp.ps"));
}

class DistillerTest : public ControlTest {
protected:
    void SetUp() override { ensureGui(); }  // printing lays out pages

    struct Conversion {
        QString postScript, pdf, options;
        bool postScriptThere = false;
    };
    std::vector<Conversion> conversions;

    // A distiller object: its conversion copies the PostScript file to the PDF name.
    void installDistiller()
    {
        control.setObjectCreator([this](const QString& progId) -> automation::DispatchRef {
            if (progId != QLatin1String("{1CD675B2-ECD1-11D1-B976-00600802DB86}"))
                throw automation::AutomationError::standard(automation::ErrorNumber::CannotCreateObject);
            return automation::makeDispatch({{QStringLiteral("FileToPDF"), 1, [this](Args& a) {
                                                  Conversion c{a.at(0).toString(), a.at(1).toString(), a.at(2).toString(),
                                                               QFile::exists(a.at(0).toString())};
                                                  QFile::copy(c.postScript, c.pdf);
                                                  conversions.push_back(c);
                                                  return Variant(std::int16_t{1});
                                              }}});
        });
    }

    QStringList printerSettings()
    {
        QStringList out;
        for (const QString& c : hooks().calls())
            if (c.startsWith(QLatin1String("Application.SetActivePrinter")))
                out << c;
        return out;
    }
};

TEST_F(DistillerTest, WithoutWordOrDocumentTheFirstSteps)
{
    EXPECT_EQ(status("CreatePDFUsingDistiller", {Variant(file(QStringLiteral("a.pdf")))}), -1);
    ASSERT_EQ(openBlank(), 1);
    hooks().failOn(QStringLiteral("Document.Activate"));
    EXPECT_EQ(status("CreatePDFUsingDistiller", {Variant(file(QStringLiteral("a.pdf")))}), -2);
}

TEST_F(DistillerTest, NoDistillerInstalledFailsAndRestoresThePrinter)
{
    ASSERT_EQ(openBlank(), 1);
    control.heldApplication()->setActivePrinter(QStringLiteral("Office Printer"));
    hooks().setRecording(true);
    const QString pdf = file(QStringLiteral("out.pdf"));
    EXPECT_EQ(status("CreatePDFUsingDistiller", {Variant(pdf), Variant(QStringLiteral("  "))}), -3);
    EXPECT_EQ(printerSettings(), (QStringList{QStringLiteral("Application.SetActivePrinter(Acrobat Distiller)"),
                                              QStringLiteral("Application.SetActivePrinter(Office Printer)")}));
    EXPECT_EQ(control.heldApplication()->activePrinter(), QStringLiteral("Office Printer"));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(postScriptFile()));
}

TEST_F(DistillerTest, ADistillerConvertsThePrintedFileWhichIsThenDeleted)
{
    installDistiller();
    ASSERT_EQ(openBlank(), 1);
    control.heldDocument()->content().insertAfter(QStringLiteral("Distilled text"));
    control.heldApplication()->setActivePrinter(QStringLiteral("Office Printer"));
    hooks().setRecording(true);
    const QString pdf = file(QStringLiteral("out.pdf"));
    EXPECT_EQ(status("CreatePDFUsingDistiller", {Variant(pdf), Variant(QStringLiteral("My Distiller"))}), 1);
    ASSERT_EQ(conversions.size(), 1u);
    EXPECT_EQ(conversions[0].postScript, postScriptFile());
    EXPECT_TRUE(conversions[0].postScriptThere);
    EXPECT_EQ(conversions[0].pdf, pdf);
    EXPECT_EQ(conversions[0].options, QString());
    EXPECT_EQ(printerSettings(), (QStringList{QStringLiteral("Application.SetActivePrinter(My Distiller)"),
                                              QStringLiteral("Application.SetActivePrinter(Office Printer)")}));
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_FALSE(QFile::exists(postScriptFile()));
}

TEST_F(DistillerTest, ANameLeftOutMeansTheDefaultDistillerPrinter)
{
    installDistiller();
    ASSERT_EQ(openBlank(), 1);
    hooks().setRecording(true);
    EXPECT_EQ(status("CreatePDFUsingDistiller", {Variant(file(QStringLiteral("out.pdf")))}), 1);
    ASSERT_FALSE(printerSettings().isEmpty());
    EXPECT_EQ(printerSettings().front(), QStringLiteral("Application.SetActivePrinter(Acrobat Distiller)"));
}

} // namespace
} // namespace tovu::control::testing
