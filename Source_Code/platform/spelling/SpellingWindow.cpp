#include "platform/spelling/SpellingWindow.h"

#include "platform/spelling/SpellingError.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tovu::platform::spelling {

SpellingWindow::SpellingWindow(QWidget* parent)
    : QDialog(parent)
    , context_(new QTextEdit(this))
    , suggestions_(new QListWidget(this))
    , change_(new QLineEdit(this))
{
    setWindowTitle(tr("Spelling"));
    context_->setReadOnly(true);
    context_->setAcceptRichText(false);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Not in Dictionary:"), this), 0, 0);
    grid->addWidget(context_, 1, 0);
    grid->addWidget(new QLabel(tr("Change to:"), this), 2, 0);
    grid->addWidget(change_, 3, 0);
    grid->addWidget(new QLabel(tr("Suggestions:"), this), 4, 0);
    grid->addWidget(suggestions_, 5, 0);
    auto* column = new QVBoxLayout;
    const std::pair<Decision::Kind, QString> labels[] = {
        {Decision::Kind::Ignore, tr("&Ignore Once")},  {Decision::Kind::IgnoreAll, tr("I&gnore All")},
        {Decision::Kind::AddToDictionary, tr("&Add to Dictionary")}, {Decision::Kind::Change, tr("&Change")},
        {Decision::Kind::ChangeAll, tr("Change A&ll")}, {Decision::Kind::Cancel, tr("Cancel")},
    };
    for (const auto& [kind, label] : labels) {
        auto* b = new QPushButton(label, this);
        b->setAutoDefault(false);
        column->addWidget(b);
        buttons_.emplace_back(kind, b);
        connect(b, &QPushButton::clicked, this, [this, kind = kind] { finish(kind); });
    }
    column->addStretch();
    grid->addLayout(column, 1, 1, 5, 1);
    connect(suggestions_, &QListWidget::currentTextChanged, change_, &QLineEdit::setText);
    connect(suggestions_, &QListWidget::itemDoubleClicked, this, [this] { finish(Decision::Kind::Change); });
}

QPushButton* SpellingWindow::button(Decision::Kind kind) const
{
    for (const auto& [k, b] : buttons_)
        if (k == kind)
            return b;
    return nullptr;
}

void SpellingWindow::present(const Misspelling& m)
{
    decision_ = Decision::cancel();
    const QString before = m.text.left(m.start).toHtmlEscaped();
    const QString word = m.word().toHtmlEscaped();
    const QString after = m.text.mid(m.start + m.length).toHtmlEscaped();
    auto lines = [](QString html) { return html.replace(QLatin1Char('\r'), QStringLiteral("<br>")).replace(QLatin1Char('\n'), QStringLiteral("<br>")); };
    context_->setHtml(lines(before) + QStringLiteral("<span style=\"color:#c00000;font-weight:bold\">") + lines(word) +
                      QStringLiteral("</span>") + lines(after));
    suggestions_->clear();
    suggestions_->addItems(m.suggestions);
    if (!m.suggestions.isEmpty())
        suggestions_->setCurrentRow(0);
    else
        change_->setText(m.word());
    button(Decision::Kind::Change)->setDefault(true);
    show();
}

void SpellingWindow::finish(Decision::Kind kind)
{
    decision_ = Decision{kind, kind == Decision::Kind::Change || kind == Decision::Kind::ChangeAll ? change_->text() : QString()};
    if (kind == Decision::Kind::Cancel)
        reject();
    else
        accept();
}

Decision SpellingWindow::decide(const Misspelling& misspelling)
{
    present(misspelling);
    // A window closed by its frame (or Escape) answers Cancel: present() set it so.
    exec();
    return decision_;
}

namespace {

class WindowDialog final : public SpellingDialog {
public:
    Decision decide(const Misspelling& misspelling) override
    {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            throw SpellingError(QStringLiteral("The spelling dialog needs a running window system."));
        SpellingWindow window(QApplication::activeWindow());
        return window.decide(misspelling);
    }
};

} // namespace

std::shared_ptr<SpellingDialog> windowDialog()
{
    return std::make_shared<WindowDialog>();
}

} // namespace tovu::platform::spelling
