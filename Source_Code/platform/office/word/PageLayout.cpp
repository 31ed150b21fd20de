#include "platform/office/word/PageLayout.h"

#include "platform/office/graph/ChartPainter.h"

#include "platform/office/word/TableFormats.h"
#include "platform/office/word/WordError.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace tovu::platform::word {

namespace {

constexpr double kImageScale = 2.0;  // pixels per point of the pictures handed to the text
// The text is laid out in tenths of a point: the layout rounds every line and table row up
// to a whole unit of its device, which in whole points would add up over a page of rows.
constexpr double kUnitsPerPoint = 10.0;

// Layout units per point of a document laid out on a device.
double unitsPerPoint(const QTextDocument& doc)
{
    const QPaintDevice* device = doc.documentLayout()->paintDevice();
    return device ? device->logicalDpiY() / 72.0 : 1.0;
}

QTextCharFormat charFormat(const CharFormat& f, bool link)
{
    QTextCharFormat out;
    out.setFontFamilies({f.name});
    out.setFontPointSize(f.size);
    out.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(f.italic);
    out.setFontUnderline(f.underline || link);
    out.setFontStrikeOut(f.strikeThrough);
    QColor color = colorFromWord(f.color);
    if (link && f.color == kColorAutomatic)
        color = QColor(0, 0, 255);
    out.setForeground(color);
    return out;
}

// Spacing in layout units, which the text layout takes as they are.
QTextBlockFormat blockFormat(const ParaFormat& p, double unitsPerPoint)
{
    QTextBlockFormat out;
    switch (p.alignment) {
    case Alignment::Center: out.setAlignment(Qt::AlignHCenter); break;
    case Alignment::Right: out.setAlignment(Qt::AlignRight); break;
    case Alignment::Justify: out.setAlignment(Qt::AlignJustify); break;
    case Alignment::Left: out.setAlignment(Qt::AlignLeft); break;
    }
    out.setTopMargin(p.spaceBefore * unitsPerPoint);
    out.setBottomMargin(p.spaceAfter * unitsPerPoint);
    return out;
}

// Where a table's left edge stands from the text margin. The writer declares compatibility
// mode 15, from which on the edge stands at the margin and the cells' text one cell margin
// inside it (in older modes the text stood at the margin and the edge left of it).
double tableIndent(const TableModel&)
{
    return 0;
}

QImage pictureImage(const PictureData& picture, double width, double height)
{
    const QSize pixels(std::max(1, static_cast<int>(width * kImageScale)), std::max(1, static_cast<int>(height * kImageScale)));
    QImage image = picture.render(pixels);
    if (image.isNull()) {
        // A picture that cannot be drawn keeps its place as an empty frame.
        image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setPen(QPen(Qt::gray, 2));
        p.drawRect(image.rect().adjusted(1, 1, -2, -2));
    }
    return image;
}

struct FloatInfo {
    int docPosition;
    const FloatingPicture* picture;
    mutable QImage image;  // drawn on first paint
    const FloatingChart* chart = nullptr;  // a chart instead of a picture
};

// Pictures are drawn only when a page is painted: counting pages needs their sizes only,
// which the image formats carry.
class ProjectedDocument : public QTextDocument {
public:
    explicit ProjectedDocument(const DocumentModel& model) : model_(model) {}

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        bool ok = false;
        const int object = name.toString().section(QLatin1Char('-'), -1).toInt(&ok);
        const auto* p = ok ? model_.objectAs<InlinePicture>(object) : nullptr;
        const auto* f = ok ? model_.objectAs<FloatingPicture>(object) : nullptr;
        if (type != QTextDocument::ImageResource || (!p && !f))
            return QTextDocument::loadResource(type, name);
        const QImage image = p ? pictureImage(p->picture, p->width, p->height) : pictureImage(f->picture, f->width, f->height);
        addResource(type, name, image);
        return image;
    }

private:
    const DocumentModel& model_;
};

