// The document automation control. Its methods drive Word through automation by member name:
// they find the running Word or start one, keep one Word application and one document of it
// (the held document) and write text, pictures, hyperlinks and page settings into that document.
// Every method returns its status and raises nothing to its caller, except AboutBox.
//
// Hosts reach the methods through the control's dispatch interface (VerboltObject); the
// methods are public here so that the control's own methods can call one another directly.
#pragma once

#include "control/VerboltEnums.h"
#include "control/VerboltEvents.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace tovu::control {

namespace automation = tovu::platform::automation;

class frmAboutBox;

// The status most methods return: 1 done, -1 Word not running (or an argument of the wrong
// kind), -2 the held document could not be activated, lower values for later steps.
using MethodStatus = std::int16_t;

class Verbolt {
public:
    Verbolt();
    ~Verbolt();
    Verbolt(const Verbolt&) = delete;
    Verbolt& operator=(const Verbolt&) = delete;

    // Instance state.
    std::int16_t WordMajorVersion = 0;
    automation::DispatchRef HeldApplication;
    automation::DispatchRef HeldDocument;
    bool CreatedWord = false;

    // The host's sink for the control's events, or none.
    void setEventSink(VerboltEvents* sink) { events_ = sink; }
    VerboltEvents* eventSink() const { return events_; }
    // The caption of the window that hosts the control, brought to the front after a
    // document is opened when the caller names no other.
    void setHostCaption(const QString& caption) { hostCaption_ = caption; }

    // Frame.
    bool IsWordUp();
    MethodStatus SwitchToWord();
    void AboutBox();

    // Word connection and documents.
    QString IsWordAvailable();
    MethodStatus CreateDocument(QString& strDocument, QString& strPassword, QString& strWritePassword);
    MethodStatus OpenDocument(QString& strDocument, bool& blnSwitchToWord, QString& strPassword,
                              QString& strWriteResPassword, QString& strFormCaption, bool& blnHideWord,
                              std::int32_t& lngPageOrientation, float& sngTopMargin, float& sngLeftMargin,
                              float& sngRightMargin, float& sngBottomMargin, float& sngPageHeight,
                              float& sngPageWidth);
    MethodStatus ActivateDocument(automation::Variant& varDocument, bool& blnSwitchToWord);
    MethodStatus AddDocument(automation::Variant& varTemplate);
    MethodStatus SaveDocument(QString& strDocument, QString& strPassword, QString& strWritePassword);
    MethodStatus CloseDocument(bool& blnSave);
    void CloseWord(bool& blnSave);
    MethodStatus HideWord();
    MethodStatus UnhideWord();
    std::int32_t DocumentCount();
    QString ActiveDocumentName();
    QString ActiveDocumentPath();
    MethodStatus GetWordObject(automation::DispatchRef& objWordApp);
    MethodStatus GetDocumentObject(automation::DispatchRef& objWordDocument);
    MethodStatus GetDocumentNames(automation::Variant& varArray);

    // Text, pictures and page breaks.
    MethodStatus TextToWord(QString& strText, bool& blnBold, QString& strFont, std::int16_t& intSize,
                            std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign,
                            std::int32_t& lngColor, bool& blnItalic, bool& blnUnderline,
                            std::int32_t& lngAnimation, bool& blnEmboss, bool& blnEngrave,
                            bool& blnShadow, bool& blnStrikeThrough, std::int32_t& lngInsertionPoint);
    MethodStatus ClipboardTextToWord(bool& blnBold, QString& strFont, std::int16_t& intSize,
                                     std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign,
                                     std::int32_t& lngColor, bool& blnItalic, bool& blnUnderline,
                                     std::int32_t& lngAnimation, bool& blnEmboss, bool& blnEngrave,
                                     bool& blnShadow, bool& blnStrikeThrough,
                                     std::int32_t& lngInsertionPoint);
    MethodStatus InsertPageBreak();
    MethodStatus InsertPicture(QString& strFile, float& sngLeft, float& sngTop, float& sngWidth,
                               float& sngHeight);
    MethodStatus InsertLinkedPicture(QString& strFile, float& sngLeft, float& sngTop, float& sngWidth,
                                     float& sngHeight);
    MethodStatus FindInDocumentAndReplace(QString& strTextToFind, QString& strReplaceWithText,
                                          bool& blnMatchCase, bool& blnMatchWholeWord);

    // Hyperlinks and blank lines.
    MethodStatus InsertHyperlink(QString& strText, QString& strHTTP, bool& blnBold, QString& strFont,
                                 std::int16_t& intSize, std::int16_t& intSpaceAfter,
                                 std::int32_t& lngParagraphAlign, std::int32_t& lngColor,
                                 bool& blnItalic, bool& blnUnderline, std::int32_t& lngAnimation,
                                 bool& blnEmboss, bool& blnEngrave, bool& blnShadow,
                                 bool& blnStrikeThrough, std::int32_t& lngInsertionPoint);
    MethodStatus InsertHyperlinks(automation::Variant& varArray, bool& blnBold, QString& strFont,
                                  std::int16_t& intSize, std::int16_t& intSpaceAfter,
                                  std::int32_t& lngParagraphAlign, std::int32_t& lngColor,
                                  bool& blnItalic, bool& blnUnderline, std::int32_t& lngAnimation,
                                  bool& blnEmboss, bool& blnEngrave, bool& blnShadow,
                                  bool& blnStrikeThrough, std::int32_t& lngInsertionPoint);
    MethodStatus InsertBlankLines(std::int16_t& intLines, std::int32_t& lngInsertionPoint);

    // Page setup and page count.
    MethodStatus NumberOfPages(std::int32_t& lngPages, QString& strDocument);
    MethodStatus SetPageOrientation(std::int32_t& lngPageOrientation);
    MethodStatus SetPageLeftMargin(float& sngLeftMargin);
    MethodStatus SetPageRightMargin(float& sngRightMargin);
    MethodStatus SetPageTopMargin(float& sngTopMargin);
    MethodStatus SetPageBottomMargin(float& sngBottomMargin);
    MethodStatus SetPageWidth(float& sngPageWidth);
    MethodStatus SetPageHeight(float& sngPageHeight);
    MethodStatus SetPageNumberInFooter(std::int32_t& lngPageNumberAlign, bool& blnFirstPage);
    MethodStatus SetPageNumberInHeader(std::int32_t& lngPageNumberAlign, bool& blnFirstPage);

private:
    VerboltEvents* events_ = nullptr;
    QString hostCaption_;
    std::unique_ptr<frmAboutBox> aboutBox_;

    // The first steps of a document method: -1 when Word is not up, -2 when the held
    // document does not take Activate; 0 when both passed.
    MethodStatus documentPrologue();
    MethodStatus setPageValue(const char* member, float value);
    MethodStatus addPageNumbers(const char* headerOrFooter, std::int32_t& align, bool& firstPage);
    MethodStatus insertPictureAtEnd(const QString& file, bool linked, float left, float top,
                                    float width, float height);
    std::int32_t countPages(const automation::DispatchRef& document);
};

} // namespace tovu::control
