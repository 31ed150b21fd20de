#include "app/mainwindow/MainMenus.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <stdexcept>

namespace tovu::mainwindow {

namespace {

enum class Kind { Menu, Item, Check, Separator, Array };

struct Entry {
    const char* name;
    const char* parent;   // "" a menu of the bar; "#" a pop-up menu
    Kind kind;
    const char* fixedCaption = "";
};

// Where the design leaves the parent open: the two ALog exports sit under mnuExport in
// the File menu, the clipboard options and the picture type in the Edit menu, the erase
// commands under mnuEraseMemory in Tools, Help Topic and About in the Help menu.
constexpr Entry kEntries[] = {
    {"mnuFile", "", Kind::Menu},
    {"mnuOpen", "mnuFile", Kind::Item},
    {"mnuSave", "mnuFile", Kind::Item},
    {"mnuSaveIndividual", "mnuFile", Kind::Item},
    {"", "mnuFile", Kind::Separator},
    {"mnuExport", "mnuFile", Kind::Menu},
    {"mnuExportExcel", "mnuExport", Kind::Item},
    {"mnuExportMatlab", "mnuExport", Kind::Item},
    {"mnuPrint", "mnuFile", Kind::Item},
    {"", "mnuFile", Kind::Separator},
    {"mnuExit", "mnuFile", Kind::Item},

    {"mnuEdit", "", Kind::Menu},
    {"mnuCopyAlog", "mnuEdit", Kind::Item},
    {"mnuCopyPanel", "mnuEdit", Kind::Item},
    {"", "mnuEdit", Kind::Separator},
    {"mnuClipBoardOptions", "mnuEdit", Kind::Menu},
    {"mnuCopyClipBoardOptions", "mnuClipBoardOptions", Kind::Array},
    {"", "mnuClipBoardOptions", Kind::Separator},
    {"mnuoptall", "mnuClipBoardOptions", Kind::Array},
    {"mnuAlogPictureType", "mnuEdit", Kind::Menu},
    {"mnuPictureMetafile", "mnuAlogPictureType", Kind::Check},
    {"mnuPictureBitmap", "mnuAlogPictureType", Kind::Check},

    {"mnuView", "", Kind::Menu},
    {"mnuViewALogs", "mnuView", Kind::Check},
    {"mnuViewPanels", "mnuView", Kind::Check},
    {"", "mnuView", Kind::Separator},
    {"mnuSuperimpose", "mnuView", Kind::Check},
    {"", "mnuView", Kind::Separator},
    {"mnuLargeIcons", "mnuView", Kind::Item},
    {"mnuSmallIcons", "mnuView", Kind::Item},
    {"mnuList", "mnuView", Kind::Item},

    {"mnuTools", "", Kind::Menu},
    {"mnuTerminal", "mnuTools", Kind::Item},
    {"mnuCommPort", "mnuTools", Kind::Menu},
    {"mnuCom", "mnuCommPort", Kind::Array},
    {"mnuThickness", "mnuTools", Kind::Item},
    {"mnuGetCurrentSettings", "mnuTools", Kind::Item},
    {"", "mnuTools", Kind::Separator},
    {"mnuCompactMem", "mnuTools", Kind::Item},
    {"mnuSetPrivilege", "mnuTools", Kind::Item},
    {"mnuEraseMemory", "mnuTools", Kind::Menu},
    {"MnuErasePanels", "mnuEraseMemory", Kind::Item},
    {"MnuEraseALOGS", "mnuEraseMemory", Kind::Item},

    {"mnuOptions", "", Kind::Menu},
    {"mnuOptionsCheckDFDStatus", "mnuOptions", Kind::Item},
    {"mnuAlogStyle", "mnuOptions", Kind::Menu},
    {"mnuOptionsAlogStyleMinMax", "mnuAlogStyle", Kind::Check},
    {"mnuOptionsAlogStyleSmooth", "mnuAlogStyle", Kind::Check},
    {"mnuAlogProperties", "mnuOptions", Kind::Item},

    {"mnuLanguage", "", Kind::Menu},
    {"mnuMultSel", "mnuLanguage", Kind::Array},

    {"mnuTOVUHelp", "", Kind::Menu},
    {"mnuhelp", "mnuTOVUHelp", Kind::Item},
    {"", "mnuTOVUHelp", Kind::Separator},
    {"mnuAbout", "mnuTOVUHelp", Kind::Item},

    {"mnuPopUpDFDtree", "#", Kind::Menu},
    {"mnuStatus", "mnuPopUpDFDtree", Kind::Item},
    {"", "mnuPopUpDFDtree", Kind::Separator},
    {"mnuMemory", "mnuPopUpDFDtree", Kind::Menu, "Memory"},
    {"mnuPanelMemSelect", "mnuMemory", Kind::Menu, "Panel"},
    {"mnuPanelMem", "mnuPanelMemSelect", Kind::Array},
    {"mnuAlogMemSelect2", "mnuMemory", Kind::Menu, "ALog"},
    {"mnuAlogMem1", "mnuAlogMemSelect2", Kind::Array},
    {"mnuAlogMemSelect", "mnuMemory", Kind::Menu, "ALog"},
    {"mnuAlogMem", "mnuAlogMemSelect", Kind::Array},
    {"", "mnuPopUpDFDtree", Kind::Separator},
    {"PopUpmnuRecallItem", "mnuPopUpDFDtree", Kind::Item},
    {"PopUpmnuDeleteItem", "mnuPopUpDFDtree", Kind::Item},

    {"mnuScan", "#", Kind::Menu},
    {"mnuScanCurrent", "mnuScan", Kind::Item, "SCAN CURRENT"},

    {"mnuPopUpAscan", "#", Kind::Menu},
    {"mnuPopUpAscanCopy", "mnuPopUpAscan", Kind::Item},
    {"mnuPopUpAscanStyle", "mnuPopUpAscan", Kind::Menu},
    {"mnuPopUpAscanStyleMinMax", "mnuPopUpAscanStyle", Kind::Check},
    {"mnuPopUpAscanStyleSmooth", "mnuPopUpAscanStyle", Kind::Check},
    {"mnuAScanProperties", "mnuPopUpAscan", Kind::Item},
};

QString pageRange(int first, int last, int width)
{
    return QStringLiteral("%1 - %2").arg(first, width, 10, QLatin1Char('0')).arg(last, width, 10, QLatin1Char('0'));
}

QAction* newItem(QMenu* parent, const QString& name, bool checkable, const QString& caption = {})
{
    QAction* a = parent->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(checkable);
    return a;
}

class Builder {
public:
    Builder(QMainWindow& w, MainMenus& m) : w_(w), m_(m) {}

