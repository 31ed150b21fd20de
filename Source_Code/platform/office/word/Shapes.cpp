#include "platform/office/word/Shapes.h"

namespace tovu::platform::word {

namespace {

int pickObject(const std::vector<std::pair<int, int>>& all, int index, const char* operation)
{
    if (index < 1 || index > static_cast<int>(all.size()))
        throw WordError(QLatin1String(operation), QStringLiteral("the requested member of the collection does not exist"));
    return all[static_cast<std::size_t>(index - 1)].second;
}

double positiveSize(double points, const char* operation)
{
    if (!(points > 0) || points > 1584)
        throw WordError(QLatin1String(operation), QStringLiteral("the size must lie between 0 and 1584 points"));
    return points;
}

// Fills in a size the caller left out from the picture's own, keeping its proportions
// when only one side is given.
QSizeF resolveSize(const PictureData& picture, std::optional<double> width, std::optional<double> height)
{
    const QSizeF natural = picture.naturalSize();
    double w = width.value_or(0);
    double h = height.value_or(0);
    if (w <= 0 && h <= 0)
        return natural;
    if (w <= 0)
        w = natural.height() > 0 ? h * natural.width() / natural.height() : h;
    if (h <= 0)
        h = natural.width() > 0 ? w * natural.height() / natural.width() : w;
    return QSizeF(w, h);
}

}  // namespace

InlinePicture& InlineShape::get() const
{
    auto* p = state_->model->objectAs<InlinePicture>(object_);
    if (!p)
        throw WordError(QStringLiteral("InlineShape"), QStringLiteral("the picture no longer exists"));
    return *p;
}

double InlineShape::width() const { state_->enter(QStringLiteral("InlineShape.Width")); return get().width; }
double InlineShape::height() const { state_->enter(QStringLiteral("InlineShape.Height")); return get().height; }
void InlineShape::setWidth(double v)
{
    state_->enter(QStringLiteral("InlineShape.SetWidth"), QString::number(v));
    get().width = positiveSize(v, "InlineShape.SetWidth");
    state_->touch();
}
void InlineShape::setHeight(double v)
{
    state_->enter(QStringLiteral("InlineShape.SetHeight"), QString::number(v));
    get().height = positiveSize(v, "InlineShape.SetHeight");
    state_->touch();
}
const InlinePicture& InlineShape::picture() const { return get(); }

int InlineShapes::count() const
{
    state_->enter(QStringLiteral("InlineShapes.Count"));
    return static_cast<int>(objectPositions<InlinePicture>(*state_).size());
}

InlineShape InlineShapes::item(int index) const
{
    state_->enter(QStringLiteral("InlineShapes.Item"), QString::number(index));
    return InlineShape(state_, pickObject(objectPositions<InlinePicture>(*state_), index, "InlineShapes.Item"));
}

InlineShape InlineShapes::addPicture(const QString& fileName, bool linkToFile, bool saveWithDocument,
                                     const std::optional<Range>& range, const QByteArray& fallbackPng)
{
    state_->enter(QStringLiteral("InlineShapes.AddPicture"), fileName);
    InlinePicture picture{PictureData::fromFile(fileName, linkToFile, saveWithDocument, fallbackPng), 0, 0};
    const QSizeF size = picture.picture.naturalSize();
    picture.width = size.width();
    picture.height = size.height();
    Story& body = state_->model->body;
    int pos = body.length() - 1;
    if (range) {
        if (&range->story() != &body)
            throw WordError(QStringLiteral("InlineShapes.AddPicture"), QStringLiteral("pictures go in the main text only"));
        pos = range->start();
        body.remove(range->start(), range->end());
    }
    const int object = state_->model->addObject(std::move(picture));
    body.insertObject(pos, object, body.at(std::min(pos, body.length() - 1)).font);
    return InlineShape(state_, object);
}

FloatingPicture& Shape::get() const
{
    auto* p = state_->model->objectAs<FloatingPicture>(object_);
    if (!p)
        throw WordError(QStringLiteral("Shape"), QStringLiteral("the shape no longer exists"));
    return *p;
}

double Shape::left() const { state_->enter(QStringLiteral("Shape.Left")); return get().left; }
double Shape::top() const { state_->enter(QStringLiteral("Shape.Top")); return get().top; }
double Shape::width() const { state_->enter(QStringLiteral("Shape.Width")); return get().width; }
double Shape::height() const { state_->enter(QStringLiteral("Shape.Height")); return get().height; }
void Shape::setLeft(double v) { state_->enter(QStringLiteral("Shape.SetLeft"), QString::number(v)); get().left = v; state_->touch(); }
void Shape::setTop(double v) { state_->enter(QStringLiteral("Shape.SetTop"), QString::number(v)); get().top = v; state_->touch(); }
void Shape::setWidth(double v)
{
    state_->enter(QStringLiteral("Shape.SetWidth"), QString::number(v));
    get().width = positiveSize(v, "Shape.SetWidth");
    state_->touch();
}
void Shape::setHeight(double v)
{
    state_->enter(QStringLiteral("Shape.SetHeight"), QString::number(v));
    get().height = positiveSize(v, "Shape.SetHeight");
    state_->touch();
}
const FloatingPicture& Shape::picture() const { return get(); }

int Shapes::count() const
{
    state_->enter(QStringLiteral("Shapes.Count"));
    return static_cast<int>(objectPositions<FloatingPicture>(*state_).size());
}

Shape Shapes::item(int index) const
{
    state_->enter(QStringLiteral("Shapes.Item"), QString::number(index));
    return Shape(state_, pickObject(objectPositions<FloatingPicture>(*state_), index, "Shapes.Item"));
}

Shape Shapes::addPicture(const QString& fileName, bool linkToFile, bool saveWithDocument, std::optional<double> left,
                         std::optional<double> top, std::optional<double> width, std::optional<double> height,
                         const std::optional<Range>& anchor, const QByteArray& fallbackPng)
{
    state_->enter(QStringLiteral("Shapes.AddPicture"), fileName);
    FloatingPicture picture;
    picture.picture = PictureData::fromFile(fileName, linkToFile, saveWithDocument, fallbackPng);
    const QSizeF size = resolveSize(picture.picture, width, height);
    picture.width = positiveSize(size.width(), "Shapes.AddPicture");
    picture.height = positiveSize(size.height(), "Shapes.AddPicture");
    picture.left = left.value_or(0);
    picture.top = top.value_or(0);
    Story& body = state_->model->body;
    int pos = body.length() - 1;
    if (anchor) {
        if (&anchor->story() != &body)
            throw WordError(QStringLiteral("Shapes.AddPicture"), QStringLiteral("pictures go in the main text only"));
        pos = anchor->start();
    }
    const int object = state_->model->addObject(std::move(picture));
    body.insertObject(pos, object, body.at(std::min(pos, body.length() - 1)).font);
    return Shape(state_, object);
}

}  // namespace tovu::platform::word
