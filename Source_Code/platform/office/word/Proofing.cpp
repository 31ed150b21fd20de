#include "platform/office/word/Proofing.h"

#include "platform/office/word/Application.h"
#include "platform/office/word/ProofingSettings.h"
#include "platform/spelling/Proofreader.h"
#include "platform/spelling/SpellingError.h"
#include "platform/locale/UserLocale.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tovu::platform::word {

// What an application keeps of its proofing: its custom dictionaries, the active one, and
// the proofreader whose Ignore All and Change All last as long as the application.
struct ApplicationProofing {
    std::vector<std::shared_ptr<spelling::CustomDictionary>> dictionaries;
    std::size_t active = 0;
    std::unique_ptr<spelling::Proofreader> reader;
};

namespace {

const QString kDefaultDictionary = QStringLiteral("CUSTOM.DIC");

// Spelling failures reach the caller as the word processor's own errors.
template <typename F>
auto asWordError(const char* operation, F&& body)
{
    try {
        return std::forward<F>(body)();
    } catch (const spelling::SpellingError& e) {
        throw WordError(QLatin1String(operation), e.description());
    }
}

// A stretch of a document's main text, as the proofreader reads and changes it.
class DocumentText final : public spelling::ProofText {
public:
    DocumentText(Document& document, int start, int end) : doc_(document), start_(start), end_(end) {}
    QString text() const override
    {
        const Story& body = doc_.model().body;
        return body.text(start_, end_);
    }
    void replace(int start, int length, const QString& with) override
    {
        Range r = doc_.range(start_ + start, start_ + start + length);
        r.setText(with);
        end_ += (r.end() - r.start()) - length;
    }
    int start() const { return start_; }
    int end() const { return end_; }

private:
    Document& doc_;
    int start_;
    int end_;
};

// Runs the proofreader of the application over a stretch of the document.
spelling::ProofResult proofread(Application& app, DocumentText& text, const char* operation)
{
    const ProofingSettings& settings = app.environment().proofing();
    if (!settings.dialog())
        throw WordError(QLatin1String(operation), QStringLiteral("no spelling dialog can be shown"));
    ApplicationProofing& proofing = app.proofing();
    return asWordError(operation, [&] {
        if (!proofing.reader)
            proofing.reader = std::make_unique<spelling::Proofreader>(settings.speller());
        proofing.reader->setCustomDictionaries(proofing.dictionaries, proofing.dictionaries.at(proofing.active));
        return proofing.reader->check(text, *settings.dialog());
    });
}

} // namespace

// --- installation settings

void ProofingSettings::setLanguage(const QString& language)
{
    if (language != language_)
        speller_.reset();
    language_ = language;
}

QString ProofingSettings::language() const
{
    return language_.isEmpty() ? spelling::Speller::languageOfLcid(locale::userDefaultLcid()) : language_;
}

QString ProofingSettings::dictionaryFolder() const
{
    if (!folder_.isEmpty())
        return QDir::cleanPath(folder_);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("tovu/UProof"));
}

std::shared_ptr<const spelling::Speller> ProofingSettings::speller() const
{
    const QString lang = language();
    if (!speller_ || speller_->language() != lang)
        speller_ = std::make_shared<const spelling::Speller>(lang);
    return speller_;
}

ProofingSettings& WordEnvironment::proofing()
{
    if (!proofing_)
        proofing_ = std::make_shared<ProofingSettings>();
    return *proofing_;
}

// --- application members

std::int32_t Application::top() const { enter("Top"); return top_; }
void Application::setTop(std::int32_t top) { enter("SetTop", QString::number(top)); top_ = top; }
int Application::windowState() const { enter("WindowState"); return windowState_; }

void Application::setWindowState(int state)
{
    enter("SetWindowState", QString::number(state));
    if (state < 0 || state > 2)
        throw WordError(QStringLiteral("Application.SetWindowState"), QStringLiteral("the value is out of range"));
    windowState_ = state;
}

QString Application::pathSeparator() const { enter("PathSeparator"); return QString(QDir::separator()); }
CustomDictionaries Application::customDictionaries() { enter("CustomDictionaries"); return CustomDictionaries(shared_from_this()); }
Dialogs Application::dialogs() { enter("Dialogs"); return Dialogs(shared_from_this()); }

