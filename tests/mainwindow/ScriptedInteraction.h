#pragma once
// The user, scripted: answers to questions, file names for the dialogs; every message,
// question, dialog and modal window is recorded.

#include "app/mainwindow/UserInteraction.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

namespace tovu::mainwindow::testing {

struct Shown {
    QString kind;  // "message", "yesno", "yesnocancel", "open", "save", "input", "modal"
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
};

class ScriptedInteraction final : public UserInteraction {
public:
    std::deque<Answer> answers;                    // for the questions, in order; empty: Cancel
    std::deque<std::optional<QString>> fileNames;  // for the file dialogs; empty: cancelled
    std::deque<std::optional<QString>> inputs;     // for the input boxes; empty: cancelled
    std::function<void(QDialog&)> onModal;         // runs while a modal window is "open"
    std::vector<Shown> shown;

    void message(const QString& text, const QString& title, MessageIcon icon) override
    {
        shown.push_back({QStringLiteral("message"), text, title, icon});
    }
    Answer askYesNo(const QString& text, const QString& title, MessageIcon icon) override
    {
        shown.push_back({QStringLiteral("yesno"), text, title, icon});
        return next();
    }
    Answer askYesNoCancel(const QString& text, const QString& title, MessageIcon icon) override
    {
        shown.push_back({QStringLiteral("yesnocancel"), text, title, icon});
        return next();
    }
    std::optional<QString> openFileName(const CommonDialog& d) override { return file(QStringLiteral("open"), d); }
    std::optional<QString> saveFileName(const CommonDialog& d) override { return file(QStringLiteral("save"), d); }
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString&) override
    {
        shown.push_back({QStringLiteral("input"), prompt, title});
        if (inputs.empty())
            return std::nullopt;
        auto entered = inputs.front();
        inputs.pop_front();
        return entered;
    }
    void runModal(QDialog& dialog) override
    {
        shown.push_back({QStringLiteral("modal"), dialog.objectName(), dialog.windowTitle()});
        if (onModal)
            onModal(dialog);
    }

    int count(const QString& kind) const
    {
        int n = 0;
        for (const Shown& s : shown)
            n += s.kind == kind;
        return n;
    }
    const Shown* last(const QString& kind) const
    {
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (it->kind == kind)
                return &*it;
        return nullptr;
    }

    CommonDialog lastDialog;

private:
    Answer next()
    {
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> file(const QString& kind, const CommonDialog& d)
    {
        shown.push_back({kind, d.Filter, d.DialogTitle});
        lastDialog = d;
        if (fileNames.empty())
            return std::nullopt;
        auto f = fileNames.front();
        fileNames.pop_front();
        return f;
    }
};

} // namespace tovu::mainwindow::testing
