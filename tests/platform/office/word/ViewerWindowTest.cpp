#include "WordTestSupport.h"

#include "platform/office/word/ViewerWindow.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace tovu::platform::word::test {
namespace {

QWidget* viewerWindow(const QString& title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title)
            return w;
    return nullptr;
}

using ViewerWindowTest = WordTest;

TEST_F(ViewerWindowTest, AVisibleApplicationShowsItsDocumentsPagesUnderItsCaption)
{
    env->setViewFactory(widgetViewFactory());
    doc->content().setText(QStringLiteral("first page"));
    doc->bookmarks().range(QStringLiteral("\\EndOfDoc")).insertBreak();
    doc->content().insertAfter(QStringLiteral("second page"));
    app->setCaption(QStringLiteral("Report viewer"));
    app->setVisible(true);
    QWidget* window = viewerWindow(QStringLiteral("Report viewer"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowFilePath(), doc->name());
    const auto pages = window->findChildren<QLabel*>();
    EXPECT_EQ(pages.size(), 2);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_FALSE(pages.front()->pixmap().isNull());
    EXPECT_NO_THROW(app->activate());
    app->setVisible(false);
    EXPECT_EQ(viewerWindow(QStringLiteral("Report viewer")), nullptr);
    app->quit();
}

}  // namespace
}  // namespace tovu::platform::word::test
