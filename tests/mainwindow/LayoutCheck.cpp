#include "mainwindow/LayoutCheck.h"

#include "app/display/widgets/SettingsGridView.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace tovu::mainwindow::testing {

namespace {

QString nameOf(const QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName();
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()), name);
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString plain(QString text)
{
    // A single & marks the mnemonic and is not drawn; && draws one.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// Widgets whose children are the widget's own machinery, laid out by Qt.
bool composite(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QLineEdit*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QTabBar*>(w) || qobject_cast<const QToolBar*>(w) || qobject_cast<const QMenuBar*>(w)
        || qobject_cast<const QAbstractButton*>(w);
}

std::vector<const QWidget*> visibleChildren(const QWidget* parent)
{
    std::vector<const QWidget*> out;
    for (const QObject* o : parent->children())
        if (const auto* w = qobject_cast<const QWidget*>(o); w && !w->isWindow() && w->isVisible() && !w->geometry().isEmpty())
            out.push_back(w);
    return out;
}

void checkSiblings(const QWidget* parent, QStringList& faults)
{
    if (composite(parent))
        return;
    const std::vector<const QWidget*> kids = visibleChildren(parent);
    const QRect inside = parent->rect();
    for (std::size_t i = 0; i < kids.size(); ++i) {
        const QRect a = kids[i]->geometry();
        if (!inside.contains(a))
            faults << QStringLiteral("%1 (%2) sticks out of %3 (%4)")
                          .arg(nameOf(kids[i]), rectText(a), nameOf(parent), rectText(inside));
        for (std::size_t j = i + 1; j < kids.size(); ++j) {
            const QRect b = kids[j]->geometry();
            if (a.intersects(b))
                faults << QStringLiteral("%1 (%2) overlaps %3 (%4)")
                              .arg(nameOf(kids[i]), rectText(a), nameOf(kids[j]), rectText(b));
        }
    }
}

void checkLabel(const QLabel* l, QStringList& faults)
{
    if (l->wordWrap() || l->text().isEmpty() || Qt::mightBeRichText(l->text()))
        return;
    const QFontMetrics m = l->fontMetrics();
    const QString text = l->textFormat() == Qt::PlainText ? l->text() : plain(l->text());
    const QRect room = l->contentsRect();
    if (m.horizontalAdvance(text) > room.width() || m.height() > room.height())
        faults << QStringLiteral("%1 clips \"%2\": needs %3x%4, has %5x%6")
                      .arg(nameOf(l), text)
                      .arg(m.horizontalAdvance(text))
                      .arg(m.height())
                      .arg(room.width())
                      .arg(room.height());
}

void checkButton(const QAbstractButton* b, QStringList& faults)
{
    if (b->text().isEmpty())
        return;
    const QFontMetrics m = b->fontMetrics();
    int needed = m.horizontalAdvance(plain(b->text())) + 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2;
    if (!b->icon().isNull())
        needed += b->iconSize().width() + 4;
    if (needed > b->width() || m.height() > b->height())
        faults << QStringLiteral("%1 clips \"%2\": needs %3 wide, has %4x%5")
                      .arg(nameOf(b), b->text())
                      .arg(needed)
                      .arg(b->width())
                      .arg(b->height());
}

void checkTabs(const QTabBar* bar, QStringList& faults)
{
    const QFontMetrics m = bar->fontMetrics();
    const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i))
            continue;
        const QRect r = bar->tabRect(i);
        const int needed = m.horizontalAdvance(plain(bar->tabText(i))) + space;
        if (r.width() < needed || r.right() >= bar->width())
            faults << QStringLiteral("tab \"%1\" of %2 clipped: needs %3, has %4 at %5 of %6")
                          .arg(bar->tabText(i), nameOf(bar->parentWidget()))
                          .arg(needed)
                          .arg(r.width())
                          .arg(r.x())
                          .arg(bar->width());
    }
}

void checkGroupTitle(const QGroupBox* g, QStringList& faults)
{
    const int needed = g->fontMetrics().horizontalAdvance(plain(g->title())) + 16;
    if (!g->title().isEmpty() && needed > g->width())
        faults << QStringLiteral("%1 clips its title \"%2\"").arg(nameOf(g), g->title());
}

// Every button of the bar in sight, none pushed into the overflow menu.
void checkToolbar(const QToolBar* bar, QStringList& faults)
{
    for (QAction* a : bar->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QWidget* w = bar->widgetForAction(a);
        if (!w || !w->isVisible() || !bar->rect().contains(w->geometry()))
            faults << QStringLiteral("toolbar button %1 is not in sight").arg(a->objectName());
        else if (const auto* b = qobject_cast<const QToolButton*>(w))
            checkButton(b, faults);
    }
}

void checkMenuBar(const QMenuBar* bar, QStringList& faults)
{
    for (QAction* a : bar->actions()) {
        if (!a->isVisible())
            continue;
        const QRect r = bar->actionGeometry(a);
        if (r.isEmpty() || !bar->rect().contains(r))
            faults << QStringLiteral("menu \"%1\" is not in sight").arg(a->text());
    }
}

void checkGrid(const display::SettingsGridView* grid, QStringList& faults)
{
    for (int c = 0; grid->model() && c < grid->model()->columnCount(); ++c)
        if (grid->columnWidth(c) < grid->columnTextWidth(c))
            faults << QStringLiteral("the settings grid's column %1 (%2) is narrower than its longest text (%3)")
                          .arg(c)
                          .arg(grid->columnWidth(c))
                          .arg(grid->columnTextWidth(c));
    // Its columns fit the view: none is hidden behind a sideways scroll bar.
    int total = 0;
    for (int c = 0; grid->model() && c < grid->model()->columnCount(); ++c)
        total += grid->columnWidth(c);
    if (total > grid->viewport()->width())
        faults << QStringLiteral("the settings grid's columns (%1) are wider than its view (%2)")
                      .arg(total)
                      .arg(grid->viewport()->width());
}

} // namespace

QStringList layoutFaults(const QWidget& window)
{
    QStringList faults;
    QList<const QWidget*> all{&window};
    for (const QWidget* w : window.findChildren<QWidget*>())
        all << w;
    for (const QWidget* w : all) {
        if (!w->isVisible() || (w != &window && w->isWindow()))
            continue;
        checkSiblings(w, faults);
        if (const auto* l = qobject_cast<const QLabel*>(w))
            checkLabel(l, faults);
        else if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && !qobject_cast<const QToolBar*>(b->parentWidget()))
            checkButton(b, faults);
        else if (const auto* t = qobject_cast<const QTabBar*>(w))
            checkTabs(t, faults);
        else if (const auto* g = qobject_cast<const QGroupBox*>(w))
            checkGroupTitle(g, faults);
        else if (const auto* tb = qobject_cast<const QToolBar*>(w))
            checkToolbar(tb, faults);
        else if (const auto* mb = qobject_cast<const QMenuBar*>(w))
            checkMenuBar(mb, faults);
        if (const auto* grid = qobject_cast<const display::SettingsGridView*>(w))
            checkGrid(grid, faults);
    }
    return faults;
}

} // namespace tovu::mainwindow::testing
