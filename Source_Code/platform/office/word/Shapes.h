#pragma once

#include "platform/office/word/Range.h"

#include <optional>
#include <utility>

namespace tovu::platform::word {

// A picture in the line of text.
class InlineShape {
public:
    InlineShape(StatePtr state, int object) : state_(std::move(state)), object_(object) {}
    double width() const;
    double height() const;
    void setWidth(double points);
    void setHeight(double points);
    const InlinePicture& picture() const;

private:
    InlinePicture& get() const;
    StatePtr state_;
    int object_;
};

class InlineShapes {
public:
    explicit InlineShapes(StatePtr state) : state_(std::move(state)) {}
    int count() const;
    InlineShape item(int index) const;  // 1-based, in text order
    // Puts the picture file in at the range (replacing its text), or at the end of the
    // document without one. BMP, PNG, JPEG, GIF and EMF files are taken; an EMF may bring a
    // PNG rendering for readers that cannot draw EMF.
    InlineShape addPicture(const QString& fileName, bool linkToFile = false, bool saveWithDocument = true,
                           const std::optional<Range>& range = std::nullopt, const QByteArray& fallbackPng = {});

private:
    StatePtr state_;
};

// A picture floating over the text.
class Shape {
public:
    Shape(StatePtr state, int object) : state_(std::move(state)), object_(object) {}
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double points);
    void setTop(double points);
    void setWidth(double points);
    void setHeight(double points);
    const FloatingPicture& picture() const;

private:
    FloatingPicture& get() const;
    StatePtr state_;
    int object_;
};

class Shapes {
public:
    explicit Shapes(StatePtr state) : state_(std::move(state)) {}
    int count() const;
    Shape item(int index) const;  // 1-based, in text order
    // Adds a floating picture anchored at the anchor's paragraph (the end of the document
    // without one). Left is measured from the column, top from the anchoring paragraph;
    // a missing size is the picture's own, a missing position 0.
    Shape addPicture(const QString& fileName, bool linkToFile = false, bool saveWithDocument = true,
                     std::optional<double> left = std::nullopt, std::optional<double> top = std::nullopt,
                     std::optional<double> width = std::nullopt, std::optional<double> height = std::nullopt,
                     const std::optional<Range>& anchor = std::nullopt, const QByteArray& fallbackPng = {});

private:
    StatePtr state_;
};

// Positions of the objects of one kind in the main text, in order.
template <class T>
std::vector<std::pair<int, int>> objectPositions(const DocumentState& state)
{
    std::vector<std::pair<int, int>> out;  // position, object index
    const Story& body = state.model->body;
    for (int i = 0; i < body.length(); ++i) {
        const StoryChar& c = body.at(i);
        if (c.ch == kObjectChar && std::as_const(*state.model).objectAs<T>(c.object))
            out.emplace_back(i, c.object);
    }
    return out;
}

}  // namespace tovu::platform::word