// Where floating pictures go: drawn over the page by the layout, or, for a text that has no
// pages (the HTML page), put into the text where they are anchored.
enum class FloatingPictures { OverPage, InText };

// Projects one story onto a QTextDocument; body positions are mapped when asked for.
class Projector {
public:
    Projector(const DocumentModel& model, QTextDocument& doc, std::vector<int>* map, std::vector<FloatInfo>* floats,
              int pageNumber, int pageCount, FloatingPictures floating = FloatingPictures::OverPage)
        : m_(model), doc_(doc), cur_(&doc), map_(map), floats_(floats), page_(pageNumber), pages_(pageCount),
          units_(unitsPerPoint(doc)), tableScale_(tableLengthScale(doc)), floating_(floating) {}

    void project(const Story& story)
    {
        const auto paragraphs = story.paragraphs();
        if (map_)
            map_->assign(static_cast<std::size_t>(story.length() + 1), 0);
        // One edit block: the text is laid out once at its end, not after every insertion.
        cur_.beginEditBlock();
        bool firstBlock = true;
        bool afterTable = false;
        bool besideTable = false;  // the last paragraph took the block after a table
        for (auto [s, e] : paragraphs) {
            const StoryChar& mark = story.at(e - 1);
            const QTextBlockFormat bf = blockFormat(story.pool().para(mark.para), units_);
            const QTextCharFormat mf = charFormat(story.pool().font(mark.font), false);
            if (e - s == 2 && story.at(s).ch == kObjectChar) {
                if (const auto* t = m_.objectAs<TableModel>(story.at(s).object)) {
                    if (!firstBlock && !afterTable)
                        cur_.insertBlock(bf, mf);
                    // A paragraph that took the block after a table keeps it: the table
                    // goes into a block of its own after it.
                    if (besideTable)
                        cur_.insertBlock(bf, mf);
                    mapTo(s, cur_.position());
                    insertTable(*t);
                    mapTo(e - 1, cur_.position());
                    afterTable = true;
                    besideTable = firstBlock = false;
                    continue;
                }
            }
            if (firstBlock || afterTable) {
                cur_.setBlockFormat(bf);
                cur_.setBlockCharFormat(mf);
            } else {
                cur_.insertBlock(bf, mf);
            }
            besideTable = afterTable;
            firstBlock = afterTable = false;
            for (int i = s; i < e - 1; ++i) {
                const StoryChar& c = story.at(i);
                mapTo(i, cur_.position());
                const QTextCharFormat cf = charFormat(story.pool().font(c.font), c.link != 0);
                switch (c.ch) {
                case kPageBreak: {
                    // What follows a page break starts the next page, the paragraph's
                    // mark included; a break that ends the document begins no page, as
                    // the other word processors lay it out.
                    if (i + 1 == e - 1 && e >= story.length())
                        break;
                    QTextBlockFormat next = bf;
                    next.setTopMargin(0);
                    next.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                    cur_.insertBlock(next, mf);
                    besideTable = false;  // the paragraph goes on in a block of its own
                    break;
                }
                case kLineBreak: cur_.insertText(QString(QChar::LineSeparator), cf); break;
                case kObjectChar: insertObject(c, cf); break;
                default: cur_.insertText(QString(QChar(c.ch)), cf);
                }
            }
            mapTo(e - 1, cur_.position());
        }
        if (map_)
            map_->back() = cur_.position();
        cur_.endEditBlock();
        fixRowHeights();
    }

private:
    void mapTo(int pos, int docPos)
    {
        if (map_)
            (*map_)[static_cast<std::size_t>(pos)] = docPos;
    }

    void insertImage(int object, double width, double height)
    {
        QTextImageFormat image;
        image.setName(QStringLiteral("tovu-picture-%1").arg(object));
        image.setWidth(width * units_);
        image.setHeight(height * units_);
        cur_.insertImage(image);
    }

