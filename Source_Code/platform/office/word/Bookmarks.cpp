#include "platform/office/word/Bookmarks.h"

#include "platform/office/word/HeadingLevels.h"
#include "platform/office/word/PageLayout.h"

#include <QRegularExpression>
#include <array>

namespace tovu::platform::word {

namespace {
constexpr std::array<const char*, 12> kPredefined = {
    "\\StartOfDoc", "\\EndOfDoc", "\\Doc", "\\Section", "\\Sel", "\\StartOfSel", "\\EndOfSel",
    "\\Char", "\\Para", "\\Line", "\\Page", "\\HeadingLevel"};
}

bool Bookmarks::isPredefined(const QString& name)
{
    for (const char* p : kPredefined)
        if (name.compare(QLatin1String(p), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int Bookmarks::count() const
{
    state_->enter(QStringLiteral("Bookmarks.Count"));
    return static_cast<int>(state_->model->bookmarks.size());
}

bool Bookmarks::exists(const QString& name) const
{
    state_->enter(QStringLiteral("Bookmarks.Exists"), name);
    for (const auto& b : state_->model->bookmarks)
        if (b.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList Bookmarks::names() const
{
    QStringList out;
    for (const auto& b : state_->model->bookmarks)
        out << b.name;
    return out;
}

Range Bookmarks::range(const QString& name) const
{
    state_->enter(QStringLiteral("Bookmarks.Range"), name);
    Story& body = state_->model->body;
    const int length = body.length();
    const int selStart = body.clamp(state_->selection->start);
    const int selEnd = body.clamp(state_->selection->end);
    auto make = [&](int s, int e) { return Range(state_, &body, body.track(s, e)); };
    auto is = [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };

    if (is("\\StartOfDoc")) return make(0, 0);
    if (is("\\EndOfDoc")) return make(length - 1, length - 1);
    if (is("\\Doc") || is("\\Section")) return make(0, length);
    if (is("\\Sel")) return make(selStart, selEnd);
    if (is("\\StartOfSel")) return make(selStart, selStart);
    if (is("\\EndOfSel")) return make(selEnd, selEnd);
    if (is("\\Char")) return make(selStart, selEnd > selStart ? selEnd : std::min(selStart + 1, length));
    if (is("\\Para")) return make(body.paragraphStart(selStart), body.paragraphEnd(std::max(selStart, selEnd - 1)));
    if (is("\\Line") || is("\\Page")) {
        PageLayout layout(*state_->model);
        const auto span = is("\\Line") ? layout.lineSpan(selStart) : layout.pageSpan(layout.pageOfPosition(selStart));
        return make(span.first, span.second);
    }
    if (is("\\HeadingLevel")) {
        const auto span = HeadingLevels(*state_->model).headingSpan(selStart);
        if (!span)
            throw WordError(QStringLiteral("Bookmarks.Range"), QStringLiteral("no heading precedes the selection"));
        return make(span->first, span->second);
    }
    for (const auto& b : state_->model->bookmarks)
        if (b.name.compare(name, Qt::CaseInsensitive) == 0)
            return Range(state_, &body, body.track(b.range->start, b.range->end));
    throw WordError(QStringLiteral("Bookmarks.Range"), QStringLiteral("the bookmark \"%1\" does not exist").arg(name));
}

void Bookmarks::add(const QString& name, const Range& range)
{
    state_->enter(QStringLiteral("Bookmarks.Add"), name);
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,39}$"));
    if (!valid.match(name).hasMatch())
        throw WordError(QStringLiteral("Bookmarks.Add"), QStringLiteral("bad bookmark name \"%1\"").arg(name));
    if (&range.story() != &state_->model->body)
        throw WordError(QStringLiteral("Bookmarks.Add"), QStringLiteral("bookmarks are kept in the main text only"));
    for (auto& b : state_->model->bookmarks)
        if (b.name.compare(name, Qt::CaseInsensitive) == 0) {
            b.range->start = range.start();
            b.range->end = range.end();
            state_->touch();
            return;
        }
    state_->model->bookmarks.push_back(Bookmark{name, state_->model->body.track(range.start(), range.end())});
    state_->touch();
}

void Bookmarks::remove(const QString& name)
{
    state_->enter(QStringLiteral("Bookmarks.Delete"), name);
    std::erase_if(state_->model->bookmarks, [&](const Bookmark& b) { return b.name.compare(name, Qt::CaseInsensitive) == 0; });
    state_->touch();
}

}  // namespace tovu::platform::word
