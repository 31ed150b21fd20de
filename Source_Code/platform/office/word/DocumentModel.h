#pragma once

#include "platform/office/word/FloatingChart.h"
#include "platform/office/word/Formats.h"
#include "platform/office/word/MergeField.h"
#include "platform/office/word/Picture.h"
#include "platform/office/word/Story.h"
#include "platform/office/word/TableModel.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace tovu::platform::word {

// A field computed when the page is laid out.
struct Field {
    enum class Kind { Page, NumPages } kind = Kind::Page;
};

// An element of a foreign file that this model does not understand, kept as its XML text
// so that a re-save writes it back unchanged.
struct CarriedXml {
    QString xml;
    bool block = false;  // a body-level element (else inside a paragraph)
};

using EmbeddedObject =
    std::variant<InlinePicture, FloatingPicture, TableModel, Field, CarriedXml, FloatingChart, MergeField>;

struct Hyperlink {
    QString address;
    QString subAddress;
    bool operator==(const Hyperlink&) const = default;
};

struct PageSetupModel {
    Orientation orientation = Orientation::Portrait;
    double pageWidth = 595.3;  // A4, points
    double pageHeight = 841.9;
    double topMargin = 72;
    double bottomMargin = 72;
    double leftMargin = 72;
    double rightMargin = 72;
    double headerDistance = 35.4;
    double footerDistance = 35.4;
};

// Header/footer index as Word numbers them: primary 1, first page 2, even pages 3.
enum class HeaderFooterIndex : int { Primary = 1, FirstPage = 2, EvenPages = 3 };

struct CarriedRelationship {
    QString id;
    QString type;
    QString target;
    bool external = false;
};

struct HeaderFooterModel {
    explicit HeaderFooterModel(FormatPool& pool) : story(pool) {}
    Story story;
    std::optional<PageNumberAlignment> pageNumber;  // a page-number frame
    // Relationships that carried elements of a foreign header or footer refer to.
    std::vector<CarriedRelationship> carriedRelationships;
    bool isEmpty() const { return !pageNumber && story.length() <= 1; }
};

struct SectionModel {
    explicit SectionModel(FormatPool& pool)
        : headers{HeaderFooterModel(pool), HeaderFooterModel(pool), HeaderFooterModel(pool)},
          footers{HeaderFooterModel(pool), HeaderFooterModel(pool), HeaderFooterModel(pool)} {}
    PageSetupModel page;
    bool differentFirstPage = false;
    std::array<HeaderFooterModel, 3> headers;  // by HeaderFooterIndex - 1
    std::array<HeaderFooterModel, 3> footers;
    HeaderFooterModel& header(HeaderFooterIndex i) { return headers.at(static_cast<std::size_t>(i) - 1); }
    HeaderFooterModel& footer(HeaderFooterIndex i) { return footers.at(static_cast<std::size_t>(i) - 1); }
    const HeaderFooterModel& header(HeaderFooterIndex i) const { return headers.at(static_cast<std::size_t>(i) - 1); }
    const HeaderFooterModel& footer(HeaderFooterIndex i) const { return footers.at(static_cast<std::size_t>(i) - 1); }
};

struct Bookmark {
    QString name;
    std::shared_ptr<Anchor> range;
};

struct DocumentProperties {
    QString title;
    QString subject;
    QString author;
    QString keywords;
    QDateTime created;
};

// Parts of a foreign package that this model does not read, carried through a re-save.
struct CarriedPart {
    QString name;  // without leading '/'
    QString contentType;
    QByteArray data;
};
struct CarriedPackage {
    std::vector<CarriedPart> parts;
    std::vector<CarriedRelationship> documentRelationships;  // of word/document.xml
    std::vector<CarriedRelationship> packageRelationships;   // of the package root
    std::vector<std::pair<QString, QString>> namespaces;     // prefix, URI of document.xml's root
    QString ignorable;                                       // its mc:Ignorable list
    // The styles part of the file the document came from: its headings are found by it,
    // and it is written back with the styles the writer needs added.
    QByteArray styles;
};

// What the last .docx save of a model wrote, kept for the next save (DocxWriter.cpp).
struct DocxSaveCache;

// The whole document: its text, the objects the text refers to, its one section with
// page setup, headers and footers, bookmarks, hyperlinks and properties.
class DocumentModel {
public:
    DocumentModel() : body(pool), section(pool) {}
    DocumentModel(const DocumentModel&) = delete;
    DocumentModel& operator=(const DocumentModel&) = delete;

    int addObject(EmbeddedObject object);
    std::uint16_t addHyperlink(Hyperlink link);
    const Hyperlink* hyperlink(std::uint16_t number) const;

    // An object handed out for change is counted as changed.
    template <class T>
    T* objectAs(int index)
    {
        if (index < 0 || index >= static_cast<int>(objects.size()))
            return nullptr;
        T* object = std::get_if<T>(&objects[static_cast<std::size_t>(index)]);
        if (object)
            objectEdits_[static_cast<std::size_t>(index)] = ++edits_;
        return object;
    }
    template <class T>
    const T* objectAs(int index) const { return index < 0 || index >= static_cast<int>(objects.size()) ? nullptr : std::get_if<T>(&objects[static_cast<std::size_t>(index)]); }

    // Changes with every change of the object (an object's stamp).
    std::uint64_t objectEdit(int index) const { return objectEdits_.at(static_cast<std::size_t>(index)); }

    // Every story of the document, main text first.
    std::vector<Story*> stories();
    // Changes since creation; compared with the value at the last save.
    std::uint64_t revision() const;

    FormatPool pool;
    Story body;
    SectionModel section;
    std::vector<EmbeddedObject> objects;
    std::vector<Hyperlink> hyperlinks;  // number n at index n - 1
    std::vector<Bookmark> bookmarks;
    DocumentProperties properties;
    CarriedPackage carried;
    std::uint64_t settingsRevision = 0;  // page setup and section changes
    // Parts, media and the body's XML as the last .docx save wrote them.
    mutable std::shared_ptr<DocxSaveCache> docxSaveCache;

private:
    std::vector<std::uint64_t> objectEdits_;  // by object
    std::uint64_t edits_ = 0;
};

}  // namespace tovu::platform::word