    void insertObject(const StoryChar& c, const QTextCharFormat& cf)
    {
        if (const auto* p = m_.objectAs<InlinePicture>(c.object)) {
            insertImage(c.object, p->width, p->height);
        } else if (const auto* f = m_.objectAs<FloatingPicture>(c.object)) {
            if (floating_ == FloatingPictures::InText)
                insertImage(c.object, f->width, f->height);
            else if (floats_)
                floats_->push_back(FloatInfo{cur_.position(), f, QImage()});
        } else if (const auto* chart = m_.objectAs<FloatingChart>(c.object)) {
            if (floats_)
                floats_->push_back(FloatInfo{cur_.position(), nullptr, QImage(), chart});
        } else if (const auto* merge = m_.objectAs<MergeField>(c.object)) {
            cur_.insertText(QStringLiteral("\u00AB%1\u00BB").arg(merge->name), cf);
        } else if (const auto* field = m_.objectAs<Field>(c.object)) {
            const int value = field->kind == Field::Kind::Page ? page_ : pages_;
            cur_.insertText(value > 0 ? QString::number(value) : QStringLiteral("1"), cf);
        }
    }

    void setCellBorders(QTextTableCellFormat& f, const CellBorders& b) const
    {
        const auto style = [](const BorderLine& l) {
            if (l.isNone()) return QTextFrameFormat::BorderStyle_None;
            if (l.style == QLatin1String("double")) return QTextFrameFormat::BorderStyle_Double;
            if (l.style == QLatin1String("dotted")) return QTextFrameFormat::BorderStyle_Dotted;
            if (l.style == QLatin1String("dashed")) return QTextFrameFormat::BorderStyle_Dashed;
            if (l.style == QLatin1String("inset")) return QTextFrameFormat::BorderStyle_Inset;
            if (l.style == QLatin1String("outset")) return QTextFrameFormat::BorderStyle_Outset;
            return QTextFrameFormat::BorderStyle_Solid;
        };
        const auto width = [this](const BorderLine& l) { return l.isNone() ? 0.0 : points(l.size / 8.0); };
        const auto brush = [](const BorderLine& l) {
            return QBrush(l.color == kColorAutomatic ? QColor(Qt::black) : colorFromWord(l.color));
        };
        using F = QTextTableCellFormat;
        struct Side {
            BorderLine CellBorders::*line;
            void (F::*width)(qreal);
            void (F::*style)(QTextFrameFormat::BorderStyle);
            void (F::*brush)(const QBrush&);
        };
        static constexpr Side kSides[] = {
            {&CellBorders::top, &F::setTopBorder, &F::setTopBorderStyle, &F::setTopBorderBrush},
            {&CellBorders::bottom, &F::setBottomBorder, &F::setBottomBorderStyle, &F::setBottomBorderBrush},
            {&CellBorders::left, &F::setLeftBorder, &F::setLeftBorderStyle, &F::setLeftBorderBrush},
            {&CellBorders::right, &F::setRightBorder, &F::setRightBorderStyle, &F::setRightBorderBrush},
        };
        for (const Side& side : kSides) {
            const BorderLine& l = b.*side.line;
            (f.*side.width)(width(l));
            (f.*side.style)(style(l));
            (f.*side.brush)(brush(l));
        }
    }

