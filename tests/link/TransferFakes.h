#pragma once
// The user and the main window as the transfer engines see them: scripted answers and
// recordings, for the virtual-time and the pseudo-terminal tests.

#include "app/link/TransferHost.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace tovu::link::test {

struct RecordingHost : TransferHost {
    void setBusy(bool b) override { events << (b ? QStringLiteral("busy") : QStringLiteral("idle")); }
    int checkedPanelPage() const override { return panelPage; }
    int checkedALogPage() const override { return alogPage; }
    void DFD_Tick(int node) override { ticks.push_back(node); }
    void markNodeEmpty(int node) override { emptied.push_back(node); }
    void showPanelsView() override { events << QStringLiteral("panels view"); }
    void mnuViewALogs_Click() override { events << QStringLiteral("alogs view"); }
    void markModified() override { ++modified; }

    int panelPage = 1;
    int alogPage = 1;
    std::vector<int> ticks, emptied;
    QStringList events;
    int modified = 0;
};

struct ScriptedDialogs : LinkDialogs {
    struct Shown {
        QString text, title;
        LinkIcon icon;
    };
    void message(const QString& text, const QString& title, LinkIcon icon) override { messages.push_back({text, title, icon}); }
    bool askYesNo(const QString& text, const QString& title, LinkIcon icon) override
    {
        questions.push_back({text, title, icon});
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<Shown> messages, questions;
    std::deque<bool> answers;  // Yes when empty
};

struct RecordingWait : MessageView {
    void setMessage(const QString& t) override { log << QStringLiteral("message ") + t; }
    void showModeless() override { log << QStringLiteral("show"); }
    void hide() override { log << QStringLiteral("hide"); }
    QStringList log;
};

} // namespace tovu::link::test
