// Page setup of the held document, page numbers in its first section's header or footer,
// and the page count of the held document or of a document file.
#include "control/FileExists.h"
#include "control/OpenDocuments.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

namespace tovu::control {

namespace {

// The pages of a document: where its last section ends.
std::int32_t countPages(word::Document& document)
{
    word::Sections sections = document.sections();
    return sections.item(sections.count()).range().information(word::Information::PageNumber);
}

// Closes a document this method opened, whichever way the method leaves.
struct CloseWithoutSaving {
    std::shared_ptr<word::Document> document;
    ~CloseWithoutSaving()
    {
        if (document && !document->isClosed())
            StepErrors()([&] { document->close(false); });
    }
};

} // namespace

MethodStatus Verbolt::setPageValue(float value, void (word::PageSetup::*setter)(double))
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        // 0 and less leave the setting as it is.
        if (value > 0) {
            word::PageSetup page = heldDocument_->pageSetup();
            (page.*setter)(value);
        }
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::SetPageLeftMargin(float& v) { return setPageValue(v, &word::PageSetup::setLeftMargin); }
MethodStatus Verbolt::SetPageRightMargin(float& v) { return setPageValue(v, &word::PageSetup::setRightMargin); }
MethodStatus Verbolt::SetPageTopMargin(float& v) { return setPageValue(v, &word::PageSetup::setTopMargin); }
MethodStatus Verbolt::SetPageBottomMargin(float& v) { return setPageValue(v, &word::PageSetup::setBottomMargin); }
MethodStatus Verbolt::SetPageWidth(float& v) { return setPageValue(v, &word::PageSetup::setPageWidth); }
MethodStatus Verbolt::SetPageHeight(float& v) { return setPageValue(v, &word::PageSetup::setPageHeight); }

MethodStatus Verbolt::SetPageOrientation(std::int32_t& lngPageOrientation)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (lngPageOrientation < vrbOrientPortrait || lngPageOrientation > vrbOrientLandscape)
        lngPageOrientation = vrbOrientPortrait;
    return trapped<MethodStatus>(-3, [&] {
        heldDocument_->pageSetup().setOrientation(static_cast<word::Orientation>(lngPageOrientation));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::addPageNumbers(bool header, std::int32_t& align, bool& firstPage)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (align < vrbPageAlignLeft || align > vrbPageAlignOutside)
        align = vrbPageAlignLeft;
    return trapped<MethodStatus>(-3, [&] {
        word::Section first = heldDocument_->sections().item(1);
        word::HeaderFooter part = header ? first.headers(1) : first.footers(1);
        part.pageNumbers().add(static_cast<word::PageNumberAlignment>(align), firstPage);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::SetPageNumberInFooter(std::int32_t& lngPageNumberAlign, bool& blnFirstPage)
{
    return addPageNumbers(false, lngPageNumberAlign, blnFirstPage);
}

MethodStatus Verbolt::SetPageNumberInHeader(std::int32_t& lngPageNumberAlign, bool& blnFirstPage)
{
    return addPageNumbers(true, lngPageNumberAlign, blnFirstPage);
}

MethodStatus Verbolt::NumberOfPages(std::int32_t& lngPages, QString& strDocument)
{
    // The held document is counted as it is; it is not activated.
    if (!IsWordUp())
        return -1;
    const QString file = strDocument.trimmed();
    return trapped<MethodStatus>(-3, [&] {
        word::Document& held = requireHeldDocument();
        if (file.isEmpty()) {
            held.repaginate();
            lngPages = countPages(held);
            return MethodStatus{1};
        }
        const QString path = held.path();
        const QString heldFile = path.isEmpty() || path.endsWith(QLatin1Char('/'))
                                     ? path + held.name()
                                     : path + QLatin1Char('/') + held.name();
        if (!path.isEmpty() && SameFile(heldFile, file)) {
            held.repaginate();
            lngPages = countPages(held);
            return MethodStatus{1};
        }
        if (!FileExists(file))
            return MethodStatus{-2};
        // A file the user already has open in Word is counted there and left open.
        if (auto open = findOpenDocument(*heldApplication_, file)) {
            open->repaginate();
            lngPages = countPages(*open);
            return MethodStatus{1};
        }
        CloseWithoutSaving opened{heldApplication_->documents().open(file)};
        opened.document->repaginate();
        lngPages = countPages(*opened.document);
        return MethodStatus{1};
    });
}

} // namespace tovu::control