    // The text layout scales a table's fixed lengths (widths, paddings, lines) from its own
    // default resolution to the paint device's; lengths handed to it are divided by that.
    static double tableLengthScale(QTextDocument& like)
    {
        QTextDocument probe;
        probe.setUseDesignMetrics(true);
        probe.documentLayout()->setPaintDevice(like.documentLayout()->paintDevice());
        probe.setDocumentMargin(0);
        QTextTableFormat f;
        f.setBorder(0);
        f.setCellPadding(0);
        f.setCellSpacing(0);
        f.setMargin(0);
        f.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100)});
        QTextCursor cursor(&probe);
        const QTextTable* table = cursor.insertTable(1, 1, f);
        const double width = probe.documentLayout()->frameBoundingRect(const_cast<QTextTable*>(table)).width();
        return width > 0 ? width / 100 : 1.0;
    }
    // A length in points as the table layout takes it.
    double points(double length) const { return length * units_ / tableScale_; }

    void insertTable(const TableModel& t)
    {
        QTextTableFormat tf;
        // Lines are drawn cell by cell (plain borders too), so that they take no room from
        // the cells.
        const bool ownLines = t.borders;
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        tf.setBorder(0);
        tf.setBorderCollapse(true);
        tf.setCellSpacing(0);
        tf.setCellPadding(0);
        tf.setMargin(0);
        const double indent = tableIndent(t);
        tf.setLeftMargin(points(indent));
        tf.setHeaderRowCount(t.headingRows);
        // The columns of the table's grid: a fixed width, or the text width shared out
        // (a fitted table too, as its grid is written).
        // Shares are of the width the table's frame has: the text width less the indent.
        const double textWidth = doc_.pageSize().width() / units_;
        const double share = 100.0 / std::max(1, t.columns) * textWidth / std::max(1.0, textWidth - indent);
        const QTextLength width = t.columnWidth > 0 ? QTextLength(QTextLength::FixedLength, points(t.columnWidth))
                                                    : QTextLength(QTextLength::PercentageLength, share);
        tf.setColumnWidthConstraints(QList<QTextLength>(t.columns, width));
        QTextTable* table = cur_.insertTable(std::max(1, t.rows), std::max(1, t.columns), tf);
        const CellMargins& m = t.cellMargins;
        for (int r = 0; r < t.rows; ++r)
            for (int c = 0; c < t.columns; ++c) {
                const TableCell& cell = t.cell(r, c);
                QTextTableCell qc = table->cellAt(r, c);
                QTextTableCellFormat look;
                look.setTopPadding(points(m.top));
                look.setBottomPadding(points(m.bottom));
                look.setLeftPadding(points(m.left));
                look.setRightPadding(points(m.right));
                if (cell.shading != kColorAutomatic)
                    look.setBackground(colorFromWord(cell.shading));
                if (ownLines)
                    setCellBorders(look, drawnCellBorders(t, r, c));
                qc.setFormat(look);
                QTextCursor cc = qc.firstCursorPosition();
                cc.setBlockFormat(blockFormat(cell.para, units_));
                // A cell's paragraph mark is written without a font of its own, so it is in
                // the document's default font; an empty cell's line is as high as that.
                // Merged: the cell's own format is kept in the same place.
                cc.mergeBlockCharFormat(charFormat(CharFormat{}, false));
                cc.insertText(QString(cell.text).replace(QLatin1Char('\r'), QChar::LineSeparator),
                              charFormat(cellRunFormat(cell), false));
            }
        if (t.rowHeight > 0)
            fixedRows_.push_back({table, t.rowHeight, t.cellMargins.top});
        cur_.movePosition(QTextCursor::End);
    }

    // Rows of one exact height, once the text is laid out: each cell padded below its
    // text up to that height (text taller than the row still shows, the row growing with
    // it). The padding is set from the text's height, then trued by the rows' pitch as
    // laid out; cells are measured before any is changed, and changed in one go.
    void fixRowHeights()
    {
        QAbstractTextDocumentLayout* layout = doc_.documentLayout();
        const auto top = [&](const QTextTableCell& cell) {
            return layout->blockBoundingRect(cell.firstCursorPosition().block()).top() / units_;
        };
        std::vector<std::pair<QTextTableCell, double>> padding;
        const auto apply = [&] {
            QTextCursor edit(&doc_);
            edit.beginEditBlock();
            for (auto& [cell, bottom] : padding) {
                QTextTableCellFormat f = cell.format().toTableCellFormat();
                f.setBottomPadding(points(std::max(0.0, bottom)));
                cell.setFormat(f);
            }
            edit.endEditBlock();
        };
        for (const auto& [table, rowHeight, topPadding] : fixedRows_)
            for (int r = 0; r < table->rows(); ++r)
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    double text = 0;
                    for (QTextBlock b = cell.firstCursorPosition().block(); b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
                        text += layout->blockBoundingRect(b).height() / units_;
                    padding.emplace_back(cell, rowHeight - topPadding - text);
                }
        if (padding.empty())
            return;
        apply();
        // What the layout adds or takes beyond the paddings shows as each row's pitch.
        std::size_t k = 0;
        for (const auto& [table, rowHeight, topPadding] : fixedRows_) {
            double correction = 0;
            for (int r = 0; r < table->rows(); ++r) {
                if (r + 1 < table->rows())
                    correction = rowHeight - (top(table->cellAt(r + 1, 0)) - top(table->cellAt(r, 0)));
                for (int c = 0; c < table->columns(); ++c)
                    padding[k++].second += correction;
            }
        }
        apply();
        fixedRows_.clear();
    }

    const DocumentModel& m_;
    QTextDocument& doc_;
    QTextCursor cur_;
    std::vector<int>* map_;
    std::vector<FloatInfo>* floats_;
    int page_;
    int pages_;
    double units_;
    double tableScale_;
    FloatingPictures floating_;
    struct FixedRows {
        QTextTable* table;
        double rowHeight;
        double topPadding;
    };
    std::vector<FixedRows> fixedRows_;  // tables whose rows have one height
};

