#pragma once
// Scripted stand-ins for what the report commands need of the program: the main window
// (labels, note boxes, grid, list selection, drawing, buttons, progress), the user
// (answers queued by the test, every question recorded), a clipboard, a settings map,
// and a control that records every dispatch call.

#include "app/display/SettingsAccess.h"
#include "app/display/SettingsGridModel.h"
#include "app/items/DFDRecord.h"
#include "app/items/RessourcesModule.h"
#include "app/reports/ReportHost.h"
#include "platform/automation/Dispatch.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/printing/Printing.h"
#include "support/SampleRecords.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <map>
#include <set>

namespace tovu::reports::testing {

namespace automation = tovu::platform::automation;

// The program's own string table, no language library.
items::LanguageContext ownStrings();

class FakeWindow : public ReportWindow {
public:
    QString index = QStringLiteral("1");
    QString model = QStringLiteral("MODEL X");
    QString date = QStringLiteral("10/12/2026 09:30");
    NoteBoxes notes;
    display::SettingsGridModel grid;
    std::vector<bool> selected;  // list positions 1.. at index 0..
    QStringList events;          // "draw 3", "grid 3", "notes 3", "buttons on", "progress 20" ...
    int selFirst = -1, selLast = -1;

    QString noteIndexCaption() const override { return index; }
    QString modelCaption() const override { return model; }
    QString dateCaption() const override { return date; }
    NoteBoxes noteBoxes() const override { return notes; }
    const display::SettingsGridModel& gridSettings() const override { return grid; }
    int listCount() const override { return static_cast<int>(selected.size()); }
    bool listItemSelected(int position) const override { return selected.at(static_cast<std::size_t>(position - 1)); }
    void setListSelection(int first, int last) override { selFirst = first; selLast = last; }
    void DrawAScan(int i) override { events << QStringLiteral("draw %1").arg(i); }
    void ShowALogSettings(int i) override { events << QStringLiteral("grid %1").arg(i); }
    void ShowItemNotes(int i) override { events << QStringLiteral("notes %1").arg(i); }
    void setReportButtonsEnabled(bool on) override { events << (on ? QStringLiteral("buttons on") : QStringLiteral("buttons off")); }
    void showProgress(const QString& caption) override { events << QStringLiteral("progress show ") + caption; }
    void setProgress(int p) override { events << QStringLiteral("progress %1").arg(p); }
    void hideProgress() override { events << QStringLiteral("progress hide"); }
    // The range's progress; cancelAfter: the number of items after which the user presses Cancel.
    int cancelAfter = -1;
    void showRangeProgress(const QString& caption, int count) override
    {
        events << QStringLiteral("range show %1 %2").arg(caption).arg(count);
    }
    bool rangeProgress(int done, const QString& label) override
    {
        events << QStringLiteral("range %1 %2").arg(done).arg(label);
        return cancelAfter >= 0 && done >= cancelAfter;
    }
    void hideRangeProgress() override { events << QStringLiteral("range hide"); }
};

class FakeUser : public ReportUser {
public:
    std::deque<std::optional<QString>> inputs;     // answers of the input box
    std::deque<std::optional<QString>> files;      // answers of the save dialog
    std::deque<bool> answers;                      // Yes/No answers
    platform::printing::PrintJob* printer = nullptr;  // null: the printer dialog is cancelled
    QStringList asked;                             // "input <prompt>", "file <filter> <flags> <title>", "ask <text>", "message <title>: <text>"
    std::vector<FileDialogRequest> requests;

    void message(const QString& text, const QString& title, MessageIcon) override
    {
        asked << QStringLiteral("message %1: %2").arg(title, text);
    }
    bool askYesNo(const QString& text, const QString&, MessageIcon) override
    {
        asked << QStringLiteral("ask ") + text;
        if (answers.empty())
            throw std::logic_error("unexpected question");
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> inputBox(const QString& prompt, const QString&, const QString&) override
    {
        asked << QStringLiteral("input ") + prompt;
        return next(inputs);
    }
    std::optional<QString> saveFileName(const FileDialogRequest& r) override
    {
        requests.push_back(r);
        asked << QStringLiteral("file %1 %2 %3").arg(r.Filter).arg(r.Flags).arg(r.DialogTitle);
        return next(files);
    }
    platform::printing::PrintJob* choosePrinter() override
    {
        asked << QStringLiteral("printer");
        return printer;
    }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& queue)
    {
        if (queue.empty())
            throw std::logic_error("unexpected dialog");
        auto a = queue.front();
        queue.pop_front();
        return a;
    }
};

class FakeClipboard : public platform::clipboard::Clipboard {
public:
    std::optional<QString> text = QStringLiteral("before");
    int clears = 0;
    void clear() override { ++clears; text.reset(); }
    void setText(const QString& t) override { text = t; }
    void setBitmap(const QImage&) override {}
    void setPicture(const platform::clipboard::PicturePayload&) override {}
};

class MapSettings : public display::SettingsAccess {
public:
    QString GetSetting(const QString& section, const QString& key, const QString& def = {}) const override
    {
        return values.value(section + QLatin1Char('/') + key, def);
    }
    void SaveSetting(const QString& section, const QString& key, const QString& value) override
    {
        values[section + QLatin1Char('/') + key] = value;
    }
    QMap<QString, QString> values;
};

// Records every call: the dispatch id, the arguments as given; answers a status per id
// (1 unless told otherwise), or raises for the ids told to.
class RecordingControl : public automation::Dispatch {
public:
    struct Call {
        automation::DispId id;
        std::vector<automation::Variant> args;
    };
    std::vector<Call> calls;
    std::map<automation::DispId, automation::Variant> results;
    std::set<automation::DispId> raising;

    automation::DispId dispIdOfName(const QString&) override { return automation::DispIdUnknown; }
    automation::Variant invoke(automation::DispId id, std::vector<automation::Variant>& args, automation::CallKind,
                               std::span<const QString>) override;
};

// Passes every call on to a real control and keeps each call's dispatch id and result.
class ResultRecorder : public automation::Dispatch {
public:
    explicit ResultRecorder(automation::DispatchRef target) : target_(std::move(target)) {}
    std::vector<std::pair<automation::DispId, automation::Variant>> results;

    automation::DispId dispIdOfName(const QString& name) override { return target_->dispIdOfName(name); }
    automation::Variant invoke(automation::DispId id, std::vector<automation::Variant>& args, automation::CallKind kind,
                               std::span<const QString> names) override
    {
        automation::Variant result = target_->invoke(id, args, kind, names);
        results.emplace_back(id, result);
        return result;
    }

private:
    automation::DispatchRef target_;
};

} // namespace tovu::reports::testing

// Readable test output for texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
