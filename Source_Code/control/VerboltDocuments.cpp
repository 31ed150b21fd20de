// The Word connection and its documents: the availability probe, creating, opening, adding,
// activating, saving and closing documents, showing and hiding Word, and handing out the
// held objects and the names of the open documents.
#include "control/AppActivate.h"
#include "control/FileExists.h"
#include "control/OpenDocuments.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "control/WordVersion.h"
#include "control/WordObjects.h"
#include "platform/automation/SafeArray.h"

#include <QApplication>
#include <QWidget>

namespace tovu::control {

QString Verbolt::IsWordAvailable()
{
    // A Word of its own: the user's running Word and the held one are left alone.
    std::shared_ptr<word::Application> probe;
    try {
        probe = environment_.createApplication();
    } catch (...) {
        return QString();
    }
    QString version;
    StepErrors steps;
    steps([&] { version = probe->version(); });
    steps([&] { probe->quit(false); });
    return version;
}

MethodStatus Verbolt::CreateDocument(QString& strDocument, QString& strPassword, QString& strWritePassword)
{
    std::shared_ptr<word::Application> app;
    std::shared_ptr<word::Document> doc;
    try {
        app = environment_.createApplication();
        doc = app->documents().add();
        doc->saveAs(strDocument, word::SaveFormat::Default, strPassword, strWritePassword);
        doc->close(false);
        doc.reset();
        app->quit(false);
        return 1;
    } catch (...) {
        StepErrors steps;
        if (doc)
            steps([&] { doc->close(false); });
        if (app)
            steps([&] { app->quit(false); });
        return -1;
    }
}

MethodStatus Verbolt::OpenDocument(QString& strDocument, bool& blnSwitchToWord, QString& strPassword,
                                   QString& strWriteResPassword, QString& strFormCaption, bool& blnHideWord,
                                   std::int32_t& lngPageOrientation, float& sngTopMargin, float& sngLeftMargin,
                                   float& sngRightMargin, float& sngBottomMargin, float& sngPageHeight,
                                   float& sngPageWidth)
{
    StepErrors steps;
    if (!IsWordUp()) {
        try {
            heldApplication_ = environment_.createApplication();
        } catch (...) {
            return -1;
        }
        startedWord_ = heldApplication_;
        createdWord_ = true;
        // Only a Word started here is shown or hidden.
        steps([&] { heldApplication_->setVisible(!blnHideWord); });
    }
    word::Application& app = *heldApplication_;
    steps([&] { wordMajorVersion_ = GetWordMajorVersion(app); });

    if (strDocument.isEmpty()) {
        // A new blank document; no page setup is applied to it.
        std::shared_ptr<word::Document> added;
        if (!steps([&] { added = app.documents().add(); }))
            return -2;
        heldDocument_ = std::move(added);
        StepErrors finalSteps;
        finalSteps([&] {
            if (blnSwitchToWord)
                app.activate();
            else
                bringHostToFront(strFormCaption);
        });
        return 1;
    }

    // A document already open under this file is taken as it is (its passwords are not
    // needed then); the comparison is by file, not by a case-blind text.
    std::shared_ptr<word::Document> doc;
    steps([&] {
        if (auto open = findOpenDocument(app, strDocument)) {
            open->activate();
            doc = app.activeDocument();
        }
    });
    if (!doc) {
        const bool opened = trapped(false, [&] {
            doc = app.documents().open(strDocument, strPassword, strWriteResPassword);
            return true;
        });
        // Never hold a document other than the file asked for.
        if (!opened || !doc || !trapped(false, [&] { return SameFile(doc->fullName(), strDocument); })) {
            heldApplication_.reset();
            return -2;
        }
    }
    heldDocument_ = doc;

    return trapped<MethodStatus>(-3, [&] {
        word::PageSetup page = doc->pageSetup();
        page.setOrientation(lngPageOrientation == 1 ? word::Orientation::Landscape : word::Orientation::Portrait);
        const struct {
            float value;
            void (word::PageSetup::*set)(double);
        } lengths[] = {
            {sngTopMargin, &word::PageSetup::setTopMargin},     {sngLeftMargin, &word::PageSetup::setLeftMargin},
            {sngRightMargin, &word::PageSetup::setRightMargin}, {sngBottomMargin, &word::PageSetup::setBottomMargin},
            {sngPageHeight, &word::PageSetup::setPageHeight},   {sngPageWidth, &word::PageSetup::setPageWidth},
        };
        for (const auto& l : lengths)
            if (l.value > 0)
                (page.*l.set)(l.value);
        if (blnSwitchToWord)
            app.activate();
        else
            bringHostToFront(strFormCaption);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::ActivateDocument(automation::Variant& varDocument, bool& blnSwitchToWord)
{
    if (!IsWordUp())
        return -1;
    word::Application& app = *heldApplication_;
    // A name, or a 16-bit index above 0, picks that document; anything else (a Long included)
    // means Word's active document.
    const bool byName = varDocument.isString() && !varDocument.toString().isEmpty();
    const bool byIndex = varDocument.type() == automation::VarType::Integer && varDocument.toInteger() > 0;
    std::shared_ptr<word::Document> doc;
    const bool found = trapped(false, [&] {
        if (byName)
            doc = app.documents().item(varDocument.toString());
        else if (byIndex)
            doc = app.documents().item(varDocument.toInteger());
        else
            doc = app.activeDocument();
        return true;
    });
    if (!found)
        return -2;
    heldDocument_ = doc;
    StepErrors steps;
    steps([&] { heldDocument_->activate(); });
    if (blnSwitchToWord)
        steps([&] { app.activate(); });
    return 1;
}

MethodStatus Verbolt::AddDocument(automation::Variant& varTemplate)
{
    if (!IsWordUp())
        return -1;
    word::Application& app = *heldApplication_;
    return trapped<MethodStatus>(-2, [&] {
        app.documents().add(varTemplate.isMissing() ? QString() : varTemplate.toString());
        heldDocument_ = app.activeDocument();
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::SaveDocument(QString& strDocument, QString& strPassword, QString& strWritePassword)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        if (strDocument.isEmpty()) {
            heldDocument_->save();
        } else {
            heldDocument_->saveAs(strDocument, word::SaveFormat::Default, strPassword, strWritePassword);
            // The active document of the Word that holds this document, whichever Word is
            // offered as running now.
            heldDocument_ = heldDocument_->application()->activeDocument();
        }
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::CloseDocument(bool& blnSave)
{
    if (!IsWordUp())
        return -1;
    StepErrors steps;
    steps([&] { heldApplication_->setDisplayAlerts(0); });
    steps([&] { requireHeldDocument().close(blnSave); });
    return steps.raised() ? -2 : 1;
}

void Verbolt::CloseWord(bool& blnSave)
{
    // Only what is the control's own is closed: the Word it started, with every document
    // in it; in a Word the user runs, only the held document. The user's other documents
    // and the user's Word stay as they are.
    StepErrors steps;
    createdWord_ = false;
    if (startedWord_ && startedWord_->isRunning()) {
        word::Application& app = *startedWord_;
        steps([&] { app.setDisplayAlerts(0); });
        steps([&] {
            word::Documents documents = app.documents();
            for (int i = documents.count(); i >= 1; --i)
                steps([&] { documents.item(i)->close(blnSave); });
        });
        steps([&] { app.quit(false); });
    } else if (heldDocument_ && !heldDocument_->isClosed()) {
        steps([&] { heldDocument_->close(blnSave); });
    }
    heldDocument_.reset();
    heldApplication_.reset();
    startedWord_.reset();
}

MethodStatus Verbolt::HideWord()
{
    if (!IsWordUp())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        heldApplication_->setVisible(false);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::UnhideWord()
{
    if (!IsWordUp())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        heldApplication_->setVisible(true);
        return MethodStatus{1};
    });
}

std::int32_t Verbolt::DocumentCount()
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<std::int32_t>(-2, [&] { return static_cast<std::int32_t>(heldApplication_->documents().count()); });
}

QString Verbolt::ActiveDocumentName()
{
    if (documentPrologue())
        return QString();
    return trapped<QString>(QString(), [&] { return heldDocument_->name(); });
}

QString Verbolt::ActiveDocumentPath()
{
    if (documentPrologue())
        return QString();
    return trapped<QString>(QString(), [&] { return heldDocument_->path(); });
}

MethodStatus Verbolt::GetWordObject(automation::DispatchRef& objWordApp)
{
    if (!IsWordUp())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        objWordApp = applicationObject(heldApplication_);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::GetDocumentObject(automation::DispatchRef& objWordDocument)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        objWordDocument = documentObject(heldDocument_);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::GetDocumentNames(automation::Variant& varArray)
{
    const std::shared_ptr<word::Application> app = runningWord();
    if (!app)
        return -1;
    if (!trapped(false, [&] { return app->activeDocument() != nullptr; }))
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        word::Documents documents = app->documents();
        const int count = documents.count();
        std::vector<automation::Variant> names;
        for (int i = 1; i <= count; ++i)
            names.emplace_back(documents.item(i)->name());
        varArray = automation::Variant(automation::SafeArray::ofValues(std::move(names)));
        return MethodStatus{1};
    });
}

} // namespace tovu::control