void prepare(QTextDocument& doc, const QPaintDevice* device, double width, double height)
{
    doc.setUseDesignMetrics(true);
    doc.documentLayout()->setPaintDevice(const_cast<QPaintDevice*>(device));
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(width, height) * unitsPerPoint(doc));
}

}  // namespace

struct PageLayout::Impl {
    const DocumentModel& model;
    QImage device{1, 1, QImage::Format_ARGB32};  // kUnitsPerPoint pixels to the point
    ProjectedDocument doc{model};
    std::vector<int> map;
    std::vector<FloatInfo> floats;
    double bodyWidth = 0;
    double bodyHeight = 0;

    explicit Impl(const DocumentModel& m) : model(m) {}

    int pageOfDocPosition(int docPos) const
    {
        const QTextBlock block = doc.findBlock(docPos);
        if (!block.isValid())
            return std::max(1, doc.pageCount());
        const QRectF rect = doc.documentLayout()->blockBoundingRect(block);
        double y = rect.top();
        if (QTextLayout* layout = block.layout()) {
            const QTextLine line = layout->lineForTextPosition(docPos - block.position());
            if (line.isValid())
                y += line.y() + line.height() / 2;
        }
        return std::clamp(static_cast<int>(std::floor(y / (bodyHeight * kUnitsPerPoint))) + 1, 1, std::max(1, doc.pageCount()));
    }

    int storyPosition(int docPos) const
    {
        const auto it = std::lower_bound(map.begin(), map.end(), docPos);
        return static_cast<int>(it - map.begin());
    }

    void paintHeaderFooter(QPainter& painter, int page, bool header) const
    {
        const SectionModel& s = model.section;
        const PageSetupModel& pg = s.page;
        const HeaderFooterIndex index = page == 1 && s.differentFirstPage ? HeaderFooterIndex::FirstPage : HeaderFooterIndex::Primary;
        const HeaderFooterModel& hf = header ? s.header(index) : s.footer(index);
        if (hf.isEmpty())
            return;
        ProjectedDocument part(model);
        prepare(part, &device, bodyWidth, 1e6);
        Projector(model, part, nullptr, nullptr, page, doc.pageCount()).project(hf.story);
        const double textHeight = hf.story.length() > 1 ? part.documentLayout()->documentSize().height() / kUnitsPerPoint : 0;
        // Sized in painter units (one unit is one point), whatever device is painted on.
        QFont font(CharFormat{}.name);
        font.setPixelSize(qRound(CharFormat{}.size));
        const QFontMetricsF metrics(font);
        const double numberHeight = hf.pageNumber ? metrics.height() : 0;
        const double height = std::max(textHeight, numberHeight);
        const double top = header ? pg.headerDistance : pg.pageHeight - pg.footerDistance - height;
        if (textHeight > 0) {
            painter.save();
            painter.translate(pg.leftMargin, top);
            painter.scale(1 / kUnitsPerPoint, 1 / kUnitsPerPoint);
            part.documentLayout()->draw(&painter, QAbstractTextDocumentLayout::PaintContext());
            painter.restore();
        }
        if (hf.pageNumber) {
            const QString number = QString::number(page);
            const double w = metrics.horizontalAdvance(number);
            const bool odd = page % 2 == 1;
            double x = pg.leftMargin;
            switch (*hf.pageNumber) {
            case PageNumberAlignment::Left: break;
            case PageNumberAlignment::Center: x += (bodyWidth - w) / 2; break;
            case PageNumberAlignment::Right: x += bodyWidth - w; break;
            case PageNumberAlignment::Inside: x += odd ? 0 : bodyWidth - w; break;
            case PageNumberAlignment::Outside: x += odd ? bodyWidth - w : 0; break;
            }
            painter.save();
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(x, top + metrics.ascent()), number);
            painter.restore();
        }
    }
};

