#include "platform/office/word/ViewerWindow.h"

#include "platform/office/word/Application.h"
#include "platform/office/word/PageLayout.h"

#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tovu::platform::word {

namespace {

class ViewerWindow : public ApplicationView {
public:
    explicit ViewerWindow(Application& app) : app_(app)
    {
        window_.setWindowTitle(app.caption());
        window_.resize(720, 900);
        auto* scroll = new QScrollArea(&window_);
        scroll->setWidgetResizable(true);
        scroll->setWidget(&pages_);
        pages_.setLayout(new QVBoxLayout);
        window_.setCentralWidget(scroll);
    }

    void showView() override
    {
        window_.setWindowTitle(app_.caption());
        window_.show();
    }
    void hideView() override { window_.hide(); }
    void raiseView() override
    {
        window_.show();
        window_.raise();
        window_.activateWindow();
    }

    void showDocument(const std::shared_ptr<Document>& document) override
    {
        QLayout* layout = pages_.layout();
        while (QLayoutItem* item = layout->takeAt(0)) {
            delete item->widget();
            delete item;
        }
        if (!document || document->isClosed())
            return;
        const PageLayout pages(document->model());
        constexpr double kZoom = 1.25;  // screen pixels per point
        for (int page = 1; page <= pages.pageCount(); ++page) {
            QImage image((pages.pageSize() * kZoom).toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(kZoom, kZoom);
            pages.paintPage(painter, page);
            painter.end();
            auto* label = new QLabel;
            label->setPixmap(QPixmap::fromImage(image));
            layout->addWidget(label);
        }
        window_.setWindowTitle(document->name() + QStringLiteral(" - ") + app_.caption());
    }

private:
    Application& app_;
    QMainWindow window_;
    QWidget pages_;
};

}  // namespace

ViewFactory widgetViewFactory()
{
    return [](Application& app) { return std::make_unique<ViewerWindow>(app); };
}

}  // namespace tovu::platform::word
