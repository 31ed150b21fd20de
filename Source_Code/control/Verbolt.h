// The document automation control. Its methods drive Word through automation by member name:
// they find the running Word or start one, keep one Word application and one document of it
// (the held document) and write text, pictures, hyperlinks and page settings into that document.
// Every method returns its status and raises nothing to its caller, except AboutBox.
//
// Hosts reach the methods through the control's dispatch interface (VerboltObject); the
// methods are public here so that the control's own methods can call one another directly.
#pragma once

#include "control/ClipboardText.h"
#include "control/TextFormatParams.h"
#include "control/VerboltEnums.h"
#include "control/VerboltEvents.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"
#include "platform/office/excel/Application.h"
#include "platform/office/word/Application.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace tovu::control {

namespace automation = tovu::platform::automation;
namespace word = tovu::platform::word;

class frmAboutBox;
struct TableArgs;

// The status most methods return: 1 done, -1 Word not running (or an argument of the wrong
// kind), -2 the held document could not be activated, lower values for later steps.
using MethodStatus = std::int16_t;

class Verbolt {
public:
    // environment: the word processor this control starts and finds running.
    explicit Verbolt(word::WordEnvironment& environment);
    // Releases the held document, then the held application; Word keeps running.
    ~Verbolt();
    Verbolt(const Verbolt&) = delete;
    Verbolt& operator=(const Verbolt&) = delete;

    // The major version of the Word the control last found (0 before), and whether it started
    // the Word it holds itself. Only the control's own methods change them.
    std::int16_t WordMajorVersion() const { return wordMajorVersion_; }
    bool CreatedWord() const { return createdWord_; }
    // The Word application and the document the methods work on, or none. Only the control's
    // own methods change them.
    const std::shared_ptr<word::Application>& heldApplication() const { return heldApplication_; }
    const std::shared_ptr<word::Document>& heldDocument() const { return heldDocument_; }

    // The host's sink for the control's events, or none.
    void setEventSink(VerboltEvents* sink) { events_ = sink; }
    VerboltEvents* eventSink() const { return events_; }
    // Raise the events. The host gets a copy of the value, so what it changes there
    // changes nothing here, except where a method hands its loop counter itself.
    void raiseCurrentRow(std::int32_t row);
    void raiseCurrentRowCounter(std::int32_t& counter);
    void raiseCurrentColumn(std::int32_t column);
    void raiseCurrentField(const QString& field);
    // Where ClipboardTextToWord reads the clipboard (the system clipboard unless replaced).
    void setClipboard(std::shared_ptr<ClipboardText> clipboard) { clipboard_ = std::move(clipboard); }
    // How the control creates the automation objects it uses by ProgID ("ADODB.Connection",
    // "ADODB.Recordset"): the host's activator, or by default the classes the control brings.
    using ObjectCreator = std::function<automation::DispatchRef(const QString& progId)>;
    void setObjectCreator(ObjectCreator creator) { objectCreator_ = std::move(creator); }
    // A new object of the class; raises "Can't create object" when none can be made.
    automation::DispatchRef createObject(const QString& progId);
    // The Word instance this control started itself and has not closed, or none.
    const std::shared_ptr<word::Application>& startedWord() const { return startedWord_; }

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