PageLayout::PageLayout(const DocumentModel& model) : impl_(std::make_unique<Impl>(model))
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw WordError(QStringLiteral("PageLayout"), QStringLiteral("pages can only be laid out with a graphical environment"));
    const PageSetupModel& pg = model.section.page;
    impl_->device.setDotsPerMeterX(qRound(72 * kUnitsPerPoint / 0.0254));
    impl_->device.setDotsPerMeterY(qRound(72 * kUnitsPerPoint / 0.0254));
    impl_->bodyWidth = std::max(12.0, pg.pageWidth - pg.leftMargin - pg.rightMargin);
    impl_->bodyHeight = std::max(12.0, pg.pageHeight - pg.topMargin - pg.bottomMargin);
    prepare(impl_->doc, &impl_->device, impl_->bodyWidth, impl_->bodyHeight);
    Projector(model, impl_->doc, &impl_->map, &impl_->floats, 0, 0).project(model.body);
}

PageLayout::~PageLayout() = default;

int PageLayout::pageCount() const { return std::max(1, impl_->doc.pageCount()); }

int PageLayout::pageOfPosition(int position) const
{
    position = std::clamp(position, 0, static_cast<int>(impl_->map.size()) - 1);
    return impl_->pageOfDocPosition(impl_->map[static_cast<std::size_t>(position)]);
}

std::pair<int, int> PageLayout::pageSpan(int page) const
{
    const int length = static_cast<int>(impl_->map.size()) - 1;
    int start = -1;
    int end = length;
    for (int p = 0; p < length; ++p) {
        const int pg = pageOfPosition(p);
        if (pg == page && start < 0)
            start = p;
        if (pg > page) {
            end = p;
            break;
        }
    }
    if (start < 0)
        return {length, length};
    return {start, end};
}

std::pair<int, int> PageLayout::lineSpan(int position) const
{
    position = std::clamp(position, 0, static_cast<int>(impl_->map.size()) - 1);
    const int docPos = impl_->map[static_cast<std::size_t>(position)];
    const QTextBlock block = impl_->doc.findBlock(docPos);
    const QTextLine line = block.layout() ? block.layout()->lineForTextPosition(docPos - block.position()) : QTextLine();
    if (!line.isValid())
        return {position, position};
    const int from = block.position() + line.textStart();
    const int to = from + line.textLength();
    return {impl_->storyPosition(from), std::max(impl_->storyPosition(to), position + 1)};
}

int PageLayout::lineCount() const
{
    int n = 0;
    for (QTextBlock b = impl_->doc.begin(); b.isValid(); b = b.next())
        n += b.layout() ? b.layout()->lineCount() : 0;
    return n;
}

QSizeF PageLayout::pageSize() const
{
    return QSizeF(impl_->model.section.page.pageWidth, impl_->model.section.page.pageHeight);
}

