#include "platform/office/word/Selection.h"

namespace tovu::platform::word {

int Selection::start() const { state_->enter(QStringLiteral("Selection.Start")); return state_->model->body.clamp(state_->selection->start); }
int Selection::end() const { state_->enter(QStringLiteral("Selection.End")); return state_->model->body.clamp(state_->selection->end); }

void Selection::setRange(int start, int end)
{
    state_->enter(QStringLiteral("Selection.SetRange"), QStringLiteral("%1,%2").arg(start).arg(end));
    Story& body = state_->model->body;
    state_->selection->start = body.clamp(start);
    state_->selection->end = body.clamp(std::max(start, end));
}

Range Selection::range() const
{
    state_->enter(QStringLiteral("Selection.Range"));
    Story& body = state_->model->body;
    return Range(state_, &body, body.track(state_->selection->start, state_->selection->end));
}

QString Selection::text() const
{
    state_->enter(QStringLiteral("Selection.Text"));
    const Story& body = state_->model->body;
    const int start = body.clamp(state_->selection->start);
    const int end = body.clamp(state_->selection->end);
    return body.text(start, end > start ? end : std::min(start + 1, body.length()));
}

void Selection::setText(const QString& text)
{
    state_->enter(QStringLiteral("Selection.SetText"), text);
    Range r = range();
    r.setText(text);
    state_->selection->start = r.start();
    state_->selection->end = r.end();
}

void Selection::deleteText()
{
    state_->enter(QStringLiteral("Selection.Delete"));
    Story& body = state_->model->body;
    const int start = body.clamp(state_->selection->start);
    int end = body.clamp(state_->selection->end);
    if (end == start)
        end = std::min(start + 1, body.length() - 1);
    if (end > start)
        body.remove(start, end);
    state_->selection->start = state_->selection->end = start;
}

void Selection::typeText(const QString& text)
{
    state_->enter(QStringLiteral("Selection.TypeText"), text);
    Range r = range();
    r.setText(text);
    state_->selection->start = state_->selection->end = r.end();
}

void Selection::typeParagraph() { typeText(QStringLiteral("\r")); }

}  // namespace tovu::platform::word
