#include "platform/office/word/Sections.h"

namespace tovu::platform::word {

namespace {

HeaderFooterIndex checkedIndex(int index, const char* operation)
{
    if (index < 1 || index > 3)
        throw WordError(QLatin1String(operation), QStringLiteral("the requested member of the collection does not exist"));
    return static_cast<HeaderFooterIndex>(index);
}

HeaderFooterModel& pick(DocumentState& state, bool header, HeaderFooterIndex index)
{
    SectionModel& s = state.model->section;
    return header ? s.header(index) : s.footer(index);
}

}  // namespace

void PageNumbers::add(PageNumberAlignment alignment, bool firstPage)
{
    state_->enter(QStringLiteral("PageNumbers.Add"),
                  QStringLiteral("%1,%2").arg(static_cast<int>(alignment)).arg(firstPage ? "true" : "false"));
    const int a = static_cast<int>(alignment);
    if (a < 0 || a > 4)
        throw WordError(QStringLiteral("PageNumbers.Add"), QStringLiteral("bad page number alignment"));
    SectionModel& s = state_->model->section;
    pick(*state_, header_, index_).pageNumber = alignment;
    if (index_ == HeaderFooterIndex::Primary) {
        HeaderFooterModel& first = pick(*state_, header_, HeaderFooterIndex::FirstPage);
        if (!firstPage) {
            s.differentFirstPage = true;
            first.pageNumber.reset();
        } else if (s.differentFirstPage) {
            first.pageNumber = alignment;
        }
    }
    state_->touch();
}

int PageNumbers::count() const
{
    state_->enter(QStringLiteral("PageNumbers.Count"));
    return pick(*state_, header_, index_).pageNumber ? 1 : 0;
}

HeaderFooterModel& HeaderFooter::get() const { return pick(*state_, header_, index_); }

Range HeaderFooter::range() const
{
    state_->enter(header_ ? QStringLiteral("Header.Range") : QStringLiteral("Footer.Range"));
    Story& story = get().story;
    return Range(state_, &story, story.track(0, story.length()));
}

bool HeaderFooter::exists() const
{
    state_->enter(header_ ? QStringLiteral("Header.Exists") : QStringLiteral("Footer.Exists"));
    return index_ != HeaderFooterIndex::FirstPage || state_->model->section.differentFirstPage;
}

Range Section::range() const
{
    state_->enter(QStringLiteral("Section.Range"));
    Story& body = state_->model->body;
    return Range(state_, &body, body.track(0, body.length()));
}

HeaderFooter Section::headers(HeaderFooterIndex index) const
{
    state_->enter(QStringLiteral("Section.Headers"), QString::number(static_cast<int>(index)));
    return HeaderFooter(state_, true, checkedIndex(static_cast<int>(index), "Section.Headers"));
}

HeaderFooter Section::footers(HeaderFooterIndex index) const
{
    state_->enter(QStringLiteral("Section.Footers"), QString::number(static_cast<int>(index)));
    return HeaderFooter(state_, false, checkedIndex(static_cast<int>(index), "Section.Footers"));
}

HeaderFooter Section::headers(int index) const { return headers(static_cast<HeaderFooterIndex>(index)); }
HeaderFooter Section::footers(int index) const { return footers(static_cast<HeaderFooterIndex>(index)); }

int Sections::count() const
{
    state_->enter(QStringLiteral("Sections.Count"));
    return 1;
}

Section Sections::item(int index) const
{
    state_->enter(QStringLiteral("Sections.Item"), QString::number(index));
    if (index != 1)
        throw WordError(QStringLiteral("Sections.Item"), QStringLiteral("the requested member of the collection does not exist"));
    return Section(state_);
}

}  // namespace tovu::platform::word
