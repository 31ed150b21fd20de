#pragma once

#include "platform/office/word/DocumentModel.h"

#include <QSizeF>
#include <QString>
#include <memory>
#include <utility>

class QPainter;

namespace tovu::platform::word {

// The document laid out on pages: the model projected onto a QTextDocument of the text
// area's size, with page breaks honoured, and headers, footers (page numbers filled in)
// and floating pictures drawn on each page. Everything is measured in points.
// Needs a running QGuiApplication (fonts); throws WordError without one.
class PageLayout {
public:
    explicit PageLayout(const DocumentModel& model);
    ~PageLayout();
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    int pageCount() const;
    // 1-based page on which the main-text position lies.
    int pageOfPosition(int position) const;
    // Main-text positions [start, end) of a page (1-based) and of the line holding a position.
    std::pair<int, int> pageSpan(int page) const;
    std::pair<int, int> lineSpan(int position) const;
    int lineCount() const;

    QSizeF pageSize() const;
    // Draws page (1-based) with the painter's unit being one point, origin at the page's corner.
    void paintPage(QPainter& painter, int page) const;

    // The text with a line end wherever a laid-out line ends, CR LF between lines.
    QString textWithLineBreaks() const;
    // The text as HTML; every picture, floating ones at their anchor, is an image whose
    // source is "tovu-picture-" and the picture's object number.
    QString html() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tovu::platform::word
