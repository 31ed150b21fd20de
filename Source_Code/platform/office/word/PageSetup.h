#pragma once

#include "platform/office/word/DocumentState.h"

namespace tovu::platform::word {

enum class PaperSize { A4, Letter };

// Page setup of the document's section. Lengths are points; values Word would refuse
// (a margin that leaves no text area, a page side outside 0.1 to 22 inches) throw.
class PageSetup {
public:
    explicit PageSetup(StatePtr state) : state_(std::move(state)) {}

    Orientation orientation() const { return get().orientation; }
    // Turning the page swaps its width and height, as Word does.
    void setOrientation(Orientation orientation);
    double topMargin() const { return get().topMargin; }
    double bottomMargin() const { return get().bottomMargin; }
    double leftMargin() const { return get().leftMargin; }
    double rightMargin() const { return get().rightMargin; }
    double pageWidth() const { return get().pageWidth; }
    double pageHeight() const { return get().pageHeight; }
    double headerDistance() const { return get().headerDistance; }
    double footerDistance() const { return get().footerDistance; }
    void setTopMargin(double points);
    void setBottomMargin(double points);
    void setLeftMargin(double points);
    void setRightMargin(double points);
    void setPageWidth(double points);
    void setPageHeight(double points);
    void setHeaderDistance(double points);
    void setFooterDistance(double points);
    void setPaperSize(PaperSize paper);
    bool differentFirstPageHeaderFooter() const;
    void setDifferentFirstPageHeaderFooter(bool on);

private:
    const PageSetupModel& get() const;
    void change(const char* operation, double value, double PageSetupModel::*member);
    StatePtr state_;
};

// Throws WordError when the page cannot hold a text area.
void checkPageSetup(const PageSetupModel& page, const QString& operation);

}  // namespace tovu::platform::word
