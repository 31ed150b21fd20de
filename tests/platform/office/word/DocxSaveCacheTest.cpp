// A document saved again and again is written from what changed since its last save; what
// it writes must be what a save from scratch writes, whatever the change.
#include "WordTestSupport.h"

#include "platform/office/word/DocxWriter.h"
#include "platform/zip/ZipArchive.h"

#include <QRegularExpression>
#include <functional>

namespace tovu::platform::word::test {
namespace {

using DocxSaveCacheTest = WordTest;

// Every part by name; the modification time of the properties is left out.
QMap<QString, QByteArray> partsOf(const QByteArray& package)
{
    zip::ZipReader reader(package);
    QMap<QString, QByteArray> out;
    for (const QString& name : reader.names()) {
        QByteArray bytes = reader.read(name);
        if (name == QLatin1String("docProps/core.xml"))
            bytes = QString::fromUtf8(bytes).remove(QRegularExpression(QStringLiteral("<dcterms:modified.*</dcterms:modified>"))).toUtf8();
        out[name] = bytes;
    }
    return out;
}

TEST_F(DocxSaveCacheTest, EverySaveWritesWhatASaveFromScratchWrites)
{
    const QString png = pngFile();
    const QString emf = emfFile();
    const auto append = [&](const QString& text) { doc->content().insertAfter(text); };
    struct Step {
        const char* name;
        std::function<void()> change;
    } steps[] = {
        {"nothing yet", [] {}},
        {"text appended", [&] { append(QStringLiteral("First line\rSecond line\r")); }},
        {"a table appended", [&] {
             append(QStringLiteral("a\tb\r1\t2\r"));
             Range r = doc->range(doc->content().end() - 9, doc->content().end() - 1);
             r.convertToTable();
         }},
        {"a floating picture", [&] { doc->shapes().addPicture(emf, false, true, 2.0, 0.0, 350.0, 200.0); }},
        {"more text after the picture", [&] { append(QStringLiteral("Notes\r\x0C")); }},
        {"an inline picture", [&] { doc->inlineShapes().addPicture(png); }},
        {"nothing changed", [] {}},
        {"text put in at the start", [&] { doc->content().insertBefore(QStringLiteral("Title\r")); }},
        {"a table cell changed", [&] { doc->tables().item(1).setCellText(1, 2, QStringLiteral("changed")); }},
        {"a picture resized", [&] { doc->shapes().item(1).setWidth(100); }},
        {"a bookmark in the middle", [&] { doc->bookmarks().add(QStringLiteral("middle"), doc->range(8, 12)); }},
        {"the bookmark moved", [&] { doc->bookmarks().add(QStringLiteral("middle"), doc->range(2, 3)); }},
        {"the bookmark removed", [&] { doc->bookmarks().remove(QStringLiteral("middle")); }},
        {"a hyperlink", [&] { doc->hyperlinks().add(doc->range(0, 5), QStringLiteral("http://example.com/")); }},
        {"text after the link", [&] { append(QStringLiteral("after\r")); }},
        {"the text width changed", [&] { doc->pageSetup().setLeftMargin(100); }},
        {"the last paragraphs deleted", [&] {
             Range r = doc->range(doc->content().end() - 7, doc->content().end());
             r.deleteText();
         }},
        {"a bold run in the first line", [&] { doc->range(0, 2).font().setBold(true); }},
        {"a second table and text", [&] {
             append(QStringLiteral("x\ty\r"));
             doc->range(doc->content().end() - 5, doc->content().end() - 1).convertToTable();
             append(QStringLiteral("closing\r"));
         }},
        {"everything deleted", [&] { doc->content().deleteText(); }},
        {"text again", [&] { append(QStringLiteral("again\r")); }},
    };
    for (const Step& step : steps) {
        step.change();
        const auto again = partsOf(buildDocx(doc->model()));
        const auto fresh = partsOf(buildDocx(doc->model(), SaveCache::Ignore));
        ASSERT_EQ(again.keys(), fresh.keys()) << step.name;
        for (auto it = fresh.cbegin(); it != fresh.cend(); ++it)
            EXPECT_EQ(again.value(it.key()), it.value()) << step.name << ": " << qPrintable(it.key());
    }
}

}  // namespace
}  // namespace tovu::platform::word::test
