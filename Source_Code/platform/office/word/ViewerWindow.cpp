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
        pages_ = new QWidget;
        pages_->setLayout(new QVBoxLayout);
        scroll->setWidget(pages_);  // the scroll area owns the page column
        window_.setCentralWidget(scroll);
    }

    void showView() override
    {
        updateTitle();
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
        QLayout* layout = pages_->layout();
        while (QLayoutItem* item = layout->takeAt(0)) {
            delete item->widget();
            delete item;
        }
        documentName_.clear();
        if (!document || document->isClosed()) {
            updateTitle();
            return;
        }
        documentName_ = document->name();
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
        updateTitle();
    }

private:
    // The window is titled with the caption alone, so that callers that bring it to the
    // front by the application's caption find it.
    void updateTitle()
    {
        window_.setWindowTitle(app_.caption());
        window_.setWindowFilePath(documentName_);
    }

    Application& app_;
    QMainWindow window_;
    QWidget* pages_ = nullptr;
    QString documentName_;
};

}  // namespace

ViewFactory widgetViewFactory()
{
    return [](Application& app) { return std::make_unique<ViewerWindow>(app); };
}

}  // namespace tovu::platform::word
