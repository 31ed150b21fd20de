#include "control/SpellingSession.h"

#include "control/Trap.h"
#include "platform/automation/AutomationError.h"

namespace tovu::control {

namespace automation = tovu::platform::automation;

namespace {

constexpr int kAlertsNone = 0;
constexpr int kWindowStateNormal = 0;
constexpr std::int32_t kOffScreenTop = -3000;

// Word gives every line end back as a paragraph mark (CR). A text that had CR LF or LF
// line ends gets them back, so that writing the checked text changes no line end.
QString withLineEnds(const QString& source, QString checked)
{
    if (source.contains(QStringLiteral("\r\n")))
        return checked.replace(QLatin1Char('\r'), QStringLiteral("\r\n"));
    if (source.contains(QLatin1Char('\n')) && !source.contains(QLatin1Char('\r')))
        return checked.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return checked;
}

} // namespace

QString trimBlanks(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

QString SpellingSession::dictionaryPath(const QString& folder, const QString& separator, const QString& name)
{
    QString path = folder + separator + trimBlanks(name);
    if (path.right(4).toLower() != QLatin1String(".dic"))
        path += QStringLiteral(".dic");
    return path;
}

SpellingSession::SpellingSession(word::WordEnvironment& environment, const QString& customDictionary)
{
    try {
        app_ = environment.createApplication();
        // A Word started for a check is nobody else's to find.
        app_->setOfferedAsActive(false);
        doc_ = app_->documents().add();
        app_->setDisplayAlerts(kAlertsNone);
        top_ = app_->top();
        app_->setWindowState(kWindowStateNormal);
        app_->setTop(kOffScreenTop);
        if (!trimBlanks(customDictionary).isEmpty()) {
            word::CustomDictionaries dictionaries = app_->customDictionaries();
            const QString path = dictionaryPath(dictionaries.activeCustomDictionary().path(), app_->pathSeparator(),
                                                customDictionary);
            dictionaries.setActiveCustomDictionary(dictionaries.add(path));
        }
    } catch (...) {
        close();
        throw;
    }
}

SpellingSession::~SpellingSession()
{
    close();
}

SpellingSession::Checked SpellingSession::check(const QString& text)
{
    word::Selection selection = app_->selection();
    selection.setText(text);
    const bool cancelled = app_->dialogs().item(word::kDialogToolsSpellingAndGrammar).show() == 0;
    const QString after = app_->selection().text();
    return {after, withLineEnds(text, after), cancelled};
}

int SpellingSession::Checked::firstCode() const
{
    if (selection.isEmpty())
        throw automation::AutomationError::standard(automation::ErrorNumber::InvalidProcedureCall);
    return selection.at(0).unicode();
}

bool SpellingSession::Checked::cancelledBy(std::initializer_list<int> marks) const
{
    const int code = firstCode();
    if (cancelled)
        return true;
    for (const int mark : marks)
        if (code == mark)
            return true;
    return false;
}

void SpellingSession::deleteSelection()
{
    app_->selection().deleteText();
}

void SpellingSession::end()
{
    // A step that fails leaves the rest to the destructor, which goes on quietly.
    if (doc_) {
        doc_->close(false);
        doc_.reset();
    }
    if (app_) {
        app_->setTop(top_);
        app_->quit(false);
        app_.reset();
    }
}

void SpellingSession::close()
{
    StepErrors steps;
    if (doc_) {
        auto doc = std::move(doc_);
        steps([&] { doc->close(false); });
    }
    if (app_) {
        auto app = std::move(app_);
        steps([&] { app->setTop(top_); });
        steps([&] { app->quit(false); });
    }
}

} // namespace tovu::control
