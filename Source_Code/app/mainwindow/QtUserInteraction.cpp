#include "app/mainwindow/QtUserInteraction.h"

#include "app/resources/StringIds.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace tovu::mainwindow {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

Answer ask(QWidget* owner, const items::StringSource* strings, const QString& text, const QString& title,
           MessageIcon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(qtIcon(icon), title, text, buttons, owner);
    if (strings) {
        namespace ids = resources::ids;
        const std::pair<QMessageBox::StandardButton, int> captions[] = {
            {QMessageBox::Ok, ids::ButtonOk}, {QMessageBox::Cancel, ids::ButtonCancel},
            {QMessageBox::Yes, ids::ButtonYes}, {QMessageBox::No, ids::ButtonNo}};
        for (const auto& [which, id] : captions)
            if (QAbstractButton* b = box.button(which))
                b->setText(strings->GetResString(id));
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
    }
}

std::optional<QString> chosen(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

} // namespace

QString qtFilterOf(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')';
    return entries.join(QStringLiteral(";;"));
}

void QtUserInteraction::message(const QString& text, const QString& title, MessageIcon icon)
{
    ask(owner_, strings_, text, title, icon, QMessageBox::Ok);
}

Answer QtUserInteraction::askYesNo(const QString& text, const QString& title, MessageIcon icon)
{
    return ask(owner_, strings_, text, title, icon, QMessageBox::Yes | QMessageBox::No);
}

Answer QtUserInteraction::askYesNoCancel(const QString& text, const QString& title, MessageIcon icon)
{
    return ask(owner_, strings_, text, title, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

std::optional<QString> QtUserInteraction::openFileName(const CommonDialog& d)
{
    return chosen(QFileDialog::getOpenFileName(owner_, d.DialogTitle, d.InitDir, qtFilterOf(d.Filter)));
}

std::optional<QString> QtUserInteraction::saveFileName(const CommonDialog& d)
{
    const QFileDialog::Options options =
        (d.Flags & kOverwritePrompt) ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    return chosen(QFileDialog::getSaveFileName(owner_, d.DialogTitle, d.InitDir, qtFilterOf(d.Filter), nullptr, options));
}

std::optional<QString> QtUserInteraction::inputBox(const QString& prompt, const QString& title,
                                                   const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner_, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void QtUserInteraction::runModal(QDialog& dialog)
{
    dialog.exec();
}

} // namespace tovu::mainwindow