ApplicationProofing& Application::proofing()
{
    if (!proofing_) {
        auto p = std::make_shared<ApplicationProofing>();
        const QString file = QDir(environment_->proofing().dictionaryFolder()).filePath(kDefaultDictionary);
        p->dictionaries.push_back(asWordError("Application.CustomDictionaries", [&] {
            return std::make_shared<spelling::CustomDictionary>(file);
        }));
        proofing_ = std::move(p);
    }
    return *proofing_;
}

// --- custom dictionaries

QString Dictionary::name() const
{
    app_->enter("Dictionary.Name");
    return QFileInfo(words_->fileName()).fileName();
}

QString Dictionary::path() const
{
    app_->enter("Dictionary.Path");
    return QDir::cleanPath(QFileInfo(words_->fileName()).absolutePath());
}

QString Dictionary::fullName() const
{
    return QDir::cleanPath(QFileInfo(words_->fileName()).absoluteFilePath());
}

int CustomDictionaries::count() const
{
    app_->enter("CustomDictionaries.Count");
    return static_cast<int>(app_->proofing().dictionaries.size());
}

Dictionary CustomDictionaries::add(const QString& fileName)
{
    app_->enter("CustomDictionaries.Add", fileName);
    ApplicationProofing& proofing = app_->proofing();
    const QString folder = app_->environment().proofing().dictionaryFolder();
    const QString full = QDir::cleanPath(QDir(folder).absoluteFilePath(fileName));
    for (const auto& d : proofing.dictionaries)
        if (Dictionary(app_, d).fullName() == full)
            return Dictionary(app_, d);
    auto words = asWordError("CustomDictionaries.Add", [&] { return std::make_shared<spelling::CustomDictionary>(full); });
    proofing.dictionaries.push_back(words);
    return Dictionary(app_, std::move(words));
}

Dictionary CustomDictionaries::activeCustomDictionary() const
{
    app_->enter("CustomDictionaries.ActiveCustomDictionary");
    ApplicationProofing& proofing = app_->proofing();
    return Dictionary(app_, proofing.dictionaries.at(proofing.active));
}

void CustomDictionaries::setActiveCustomDictionary(const Dictionary& dictionary)
{
    app_->enter("CustomDictionaries.SetActiveCustomDictionary", dictionary.fullName());
    ApplicationProofing& proofing = app_->proofing();
    for (std::size_t i = 0; i < proofing.dictionaries.size(); ++i)
        if (proofing.dictionaries[i] == dictionary.words()) {
            proofing.active = i;
            return;
        }
    throw WordError(QStringLiteral("CustomDictionaries.ActiveCustomDictionary"),
                    QStringLiteral("the dictionary is not one of this application's"));
}

// --- dialogs

Dialog Dialogs::item(int type) const
{
    app_->enter("Dialogs.Item", QString::number(type));
    if (type != kDialogToolsSpellingAndGrammar)
        throw WordError(QStringLiteral("Dialogs.Item"), QStringLiteral("dialog %1 is not offered").arg(type));
    return Dialog(app_, type);
}

int Dialog::show()
{
    app_->enter("Dialog.Show", QString::number(type_));
    auto doc = app_->activeDocument();
    Story& body = doc->model().body;
    auto& selection = *doc->state()->selection;
    const int start = body.clamp(selection.start);
    int end = body.clamp(selection.end);
    if (end <= start)
        end = body.length() - 1;  // from the insertion point to the end
    DocumentText text(*doc, start, std::max(start, end));
    const spelling::ProofResult result = proofread(*app_, text, "Dialog.Show");
    if (result.cancelled) {
        selection.start = selection.end = text.start() + result.stoppedAt;
        return 0;
    }
    selection.start = text.start();
    selection.end = text.end();
    return -1;
}

bool proofreadDocument(Document& document)
{
    const Story& body = document.model().body;
    DocumentText text(document, 0, std::max(0, body.length() - 1));
    return !proofread(*document.application(), text, "Document.CheckSpelling").cancelled;
}

}  // namespace tovu::platform::word