void PageLayout::paintPage(QPainter& painter, int page) const
{
    const PageSetupModel& pg = impl_->model.section.page;
    const double offset = (page - 1) * impl_->bodyHeight;
    constexpr double k = kUnitsPerPoint;
    painter.save();
    painter.translate(pg.leftMargin, pg.topMargin);
    painter.scale(1 / k, 1 / k);
    painter.translate(0, -offset * k);
    // The page's slice of the text (in layout units), across the whole page: a table's
    // edge and lines stand out into the margin by its cell margin.
    const QRectF pageRect(-pg.leftMargin * k, offset * k, pg.pageWidth * k, impl_->bodyHeight * k);
    painter.setClipRect(pageRect);
    // Paragraph lines are drawn one by one, each on the page it was laid out on: a
    // paragraph pushed to the next page must not leave clipped text behind on this one.
    QAbstractTextDocumentLayout* layout = impl_->doc.documentLayout();
    QTextFrame* root = impl_->doc.rootFrame();
    for (auto it = root->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            const QRectF r = layout->frameBoundingRect(frame);
            if (!r.intersects(pageRect))
                continue;
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = pageRect;
            // Only the table itself: hand the layout a document-wide draw limited to its rect.
            context.clip = pageRect.intersected(r);
            layout->draw(&painter, context);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        QTextLayout* lines = block.layout();
        if (!lines)
            continue;
        const QRectF r = layout->blockBoundingRect(block);
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const double top = r.top() + line.y();
            if (top >= pageRect.top() - 0.1 && top < pageRect.bottom() - 0.1)
                line.draw(&painter, r.topLeft());
        }
    }
    painter.restore();

    for (const FloatInfo& f : impl_->floats) {
        if (impl_->pageOfDocPosition(f.docPosition) != page)
            continue;
        const QTextBlock block = impl_->doc.findBlock(f.docPosition);
        const double y = impl_->doc.documentLayout()->blockBoundingRect(block).top() / kUnitsPerPoint - offset;
        if (f.chart) {
            graph::paintChart(painter, QRectF(pg.leftMargin + f.chart->left, pg.topMargin + y + f.chart->top,
                                              f.chart->width, f.chart->height), f.chart->chart);
            continue;
        }
        const QRectF target(pg.leftMargin + f.picture->left, pg.topMargin + y + f.picture->top, f.picture->width, f.picture->height);
        if (f.picture->picture.drawAsVectors(painter, target))
            continue;
        if (f.image.isNull())
            f.image = pictureImage(f.picture->picture, f.picture->width, f.picture->height);
        painter.drawImage(target, f.image);
    }
    impl_->paintHeaderFooter(painter, page, true);
    impl_->paintHeaderFooter(painter, page, false);
}

QString PageLayout::textWithLineBreaks() const
{
    QStringList lines;
    for (QTextBlock b = impl_->doc.begin(); b.isValid(); b = b.next()) {
        QTextLayout* layout = b.layout();
        if (!layout || layout->lineCount() == 0) {
            lines << QString();
            continue;
        }
        const QString text = b.text();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            QString piece = text.mid(line.textStart(), line.textLength());
            piece.remove(QChar::ObjectReplacementCharacter);
            piece.replace(QChar::LineSeparator, QString());
            lines << piece;
        }
    }
    return lines.join(QStringLiteral("\r\n"));
}

QString PageLayout::html() const
{
    // A page of its own: the laid-out text keeps floating pictures out of its flow.
    // In points, which the page's sizes are written in.
    QImage points(1, 1, QImage::Format_ARGB32);
    points.setDotsPerMeterX(qRound(72 / 0.0254));
    points.setDotsPerMeterY(qRound(72 / 0.0254));
    ProjectedDocument page(impl_->model);
    prepare(page, &points, impl_->bodyWidth, impl_->bodyHeight);
    Projector(impl_->model, page, nullptr, nullptr, 0, 0, FloatingPictures::InText).project(impl_->model.body);
    return page.toHtml();
}

}  // namespace tovu::platform::word
