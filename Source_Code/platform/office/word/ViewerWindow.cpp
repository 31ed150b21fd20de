#include "platform/office/word/ViewerWindow.h"

#include "platform/office/word/Application.h"
#include "platform/office/word/PageLayout.h"
#include "platform/office/word/WordError.h"

#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tovu::platform::word {

namespace {

class ViewerWindow : public ApplicationView {
public:
    explicit ViewerWindow(Application& app) : app_(app)
    {
        window_.setWindowTitle(app.caption());
        window_.resize(720, 900);
        // The print preview's own bar: print the previewed document, or go back to it.
        previewBar_ = window_.addToolBar(QStringLiteral("Print Preview"));
        previewBar_->setObjectName(QStringLiteral("printPreviewBar"));
        previewBar_->setMovable(false);
        previewBar_->addAction(QStringLiteral("Print"), [this] { printShown(); });
        previewBar_->addAction(QStringLiteral("Close Preview"), [this] { showPages(shown_.lock(), false); });
        previewBar_->hide();
        scroll_ = new QScrollArea(&window_);
        scroll_->setWidgetResizable(true);
        pages_ = new QWidget;
        pages_->setLayout(new QVBoxLayout);
        scroll_->setWidget(pages_);  // the scroll area owns the page column
        window_.setCentralWidget(scroll_);
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
        // The previewed document made active again stays in its preview.
        const bool keepPreview = preview_ && document && document == shown_.lock();
        showPages(document, keepPreview);
    }

    void showPreview(const std::shared_ptr<Document>& document) override { showPages(document, true); }

private:
    void showPages(const std::shared_ptr<Document>& document, bool preview)
    {
        QLayout* layout = pages_->layout();
        while (QLayoutItem* item = layout->takeAt(0)) {
            delete item->widget();
            delete item;
        }
        documentName_.clear();
        shown_.reset();
        preview_ = preview && document && !document->isClosed();
        previewBar_->setVisible(preview_);
        if (!document || document->isClosed()) {
            updateTitle();
            return;
        }
        shown_ = document;
        documentName_ = document->name();
        const PageLayout pages(document->model());
        // The editing view reads the pages at a fixed zoom; the preview shrinks each page to
        // fit the window whole, as it will come out of the printer.
        constexpr double kZoom = 1.25;  // screen pixels per point
        double zoom = kZoom;
        if (preview_) {
            const QSize room = scroll_->viewport()->size() - QSize(24, 24);
            zoom = std::min({kZoom, room.height() / pages.pageSize().height(), room.width() / pages.pageSize().width()});
            zoom = std::max(zoom, 0.1);
        }
        for (int page = 1; page <= pages.pageCount(); ++page) {
            QImage image((pages.pageSize() * zoom).toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(zoom, zoom);
            pages.paintPage(painter, page);
            painter.end();
            auto* label = new QLabel;
            label->setPixmap(QPixmap::fromImage(image));
            label->setAlignment(Qt::AlignHCenter);
            layout->addWidget(label);
        }
        updateTitle();
    }

    // Print from the preview, on the application's active printer; a failure is told here,
    // as no caller is waiting for it.
    void printShown()
    {
        const auto document = shown_.lock();
        if (!document)
            return;
        try {
            document->printOut();
        } catch (const WordError& e) {
            QMessageBox::warning(&window_, app_.caption(), e.description());
        }
    }

    // The window is titled with the caption alone, so that callers that bring it to the
    // front by the application's caption find it.
    void updateTitle()
    {
        window_.setWindowTitle(app_.caption());
        window_.setWindowFilePath(documentName_);
    }

    Application& app_;
    QMainWindow window_;
    QToolBar* previewBar_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* pages_ = nullptr;
    QString documentName_;
    std::weak_ptr<Document> shown_;
    bool preview_ = false;
};

}  // namespace

ViewFactory widgetViewFactory()
{
    return [](Application& app) { return std::make_unique<ViewerWindow>(app); };
}

}  // namespace tovu::platform::word
