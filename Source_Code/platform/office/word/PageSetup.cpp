#include "platform/office/word/PageSetup.h"

namespace tovu::platform::word {

namespace {
constexpr double kMinSide = 7.2;    // 0.1 inch
constexpr double kMaxSide = 1584;   // 22 inches
constexpr double kMinText = 12;     // what must stay between the margins
}

void checkPageSetup(const PageSetupModel& p, const QString& operation)
{
    auto fail = [&](const char* why) { throw WordError(operation, QLatin1String(why)); };
    if (p.pageWidth < kMinSide || p.pageWidth > kMaxSide || p.pageHeight < kMinSide || p.pageHeight > kMaxSide)
        fail("the page size must lie between 0.1 and 22 inches");
    if (p.topMargin < 0 || p.bottomMargin < 0 || p.leftMargin < 0 || p.rightMargin < 0 || p.headerDistance < 0 ||
        p.footerDistance < 0)
        fail("margins cannot be negative");
    if (p.leftMargin + p.rightMargin > p.pageWidth - kMinText || p.topMargin + p.bottomMargin > p.pageHeight - kMinText)
        fail("the margins leave no room for text");
}

const PageSetupModel& PageSetup::get() const
{
    state_->enter(QStringLiteral("PageSetup.Get"));
    return state_->model->section.page;
}

void PageSetup::change(const char* operation, double value, double PageSetupModel::*member)
{
    const QString op = QStringLiteral("PageSetup.") + QLatin1String(operation);
    state_->enter(op, QString::number(value));
    PageSetupModel next = state_->model->section.page;
    next.*member = value;
    checkPageSetup(next, op);
    state_->model->section.page = next;
    state_->touch();
}

void PageSetup::setOrientation(Orientation orientation)
{
    state_->enter(QStringLiteral("PageSetup.Orientation"), QString::number(static_cast<int>(orientation)));
    PageSetupModel& p = state_->model->section.page;
    const Orientation o = orientation == Orientation::Landscape ? Orientation::Landscape : Orientation::Portrait;
    if (o != p.orientation) {
        std::swap(p.pageWidth, p.pageHeight);
        p.orientation = o;
        state_->touch();
    }
}

void PageSetup::setTopMargin(double v) { change("TopMargin", v, &PageSetupModel::topMargin); }
void PageSetup::setBottomMargin(double v) { change("BottomMargin", v, &PageSetupModel::bottomMargin); }
void PageSetup::setLeftMargin(double v) { change("LeftMargin", v, &PageSetupModel::leftMargin); }
void PageSetup::setRightMargin(double v) { change("RightMargin", v, &PageSetupModel::rightMargin); }
void PageSetup::setPageWidth(double v) { change("PageWidth", v, &PageSetupModel::pageWidth); }
void PageSetup::setPageHeight(double v) { change("PageHeight", v, &PageSetupModel::pageHeight); }
void PageSetup::setHeaderDistance(double v) { change("HeaderDistance", v, &PageSetupModel::headerDistance); }
void PageSetup::setFooterDistance(double v) { change("FooterDistance", v, &PageSetupModel::footerDistance); }

void PageSetup::setPaperSize(PaperSize paper)
{
    state_->enter(QStringLiteral("PageSetup.PaperSize"), paper == PaperSize::A4 ? QStringLiteral("A4") : QStringLiteral("Letter"));
    PageSetupModel& p = state_->model->section.page;
    double w = paper == PaperSize::A4 ? 595.3 : 612.0;
    double h = paper == PaperSize::A4 ? 841.9 : 792.0;
    if (p.orientation == Orientation::Landscape)
        std::swap(w, h);
    p.pageWidth = w;
    p.pageHeight = h;
    state_->touch();
}

bool PageSetup::differentFirstPageHeaderFooter() const
{
    state_->enter(QStringLiteral("PageSetup.DifferentFirstPageHeaderFooter"));
    return state_->model->section.differentFirstPage;
}

void PageSetup::setDifferentFirstPageHeaderFooter(bool on)
{
    state_->enter(QStringLiteral("PageSetup.SetDifferentFirstPageHeaderFooter"));
    state_->model->section.differentFirstPage = on;
    state_->touch();
}

}  // namespace tovu::platform::word
