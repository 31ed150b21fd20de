// What the pointer shows during a drag (pictures 101 and 102, the list item's picture),
// and the toolbar's pictures, which tell every command apart.
#include "mainwindow/MainWindowFixture.h"

#include "app/mainwindow/DragFeedback.h"
#include "app/mainwindow/Icons.h"

#include <QDrag>
#include <QToolBar>

namespace tovu::mainwindow::testing {
namespace {

QImage imageOf(IconResource id)
{
    return iconResource(id).pixmap(32, 32).toImage();
}

TEST(DragFeedback, TreeAndListDragsShowTheirPicturesWhereTheyMayAndMayNotDrop)
{
    QObject owner;
    QPixmap item(40, 16);
    item.fill(Qt::blue);
    struct Case {
        const char* name;
        DragSource source;
        int listCount;
        bool dropHereCursor;  // 101 where a control takes the drag
        bool carriesItem;     // the drag carries the list item's picture
    };
    const Case cases[] = {
        {"tree", DragSource::Tree, 5, true, false},
        {"list of one item", DragSource::List, 1, false, false},
        {"list of two items", DragSource::List, 2, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDrag drag(&owner);
        setDragFeedback(drag, c.source, item, c.listCount);
        EXPECT_EQ(drag.dragCursor(Qt::IgnoreAction).toImage(), imageOf(IconResource::NoDrop))
            << "picture 102 over every control that refuses the drag";
        EXPECT_EQ(!drag.dragCursor(Qt::CopyAction).isNull()
                      && drag.dragCursor(Qt::CopyAction).toImage() == imageOf(IconResource::DropHere),
                  c.dropHereCursor);
        EXPECT_EQ(!drag.pixmap().isNull(), c.carriesItem);
        if (c.carriesItem) {
            EXPECT_EQ(drag.pixmap().toImage(), item.toImage());
        }
    }
}

using DragFeedbackWindow = MainWindowFixture;

TEST_F(DragFeedbackWindow, TheListItemsPictureShowsItsIconAndItsWholeText)
{
    frmmain& w = startWithItems();
    const QModelIndex index = w.listModel().index(0);
    const QString text = index.data().toString();
    ASSERT_FALSE(text.isEmpty());
    const QPixmap picture = listDragImage(*w.lvwPanelsALog(), index);
    EXPECT_GE(picture.width(), w.lvwPanelsALog()->fontMetrics().horizontalAdvance(text) + 16);
    // Something is drawn on it: not all of it transparent.
    const QImage image = picture.toImage();
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(drawn, 20);
}

TEST_F(DragFeedbackWindow, EveryToolbarButtonHasAPictureOfItsOwn)
{
    frmmain& w = start();
    std::map<QString, QImage> pictures;
    for (QAction* a : w.Toolbar1()->actions()) {
        if (a->isSeparator())
            continue;
        const QImage image = a->icon().pixmap(24, 24).toImage();
        EXPECT_FALSE(image.isNull()) << a->objectName().toStdString();
        for (const auto& [other, seen] : pictures)
            EXPECT_NE(image, seen) << a->objectName().toStdString() << " looks like " << other.toStdString();
        pictures[a->objectName()] = image;
    }
    for (const char* key : {"CopyPanel", "List", "wordIcon1"})
        EXPECT_EQ(pictures.count(QString::fromLatin1(key)), 1u) << key;
}

} // namespace
} // namespace tovu::mainwindow::testing
