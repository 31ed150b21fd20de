// A control on a Word stand-in of its own, called through its dispatch interface as a host
// calls it, with the stand-in's recording and failure hooks at hand.
#pragma once

#include "control/VerboltObject.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/SafeArray.h"
#include "platform/office/word/Application.h"
#include "platform/office/word/WordEnvironment.h"
#include "support/AppEnvironment.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::control::testing {

namespace automation = tovu::platform::automation;
namespace word = tovu::platform::word;
using automation::Args;
using automation::Variant;

// Page layout, clipboard and windows need a GUI application (offscreen under ctest).
// The application lives as long as the process: the control's library, once loaded, keeps
// its Word (and that Word's windows) until the process ends.
inline void ensureGui()
{
    ::tovu::test::ensureApplication<QApplication>();
}

class ControlTest : public ::testing::Test {
protected:
    word::LocalActiveObjectTable table;
    word::WordEnvironment environment{table};
    std::shared_ptr<VerboltObject> object = createVerbolt(environment);
    Verbolt& control = object->control();
    // What the control would show in a message box, caught here: a box would wait for a click.
    QStringList shownMessages;
    const bool messagesCaught = (control.setMessageBox([this](const QString& text) { shownMessages << text; }), true);
    QTemporaryDir dir;

    word::Instrumentation& hooks() { return *environment.instrumentation(); }

    // Calls a method by dispatch id, as the host does; args may be written back.
    Variant call(const char* name, Args& args)
    {
        return object->invoke(object->dispIdOfName(QString::fromLatin1(name)), args);
    }
    Variant call(const char* name, Args&& args = {}) { return call(name, args); }
    std::int16_t status(const char* name, Args&& args = {}) { return call(name, args).toInteger(); }

    QString file(const QString& name) const { return dir.filePath(name); }

    // A saved .docx holding one paragraph of text.
    QString makeDocx(const QString& name, const QString& text = QStringLiteral("content"))
    {
        auto app = environment.createApplication();
        app->setOfferedAsActive(false);
        auto doc = app->documents().add();
        doc->content().insertAfter(text);
        doc->saveAs(file(name));
        app->quit(false);
        return file(name);
    }

    // OpenDocument with a new blank document, in a hidden Word the control starts.
    std::int16_t openBlank()
    {
        return status("OpenDocument", {Variant(QString()), Variant(false), Variant(QString()), Variant(QString()),
                                       Variant(QString()), Variant(true)});
    }

    // Word up with no document held: the control's own Word closed, and a Word of the user's
    // running, which the control finds without taking a document of it. Returns that Word.
    std::shared_ptr<word::Application> wordUpWithoutHeldDocument()
    {
        call("CloseWord", {Variant(false)});
        EXPECT_EQ(control.heldDocument(), nullptr);
        return environment.createApplication();
    }

    // The recorded calls whose operation is one of ops, in order.
    QStringList recorded(const QStringList& ops)
    {
        QStringList out;
        for (const QString& c : hooks().calls()) {
            const QString op = c.section(QLatin1Char('('), 0, 0);
            if (ops.contains(op))
                out << c;
        }
        return out;
    }

    // The main text of the held document, paragraph marks as CR.
    QString heldText()
    {
        const word::Story& body = control.heldDocument()->model().body;
        return body.text(0, body.length());
    }
};

} // namespace tovu::control::testing

// Readable test output for texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