    void run()
    {
        for (const Entry& e : kEntries)
            add(e);
    }

private:
    void add(const Entry& e)
    {
        const QString name = QString::fromLatin1(e.name);
        const QString parentName = QString::fromLatin1(e.parent);
        const QString caption = QString::fromLatin1(e.fixedCaption);
        if (e.kind == Kind::Menu) {
            QMenu* menu = nullptr;
            if (parentName.isEmpty())
                menu = w_.menuBar()->addMenu(caption);
            else if (parentName == u'#')
                menu = new QMenu(caption, &w_);
            else
                menu = m_.menu(parentName)->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            m_.menus[name] = menu;
            m_.byName[name] = menu->menuAction();
            return;
        }
        QMenu* parent = m_.menu(parentName);
        if (e.kind == Kind::Separator) {
            parent->addSeparator();
            return;
        }
        if (e.kind == Kind::Array) {
            addArray(name, parent);
            return;
        }
        m_.byName[name] = newItem(parent, name, e.kind == Kind::Check, caption);
    }

    void addArray(const QString& name, QMenu* parent)
    {
        if (name == u"mnuCom")
            fill(m_.mnuCom, 0, kComPorts - 1, parent, name, true);
        else if (name == u"mnuMultSel")
            fill(m_.mnuMultSel, 0, kLanguages - 1, parent, name, true);
        else if (name == u"mnuCopyClipBoardOptions")
            fill(m_.mnuCopyClipBoardOptions, 0, kCopyOptions - 1, parent, name, true);
        else if (name == u"mnuoptall")
            fill(m_.mnuoptall, 1, 2, parent, name, true);
        else if (name == u"mnuPanelMem") {
            fill(m_.mnuPanelMem, 1, kPanelPages, parent, name, true);
            for (int i = 1; i <= kPanelPages; ++i)
                m_.mnuPanelMem[i]->setText(pageRange((i - 1) * 20 + 1, i * 20, 2));
        } else if (name == u"mnuAlogMem") {
            fill(m_.mnuAlogMem, 1, kALogPages, parent, name, true);
            for (int i = 1; i <= kALogPages; ++i)
                m_.mnuAlogMem[i]->setText(pageRange((i - 1) * 100 + 1, i * 100, 3));
        } else if (name == u"mnuAlogMem1") {
            addThousands(parent);
        } else {
            throw std::logic_error("unknown menu array");
        }
    }

    template <std::size_t N>
    void fill(std::array<QAction*, N>& array, int first, int last, QMenu* parent, const QString& name, bool checkable)
    {
        for (int i = first; i <= last; ++i)
            array[static_cast<std::size_t>(i)] = newItem(parent, name + QStringLiteral("(%1)").arg(i), checkable);
    }

    void addThousands(QMenu* parent)
    {
        for (int group = 1; group <= kThousandGroups; ++group) {
            const int base = (group - 1) * 1000;
            QMenu* sub = parent->addMenu(pageRange(base + 1, base + 1000, 4));
            sub->setObjectName(QStringLiteral("mnuAlogMem1(%1)").arg(group));
            m_.mnuAlogMem1[static_cast<std::size_t>(group)] = sub;
            const QString pages = thousandMenuName(group);
            m_.menus[pages] = sub;
            for (int i = 1; i <= kPagesPerGroup; ++i) {
                // Group 1 names its pages "001 - 100"; the others by their full numbers.
                const int first = group == 1 ? (i - 1) * 100 + 1 : base + (i - 1) * 100 + 1;
                const int last = group == 1 ? i * 100 : base + i * 100;
                m_.thousandPages[static_cast<std::size_t>(group)][static_cast<std::size_t>(i)] =
                    newItem(sub, pages + QStringLiteral("(%1)").arg(i), true, pageRange(first, last, group == 1 ? 3 : 1));
            }
        }
    }

    QMainWindow& w_;
    MainMenus& m_;
};

} // namespace

QAction* MainMenus::action(const QString& name) const
{
    const auto it = byName.find(name);
    if (it == byName.end())
        throw std::out_of_range(("no menu item " + name).toStdString());
    return it->second;
}

QMenu* MainMenus::menu(const QString& name) const
{
    const auto it = menus.find(name);
    if (it == menus.end())
        throw std::out_of_range(("no menu " + name).toStdString());
    return it->second;
}

QString thousandMenuName(int group)
{
    return group == 1 ? QStringLiteral("mnuAlogMem_I") : QStringLiteral("mnuAlogMem_%1").arg((group - 1) * 1000);
}

void buildMenus(QMainWindow& window, MainMenus& menus)
{
    Builder(window, menus).run();
}

} // namespace tovu::mainwindow