    // The contents of host controls, collections, dictionaries, arrays and text files written
    // into the held document as one formatted paragraph each (a dictionary with its keys as a
    // table). The list-type members join their entries with strDelimiter and end them with
    // strEndOfDataChar.
    MethodStatus ListBoxToWord(automation::DispatchRef& lb, QString& strDelimiter, QString& strEndOfDataChar,
                               bool& blnSelectedOnly, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus FileListBoxToWord(automation::DispatchRef& flb, QString& strDelimiter, bool& blnSelectedOnly,
                                   QString& strEndOfDataChar, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus ComboBoxToWord(automation::DispatchRef& cb, QString& strDelimiter, QString& strEndOfDataChar,
                                bool& blnSelectedOnly, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus DirListBoxToWord(automation::DispatchRef& dlb, QString& strDelimiter, QString& strEndOfDataChar,
                                  VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus DriveListBoxToWord(automation::DispatchRef& dlb, QString& strDelimiter, QString& strEndOfDataChar,
                                    VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus CollectionToWord(automation::DispatchRef& cl, QString& strDelimiter, QString& strEndOfDataChar,
                                  VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus DictionaryToWord(automation::DispatchRef& dt, QString& strDelimiter, bool& blnIncludeKeys,
                                  QString& strEndOfDataChar, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus LabelToWord(automation::DispatchRef& lbl, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus TextBoxToWord(automation::DispatchRef& tb, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus MaskedTextBoxToWord(automation::DispatchRef& tb, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus RichTextBoxToWord(automation::DispatchRef& tb, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus OneDArrayToWord(automation::Variant& varArray, VERBOLT_TEXT_FORMAT_PARAMS);
    MethodStatus TextFileToWord(QString& strTextFile, VERBOLT_TEXT_FORMAT_PARAMS);

    // The held document, or the open document varDocument names or numbers, printed on Word's
    // active printer or shown in Word's print preview; then Word or the host in front.
    MethodStatus PrintDocument(automation::Variant& varDocument, bool& blnSwitchToWord, QString& strFormCaption);
    MethodStatus PrintPreviewDocument(automation::Variant& varDocument, bool& blnSwitchToWord,
                                      QString& strFormCaption);

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

    // Mailing labels through Word's mail merge, each made in a Word of its own that stays
    // open with the labels. The database members show a failure's description first, in a
    // message box or where setMessageBox says.
    MethodStatus CreateLabelsFromTextFile(QString& strTextFile);
    MethodStatus CreateLabelsFromDatabase(QString& strDatabase, QString& strSQL);
    MethodStatus CreateLabelsFromDatabase2(QString& strDatabase, QString& strSQL);
    MethodStatus CreateLabelsFromDatabase3(QString& strDatabase, QString& strSQL);
    using MessageBoxShow = std::function<void(const QString& text)>;
    void setMessageBox(MessageBoxShow show) { messageBox_ = std::move(show); }
    // A chart of a two-dimensional array embedded at the end of the held document.
    MethodStatus CreateChart(automation::Variant& varArray, std::int32_t& lngChart, QString& strTitle,
                             QString& strAxisTitle, std::int16_t& intLeft, std::int16_t& intTop,
                             std::int16_t& intWidth, std::int16_t& intHeight, std::int16_t& intChartFontSize,
                             std::int16_t& intChartTitleFontSize, bool& blnAutoScaleFont);
    // The held document sent by e-mail through Word's mail system.
    MethodStatus EmailDocument(bool& blnSendAsAttachment);

private:
    MethodStatus createLabels(int nameFields, QString* textFile, QString* database, QString* sql);
    void showMessage(const QString& text);
    MessageBoxShow messageBox_;

public:

    // HTML written by the control itself: tables of array elements, and pages around them.
    MethodStatus OneDArrayToHTMLTable(automation::Variant& varArray, QString& strTable, std::int32_t& lngTableAlign,
                                      QString& strBackground, QString& strBackgroundColor, std::int16_t& intBorder,
                                      QString& strBorderColor, std::int16_t& intCellSpacing,
                                      std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                      std::int32_t& lngTableCellAlign, bool& blnWrapCellData, bool& blnBoldFirstRow);
    MethodStatus TwoDArrayToHTMLTable(automation::Variant& varArray, QString& strTable, std::int32_t& lngTableAlign,
                                      QString& strBackground, QString& strBackgroundColor, std::int16_t& intBorder,
                                      QString& strBorderColor, std::int16_t& intCellSpacing,
                                      std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                      std::int32_t& lngTableCellAlign, bool& blnWrapCellData, bool& blnBoldFirstRow,
                                      bool& blnBoldFirstColumn);
    MethodStatus OneDArrayToHTMLFile(automation::Variant& varArray, QString& strHTMLFile, QString& strPageHeading,
                                     QString& strPageTitle, QString& strPageBackground,
                                     QString& strPageBackgroundColor, std::int32_t& lngTableAlign,
                                     QString& strBackground, QString& strBackgroundColor, std::int16_t& intBorder,
                                     QString& strBorderColor, std::int16_t& intCellSpacing,
                                     std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                     std::int32_t& lngTableCellAlign, bool& blnWrapCellData, bool& blnBoldFirstRow);
    MethodStatus TwoDArrayToHTMLFile(automation::Variant& varArray, QString& strHTMLFile, QString& strPageHeading,
                                     QString& strPageTitle, QString& strPageBackground,
                                     QString& strPageBackgroundColor, std::int32_t& lngTableAlign,
                                     QString& strBackground, QString& strBackgroundColor, std::int16_t& intBorder,
                                     QString& strBorderColor, std::int16_t& intCellSpacing,
                                     std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                     std::int32_t& lngTableCellAlign, bool& blnWrapCellData, bool& blnBoldFirstRow,
                                     bool& blnBoldFirstColumn);

    // Export: the held document to HTML through Word, text to PDF by the control's own writer.
    MethodStatus CreateHTML(QString& strHTMLFile);
    MethodStatus CreatePDF(QString& strPDFFile, bool& blnUseLineBreaks, QString& strFontName,
                           std::int16_t& intFontSize, std::int16_t& intRotation, float& sngWidth, float& sngHeight,
                           QString& strAuthor, QString& strCreator, QString& strKeywords, QString& strSubject,
                           QString& strTitle);
    MethodStatus CreatePDFFromFile(QString& strTextFile, QString& strPDFFile, QString& strFontName,
                                   std::int16_t& intFontSize, std::int16_t& intRotation, float& sngWidth,
                                   float& sngHeight, QString& strAuthor, QString& strCreator, QString& strKeywords,
                                   QString& strSubject, QString& strTitle);

    // An XML file's node tree into a host tree view.
    MethodStatus XMLFileToTreeView(QString& strXMLFile, automation::DispatchRef& tv, bool& blnExpandAll);

    // Excel ranges: a worksheet range copied into a host array, row by row into one dimension
    // or in its own shape into two, through the spreadsheet program (the one set here, by
    // default the control's own). The two-dimensional copy takes its rows and columns by value.
    void setExcelEnvironment(std::shared_ptr<platform::excel::ExcelEnvironment> excel) { excel_ = std::move(excel); }
    MethodStatus ExcelToOneDArray(QString& strWorkbook, automation::Variant& varWorksheet, std::int32_t& lngStartRow,
                                  std::int32_t& lngStartCol, std::int32_t& lngEndRow, std::int32_t& lngEndCol,
                                  automation::Variant& varArray, bool& blnCellValue, QString& strPassword,
                                  QString& strWriteResPassword);
    MethodStatus ExcelToTwoDArray(QString& strWorkbook, automation::Variant& varWorksheet, std::int32_t& lngStartRow,
                                  std::int32_t& lngStartCol, std::int32_t& lngEndRow, std::int32_t& lngEndCol,
                                  automation::Variant& varArray, bool& blnCellValue, QString& strPassword,
                                  QString& strWriteResPassword);
    // One file copied from or to an FTP server through the host's Internet Transfer control.
    MethodStatus DownloadFile(automation::DispatchRef& inet, QString& strRemoteHost, QString& strRemoteDirectory,
                              QString& strLocalFile, QString& strRemoteFile, QString& strUsername,
                              QString& strUserPassword);
    MethodStatus UploadFile(automation::DispatchRef& inet, QString& strRemoteHost, QString& strRemoteDirectory,
                            QString& strLocalFile, QString& strRemoteFile, QString& strUsername,
                            QString& strUserPassword);
    // The held document printed to PostScript on the distiller's printer and converted by the
    // distiller's automation object, created through the object creator.
    MethodStatus CreatePDFUsingDistiller(QString& strPDFFile, QString& strDistiller);

private:
    std::shared_ptr<platform::excel::ExcelEnvironment> excel_ = std::make_shared<platform::excel::ExcelEnvironment>();

public:

    // Sorting of arrays.
    MethodStatus SortOneDArray(automation::Variant& varArray, std::int32_t& lngSortOrder);
    MethodStatus SortTwoDArray(automation::Variant& arrArray, automation::Variant& SortOrder);

    // Array arithmetic.
    MethodStatus ComputeOneDArray(automation::Variant& varArray, std::int32_t& lngCompute, double& dblNumber);
    MethodStatus ComputeTwoDArray(automation::Variant& varArray, std::int32_t& lngCompute, double& dblNumber);
    MethodStatus ComputeThreeDArray(automation::Variant& varArray, std::int32_t& lngCompute, double& dblNumber);

    // Delimited text files and arrays.
    MethodStatus TextFileToArray(QString& strTextFile, automation::Variant& varArray, QString& strDelimiter,
                                 bool& blnRemoveQuotes);
    MethodStatus TextFileToOneDArray(QString& strTextFile, automation::Variant& varArray);
    MethodStatus MultiLineTextToOneDArray(QString& strText, automation::Variant& varArray, QString& strDelimiter);
    MethodStatus TwoDArrayToText(automation::Variant& varArray, QString& strText, QString& strDelimiter,
                                 QString& strEndOfRowChar, bool& blnQuotes);
    MethodStatus TwoDArrayToTextFile(automation::Variant& varArray, QString& strTextFile, QString& strDelimiter,
                                     bool& blnQuotes);
    MethodStatus OneDArrayToText(automation::Variant& varArray, QString& strText, QString& strEndOfRowChar,
                                 QString& strEndOfArrayChar, bool& blnQuotes);
    MethodStatus OneDArrayToTextFile(automation::Variant& varArray, QString& strTextFile, bool& blnQuotes);
    // A delimited text file read as TextFileToArray reads it, written by TwoDArrayToWordTable.
    MethodStatus TextFileToWordTable(
        QString& strTextFile, QString& strDelimiter, bool& blnRemoveQuotes,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);

    // Controls and collections to and from arrays.
    MethodStatus ComboBoxToOneDArray(automation::DispatchRef& cb, automation::Variant& varArray);
    MethodStatus ListBoxToOneDArray(automation::DispatchRef& lb, automation::Variant& varArray, bool& blnSelectedOnly);
    MethodStatus TextBoxToOneDArray(automation::DispatchRef& tb, automation::Variant& varArray);
    MethodStatus RichTextBoxToOneDArray(automation::DispatchRef& tb, automation::Variant& varArray);
    MethodStatus CollectionToOneDArray(automation::DispatchRef& cl, automation::Variant& varArray);
    MethodStatus DictionaryToArray(automation::DispatchRef& dt, automation::Variant& varArray, bool& blnIncludeKeys);
    MethodStatus ListViewToArray(automation::DispatchRef& lv, automation::Variant& varArray, bool& blnSelectedOnly,
                                 bool& blnIncludeHeadings);
    MethodStatus TwoDArrayToDictionary(automation::Variant& varArray, automation::DispatchRef& dt);
    MethodStatus TwoDArrayToCollection(automation::Variant& varArray, automation::DispatchRef& cl);

    MethodStatus TwoDArrayToFlexGrid(automation::Variant& varArray, automation::DispatchRef& fg);
    MethodStatus TwoDArrayToTreeView(automation::Variant& varArray, automation::DispatchRef& tv, bool& blnExpandAll);

    MethodStatus TwoDArrayToListView(automation::Variant& varArray, automation::DispatchRef& lv,
                                     automation::Variant& varSelectItems);

    MethodStatus DirListBoxToOneDArray(automation::DispatchRef& dlb, automation::Variant& varArray);
    MethodStatus DriveListBoxToOneDArray(automation::DispatchRef& dlb, automation::Variant& varArray);
    MethodStatus FileListBoxToOneDArray(automation::DispatchRef& flb, automation::Variant& varArray,
                                        bool& blnSelectedOnly);

    // Word tables. Every method ends with the same sixteen table arguments; the FlexGrid
    // methods take their end row and column by value (they never reach the caller).
    MethodStatus TwoDArrayToWordTable(
        automation::Variant& varArray,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus OneDArrayToWordTable(
        automation::Variant& varArray,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus TextToWordTable(
        QString& strText,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus FlexGridToWordTable(
        automation::DispatchRef& fg, std::int32_t& lngStartRow, std::int32_t& lngStartCol,
        std::int32_t& lngEndRow, std::int32_t& lngEndCol,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus HFlexGridToWordTable(
        automation::DispatchRef& fg, std::int32_t& lngStartRow, std::int32_t& lngStartCol,
        std::int32_t& lngEndRow, std::int32_t& lngEndCol,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus ListViewToWordTable(
        automation::DispatchRef& lv, bool& blnSelectedOnly, bool& blnIncludeHeadings,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus DataGridToWordTable(
        automation::DispatchRef& dg, bool& blnIncludeHeadings,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus RecordsetToWordTable(
        automation::DispatchRef& objRecd, bool& blnIncludeHeadings,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);
    MethodStatus DatabaseTableToWordTable(
        QString& strDSN, QString& strSQL, QString& strUserID, QString& strPassword,
        bool& blnIncludeHeadings,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);

    // Queries, recordsets, grids and tree views into two-dimensional arrays and delimited
    // text files, and XML table files into recordsets, arrays and Word tables.
    MethodStatus DatabaseTableToArray(QString& strDSN, QString& strSQL, automation::Variant& varArray,
                                      QString& strUserID, QString& strPassword, bool& blnIncludeHeadings);
    MethodStatus RecordsetToArray(automation::DispatchRef& objRecd, automation::Variant& varArray,
                                  bool& blnIncludeHeadings);
    MethodStatus RecordsetToTextFile(automation::DispatchRef& objRecd, QString& strTextFile, bool& blnIncludeHeadings,
                                     QString& strDelimiter, bool& blnQuotes);
    MethodStatus DatabaseTableToTextFile(QString& strDSN, QString& strSQL, QString& strTextFile, QString& strUserID,
                                         QString& strPassword, bool& blnIncludeHeadings, QString& strDelimiter,
                                         bool& blnQuotes);
    MethodStatus DataGridToArray(automation::DispatchRef& dg, automation::Variant& varArray, bool& blnIncludeHeadings);
    MethodStatus FlexGridToArray(automation::DispatchRef& fg, automation::Variant& varArray, std::int32_t& lngStartRow,
                                 std::int32_t& lngStartCol, std::int32_t& lngEndRow, std::int16_t& lngEndCol);
    MethodStatus HFlexGridToArray(automation::DispatchRef& fg, automation::Variant& varArray, std::int32_t& lngStartRow,
                                  std::int32_t& lngStartCol, std::int32_t& lngEndRow, std::int16_t& lngEndCol);
    MethodStatus TreeViewToTwoDArray(automation::DispatchRef& tv, automation::Variant& varArray, bool& blnSuppressRows);
    MethodStatus XMLFileToRecordset(QString& strXMLFile, automation::DispatchRef& objRecd);
    MethodStatus XMLFileToArray(QString& strXMLFile, automation::Variant& varArray, bool& blnIncludeHeadings);
    MethodStatus XMLFileToWordTable(
        QString& strXMLFile, bool& blnIncludeHeadings,
        std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
        std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
        bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
        bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint);

    // Spell checks of host texts, each in a Word session of its own, and of the held document.
    MethodStatus SpellCheckTextBox(automation::DispatchRef& tb, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckRichTextBox(automation::DispatchRef& tb, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckLabel(automation::DispatchRef& lbl, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckText(QString& strText, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckListBox(automation::DispatchRef& lb, bool& blnSelectedOnly, bool& blnNoChanges,
                                   QString& strCustomDictionary);
    MethodStatus SpellCheckComboBox(automation::DispatchRef& cb, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckDataGrid(automation::DispatchRef& dg, std::int32_t& lngStartCol, std::int32_t& lngEndCol,
                                    bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckListView(automation::DispatchRef& lv, bool& blnSelectedOnly, bool& blnIncludeHeadings,
                                    bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckCollection(automation::DispatchRef& cl, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckDictionary(automation::DispatchRef& dt, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckOneDArray(automation::Variant& varArray, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckTwoDArray(automation::Variant& varArray, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckThreeDArray(automation::Variant& varArray, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckFlexGrid(automation::DispatchRef& fg, std::int32_t& lngStartRow, std::int32_t& lngStartCol,
                                    std::int32_t& lngEndRow, std::int32_t& lngEndCol, bool& blnNoChanges,
                                    QString& strCustomDictionary);
    MethodStatus SpellCheckHFlexGrid(automation::DispatchRef& fg, std::int32_t& lngStartRow, std::int32_t& lngStartCol,
                                     std::int32_t& lngEndRow, std::int32_t& lngEndCol, bool& blnNoChanges,
                                     QString& strCustomDictionary);
    MethodStatus SpellCheckRecordset(automation::DispatchRef& objRecd, std::int32_t& lngStartCol,
                                     std::int32_t& lngEndCol, bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus SpellCheckDatabaseTable(QString& strDSN, QString& strSQL, QString& strUserID, QString& strPassword,
                                         bool& blnNoChanges, QString& strCustomDictionary);
    MethodStatus CheckSpelling();
    MethodStatus CheckGrammar();
    // The word processor the spell checks start their own sessions in.
    word::WordEnvironment& wordEnvironment() { return environment_; }

private:
    word::WordEnvironment& environment_;
    std::int16_t wordMajorVersion_ = 0;
    bool createdWord_ = false;
    std::shared_ptr<word::Application> heldApplication_;
    std::shared_ptr<word::Document> heldDocument_;
    std::shared_ptr<word::Application> startedWord_;
    std::shared_ptr<ClipboardText> clipboard_;
    VerboltEvents* events_ = nullptr;
    std::unique_ptr<frmAboutBox> aboutBox_;
    ObjectCreator objectCreator_;

    // The running Word the table offers, else the one this control holds; none when neither.
    std::shared_ptr<word::Application> runningWord() const;

    // The first steps of a document method: -1 when Word is not up, -2 when the held
    // document does not take Activate; 0 when both passed.
    MethodStatus documentPrologue();
    // The held document; raises "Object variable not set" when none is held.
    word::Document& requireHeldDocument() const;
    MethodStatus setPageValue(float value, void (word::PageSetup::*setter)(double));
    MethodStatus addPageNumbers(bool header, std::int32_t& align, bool& firstPage);
    MethodStatus insertPictureAtEnd(const QString& file, bool linked, float left, float top,
                                    float width, float height);
    // A table method whose source is first copied into an array: the prologue, the copy,
    // then TwoDArrayToWordTable; -3 for a failing copy and for anything but 1 from the writer.
    MethodStatus writeArrayTable(const std::function<automation::SafeArray()>& source, const TableArgs& args);
    // TextToWordTable with the sixteen table arguments of a source method.
    MethodStatus writeTextTable(QString text, const TableArgs& args);
};

} // namespace tovu::control
