// The control's method table: every built method with its dispatch id, its parameters as the
// type library declares them (optional ones with their defaults) and its binding. This one
// table drives the dispatch interface; a method that is not built has no row.
#include "control/VerboltMethods.h"

#include "control/Verbolt.h"
#include "control/VerboltHelp.h"

namespace tovu::control {

namespace {

using automation::Variant;

// The formatting arguments that follow the text in every text-writing method.
std::vector<ParamDecl> withTextFormat(std::vector<ParamDecl> leading)
{
    const std::vector<ParamDecl> format = {
        opt("blnBold", false),
        opt("strFont", QStringLiteral("Times New Roman")),
        opt("intSize", std::int16_t{12}),
        opt("intSpaceAfter", std::int16_t{10}),
        opt("lngParagraphAlign", std::int32_t{vrbAlignParagraphLeft}),
        opt("lngColor", std::int32_t{vrbColorBlack}),
        opt("blnItalic", false),
        opt("blnUnderline", false),
        opt("lngAnimation", std::int32_t{vrbAnimationNone}),
        opt("blnEmboss", false),
        opt("blnEngrave", false),
        opt("blnShadow", false),
        opt("blnStrikeThrough", false),
        opt("lngInsertionPoint", std::int32_t{vrbEndofDoc}),
    };
    leading.insert(leading.end(), format.begin(), format.end());
    return leading;
}

std::vector<ParamDecl> pictureParams()
{
    return {required("strFile"), opt("sngLeft", 0.0f), opt("sngTop", 0.0f), opt("sngWidth", 0.0f),
            opt("sngHeight", 0.0f)};
}

// The sixteen table arguments that end every Word-table method.
using ParamList = decltype(MethodEntry::params);
ParamList withTableFormat(ParamList leading)
{
    const ParamList format = {
        opt("lngTableType", std::int32_t{vrbTableFormatNone}),
        opt("blnBold", false),
        opt("strFont", QStringLiteral("Times New Roman")),
        opt("intSize", std::int16_t{12}),
        opt("intSpaceAfter", std::int16_t{10}),
        opt("lngParagraphAlign", std::int32_t{vrbAlignParagraphLeft}),
        opt("intColumnWidth", std::int16_t{0}),
        opt("blnBorders", false),
        opt("blnShading", false),
        opt("blnFont", false),
        opt("blnColor", false),
        opt("blnHeadingRows", false),
        opt("blnLastRow", false),
        opt("blnFirstColumn", false),
        opt("blnLastColumn", false),
        opt("blnAutoFit", false),
        opt("lngInsertionPoint", std::int32_t{vrbEndofDoc}),
    };
    leading.insert(leading.end(), format.begin(), format.end());
    return leading;
}

ParamList flexGridParams()
{
    return withTableFormat({required("fg"), opt("lngStartRow", std::int32_t{0}), opt("lngStartCol", std::int32_t{0}),
                            opt("lngEndRow", std::int32_t{0}), opt("lngEndCol", std::int32_t{0})});
}

// The table attributes of the HTML methods; the one-dimensional ones have no first column.
ParamList withHtmlTable(ParamList leading, bool twoD)
{
    ParamList format = {
        opt("lngTableAlign", std::int32_t{vrbTableAlignCenter}),
        opt("strBackground"),
        opt("strBackgroundColor"),
        opt("intBorder", std::int16_t{0}),
        opt("strBorderColor"),
        opt("intCellSpacing", std::int16_t{0}),
        opt("intCellPadding", std::int16_t{0}),
        opt("intWidthPct", std::int16_t{100}),
        opt("lngTableCellAlign", std::int32_t{vrbTableAlignRight}),
        opt("blnWrapCellData", false),
        opt("blnBoldFirstRow", false),
    };
    if (twoD)
        format.push_back(opt("blnBoldFirstColumn", false));
    leading.insert(leading.end(), format.begin(), format.end());
    return leading;
}

ParamList htmlFileParams(bool twoD)
{
    return withHtmlTable({required("varArray"), required("strHTMLFile"), opt("strPageHeading"), opt("strPageTitle"),
                          opt("strPageBackground"), opt("strPageBackgroundColor")},
                         twoD);
}

// The page and document arguments of the PDF writer's methods.
ParamList withPdfFormat(ParamList leading)
{
    const ParamList format = {
        opt("strFontName", QStringLiteral("Courier")),
        opt("intFontSize", std::int16_t{10}),
        opt("intRotation", std::int16_t{0}),
        opt("sngWidth", 8.5f),
        opt("sngHeight", 11.0f),
        opt("strAuthor"),
        opt("strCreator"),
        opt("strKeywords"),
        opt("strSubject"),
        opt("strTitle"),
    };
    leading.insert(leading.end(), format.begin(), format.end());
    return leading;
}

ParamList computeParams()
{
    return {required("varArray"), required("lngCompute"), required("dblNumber")};
}

ParamList excelRangeParams()
{
    return {required("strWorkbook"), required("varWorksheet"), required("lngStartRow"), required("lngStartCol"),
            required("lngEndRow"), required("lngEndCol"), required("varArray"), opt("blnCellValue", false),
            opt("strPassword"), opt("strWriteResPassword")};
}

ParamList ftpParams()
{
    return {required("inet"), required("strRemoteHost"), required("strRemoteDirectory"), required("strLocalFile"),
            required("strRemoteFile"), opt("strUsername"), opt("strUserPassword")};
}

std::vector<MethodEntry> buildTable()
{
    // Every spell check ends with blnNoChanges and strCustomDictionary.
    const auto spellCheck = [](ParamList source) {
        source.push_back(opt("blnNoChanges", false));
        source.push_back(opt("strCustomDictionary"));
        return source;
    };
    const ParamList gridRange = {required("fg"), opt("lngStartRow", std::int32_t{0}), opt("lngStartCol", std::int32_t{0}),
                                 opt("lngEndRow", std::int32_t{0}), opt("lngEndCol", std::int32_t{0})};
    return {
        method<&Verbolt::SpellCheckTextBox>(0x6003001B, "SpellCheckTextBox", spellCheck({required("tb")})),
        method<&Verbolt::SpellCheckRichTextBox>(0x6003001C, "SpellCheckRichTextBox", spellCheck({required("tb")})),
        method<&Verbolt::SpellCheckLabel>(0x6003001D, "SpellCheckLabel", spellCheck({required("lbl")})),
        method<&Verbolt::SpellCheckText>(0x6003001E, "SpellCheckText", spellCheck({required("strText")})),
        method<&Verbolt::SpellCheckListBox>(0x6003001F, "SpellCheckListBox",
                                            spellCheck({required("lb"), opt("blnSelectedOnly", false)})),
        method<&Verbolt::SpellCheckDataGrid>(0x60030020, "SpellCheckDataGrid",
                                             spellCheck({required("dg"), opt("lngStartCol", std::int32_t{0}),
                                                         opt("lngEndCol", std::int32_t{0})})),
        method<&Verbolt::SpellCheckListView>(0x60030026, "SpellCheckListView",
                                             spellCheck({required("lv"), opt("blnSelectedOnly", false),
                                                         opt("blnIncludeHeadings", false)})),
        method<&Verbolt::SpellCheckCollection>(0x60030027, "SpellCheckCollection", spellCheck({required("cl")})),
        method<&Verbolt::SpellCheckDictionary>(0x60030028, "SpellCheckDictionary", spellCheck({required("dt")})),
        method<&Verbolt::SpellCheckComboBox>(0x60030029, "SpellCheckComboBox", spellCheck({required("cb")})),
        method<&Verbolt::SpellCheckOneDArray>(0x6003002A, "SpellCheckOneDArray", spellCheck({required("varArray")})),
        method<&Verbolt::SpellCheckTwoDArray>(0x6003002B, "SpellCheckTwoDArray", spellCheck({required("varArray")})),
        method<&Verbolt::SpellCheckThreeDArray>(0x6003002C, "SpellCheckThreeDArray", spellCheck({required("varArray")})),
        method<&Verbolt::SpellCheckFlexGrid>(0x6003002D, "SpellCheckFlexGrid", spellCheck(gridRange)),
        method<&Verbolt::SpellCheckHFlexGrid>(0x6003002E, "SpellCheckHFlexGrid", spellCheck(gridRange)),
        method<&Verbolt::SpellCheckRecordset>(0x60030031, "SpellCheckRecordset",
                                              spellCheck({required("objRecd"), opt("lngStartCol", std::int32_t{0}),
                                                          opt("lngEndCol", std::int32_t{0})})),
        method<&Verbolt::SpellCheckDatabaseTable>(0x60030032, "SpellCheckDatabaseTable",
                                                  spellCheck({required("strDSN"), required("strSQL"), opt("strUserID"),
                                                              opt("strPassword")})),
        method<&Verbolt::CheckSpelling>(0x60030037, "CheckSpelling"),
        method<&Verbolt::CheckGrammar>(0x60030038, "CheckGrammar"),
        method<&Verbolt::CreateDocument>(0x60030001, "CreateDocument",
                                         {required("strDocument"), opt("strPassword"), opt("strWritePassword")}),
        method<&Verbolt::EmailDocument>(0x60030006, "EmailDocument", {opt("blnSendAsAttachment", false)}),
        method<&Verbolt::CreateChart>(0x6003000A, "CreateChart",
                                      {required("varArray"), opt("lngChart", std::int32_t{vrbLine}), opt("strTitle"),
                                       opt("strAxisTitle"), opt("intLeft", std::int16_t{100}),
                                       opt("intTop", std::int16_t{100}), opt("intWidth", std::int16_t{350}),
                                       opt("intHeight", std::int16_t{200}), opt("intChartFontSize", std::int16_t{8}),
                                       opt("intChartTitleFontSize", std::int16_t{12}), opt("blnAutoScaleFont", false)}),
        method<&Verbolt::CreateLabelsFromTextFile>(0x6003000B, "CreateLabelsFromTextFile", {required("strTextFile")}),
        method<&Verbolt::CreateLabelsFromDatabase>(0x6003000C, "CreateLabelsFromDatabase",
                                                   {required("strDatabase"), required("strSQL")}),
        method<&Verbolt::CreateLabelsFromDatabase2>(0x6003000D, "CreateLabelsFromDatabase2",
                                                    {required("strDatabase"), required("strSQL")}),
        method<&Verbolt::CreateLabelsFromDatabase3>(0x6003000E, "CreateLabelsFromDatabase3",
                                                    {required("strDatabase"), required("strSQL")}),
        method<&Verbolt::InsertHyperlink>(0x60030007, "InsertHyperlink",
                                          withTextFormat({required("strText"), required("strHTTP")})),
        method<&Verbolt::InsertHyperlinks>(0x60030008, "InsertHyperlinks", withTextFormat({required("varArray")})),
        method<&Verbolt::InsertBlankLines>(0x60030009, "InsertBlankLines",
                                           {required("intLines"), opt("lngInsertionPoint", std::int32_t{vrbEndofDoc})}),
        method<&Verbolt::NumberOfPages>(0x6003000F, "NumberOfPages", {required("lngPages"), opt("strDocument")}),
        method<&Verbolt::SetPageOrientation>(0x60030010, "SetPageOrientation", {required("lngPageOrientation")}),
        method<&Verbolt::SetPageLeftMargin>(0x60030011, "SetPageLeftMargin", {required("sngLeftMargin")}),
        method<&Verbolt::SetPageNumberInFooter>(0x60030012, "SetPageNumberInFooter",
                                                {required("lngPageNumberAlign"), opt("blnFirstPage")}),
        method<&Verbolt::SetPageNumberInHeader>(0x60030013, "SetPageNumberInHeader",
                                                {required("lngPageNumberAlign"), opt("blnFirstPage")}),
        method<&Verbolt::SetPageWidth>(0x60030014, "SetPageWidth", {required("sngPageWidth")}),
        method<&Verbolt::SetPageHeight>(0x60030015, "SetPageHeight", {required("sngPageHeight")}),
        method<&Verbolt::SetPageRightMargin>(0x60030016, "SetPageRightMargin", {required("sngRightMargin")}),
        method<&Verbolt::SetPageTopMargin>(0x60030017, "SetPageTopMargin", {required("sngTopMargin")}),
        method<&Verbolt::SetPageBottomMargin>(0x60030018, "SetPageBottomMargin", {required("sngBottomMargin")}),
        method<&Verbolt::IsWordUp>(0x60030019, "IsWordUp"),
        method<&Verbolt::AboutBox>(0x6003001A, "AboutBox"),
        method<&Verbolt::SwitchToWord>(0x60030021, "SwitchToWord"),
        method<&Verbolt::SortOneDArray>(0x60030022, "SortOneDArray",
                                        {required("varArray"), opt("lngSortOrder", std::int32_t{vrbAscending})}),
        method<&Verbolt::TextFileToWordTable>(0x60030023, "TextFileToWordTable",
                                              withTableFormat({required("strTextFile"), opt("strDelimiter"),
                                                               opt("blnRemoveQuotes", false)})),
        method<&Verbolt::ExcelToOneDArray>(0x60030024, "ExcelToOneDArray", excelRangeParams()),
        method<&Verbolt::ExcelToTwoDArray>(0x60030025, "ExcelToTwoDArray", excelRangeParams()),
        method<&Verbolt::CreatePDFUsingDistiller>(0x6003003E, "CreatePDFUsingDistiller",
                                                  {required("strPDFFile"),
                                                   opt("strDistiller", QStringLiteral("Acrobat Distiller"))}),
        method<&Verbolt::DownloadFile>(0x60030053, "DownloadFile", ftpParams()),
        method<&Verbolt::UploadFile>(0x60030055, "UploadFile", ftpParams()),
        method<&Verbolt::ActivateDocument>(0x60030033, "ActivateDocument",
                                           {opt("varDocument"), opt("blnSwitchToWord")}),
        method<&Verbolt::ActiveDocumentName>(0x60030034, "ActiveDocumentName"),
        method<&Verbolt::ActiveDocumentPath>(0x60030035, "ActiveDocumentPath"),
        method<&Verbolt::AddDocument>(0x60030036, "AddDocument", {opt("varTemplate")}),
        method<&Verbolt::ComboBoxToOneDArray>(0x60030039, "ComboBoxToOneDArray", {required("cb"), required("varArray")}),
        method<&Verbolt::ComputeOneDArray>(0x6003003A, "ComputeOneDArray", computeParams()),
        method<&Verbolt::ComputeThreeDArray>(0x6003003B, "ComputeThreeDArray", computeParams()),
        method<&Verbolt::ComputeTwoDArray>(0x6003003C, "ComputeTwoDArray", computeParams()),
        method<&Verbolt::CreateHTML>(0x6003003D, "CreateHTML", {required("strHTMLFile")}),
        method<&Verbolt::CreatePDF>(0x6003003F, "CreatePDF",
                                    withPdfFormat({required("strPDFFile"), opt("blnUseLineBreaks", false)})),
        method<&Verbolt::CreatePDFFromFile>(0x60030040, "CreatePDFFromFile",
                                            withPdfFormat({required("strTextFile"), required("strPDFFile")})),
        method<&Verbolt::TextToWordTable>(0x60030042, "TextToWordTable", withTableFormat({required("strText")})),
        method<&Verbolt::DatabaseTableToWordTable>(0x60030043, "DatabaseTableToWordTable",
                                                   withTableFormat({required("strDSN"), required("strSQL"),
                                                                    opt("strUserID"), opt("strPassword"),
                                                                    opt("blnIncludeHeadings", false)})),
        method<&Verbolt::RecordsetToWordTable>(0x60030046, "RecordsetToWordTable",
                                               withTableFormat({required("objRecd"), opt("blnIncludeHeadings", false)})),
        method<&Verbolt::DataGridToWordTable>(0x60030049, "DataGridToWordTable",
                                              withTableFormat({required("dg"), opt("blnIncludeHeadings", false)})),
        method<&Verbolt::ClipboardTextToWord>(0x6003004A, "ClipboardTextToWord", withTextFormat({})),
        method<&Verbolt::OpenDocument>(0x6003004D, "OpenDocument",
                                       {opt("strDocument"), opt("blnSwitchToWord"), opt("strPassword"),
                                        opt("strWriteResPassword"), opt("strFormCaption"), opt("blnHideWord"),
                                        opt("lngPageOrientation", std::int32_t{vrbOrientPortrait}),
                                        opt("sngTopMargin"), opt("sngLeftMargin"), opt("sngRightMargin"),
                                        opt("sngBottomMargin"), opt("sngPageHeight"), opt("sngPageWidth")}),
        method<&Verbolt::HideWord>(0x6003004E, "HideWord"),
        method<&Verbolt::UnhideWord>(0x6003004F, "UnhideWord"),
        method<&Verbolt::XMLFileToTreeView>(0x60030050, "XMLFileToTreeView",
                                            {required("strXMLFile"), required("tv"), opt("blnExpandAll", false)}),
        method<&Verbolt::DocumentCount>(0x60030052, "DocumentCount"),
        // Queries, recordsets, grids and tree views into arrays and text files; XML table files.
        method<&Verbolt::XMLFileToWordTable>(0x60030002, "XMLFileToWordTable",
                                             withTableFormat({required("strXMLFile"), opt("blnIncludeHeadings", false)})),
        method<&Verbolt::XMLFileToArray>(0x60030003, "XMLFileToArray",
                                         {required("strXMLFile"), required("varArray"), opt("blnIncludeHeadings", false)}),
        method<&Verbolt::XMLFileToRecordset>(0x60030004, "XMLFileToRecordset", {required("strXMLFile"), required("objRecd")}),
        method<&Verbolt::TreeViewToTwoDArray>(0x6003002F, "TreeViewToTwoDArray",
                                              {required("tv"), required("varArray"), opt("blnSuppressRows", false)}),
        method<&Verbolt::DatabaseTableToArray>(0x60030041, "DatabaseTableToArray",
                                               {required("strDSN"), required("strSQL"), required("varArray"),
                                                opt("strUserID"), opt("strPassword"), opt("blnIncludeHeadings", false)}),
        method<&Verbolt::RecordsetToTextFile>(0x60030044, "RecordsetToTextFile",
                                              {required("objRecd"), required("strTextFile"),
                                               opt("blnIncludeHeadings", false), opt("strDelimiter"), opt("blnQuotes", false)}),
        method<&Verbolt::RecordsetToArray>(0x60030045, "RecordsetToArray",
                                           {required("objRecd"), required("varArray"), opt("blnIncludeHeadings", false)}),
        method<&Verbolt::DatabaseTableToTextFile>(0x60030047, "DatabaseTableToTextFile",
                                                  {required("strDSN"), required("strSQL"), required("strTextFile"),
                                                   opt("strUserID"), opt("strPassword"), opt("blnIncludeHeadings", false),
                                                   opt("strDelimiter"), opt("blnQuotes", false)}),
        method<&Verbolt::DataGridToArray>(0x60030048, "DataGridToArray",
                                          {required("dg"), required("varArray"), opt("blnIncludeHeadings", false)}),
        method<&Verbolt::FlexGridToArray>(0x60030084, "FlexGridToArray",
                                          {required("fg"), required("varArray"), opt("lngStartRow", std::int32_t{0}),
                                           opt("lngStartCol", std::int32_t{0}), opt("lngEndRow", std::int32_t{0}),
                                           opt("lngEndCol", std::int16_t{0})}),
        method<&Verbolt::HFlexGridToArray>(0x60030088, "HFlexGridToArray",
                                           {required("fg"), required("varArray"), opt("lngStartRow", std::int32_t{0}),
                                            opt("lngStartCol", std::int32_t{0}), opt("lngEndRow", std::int32_t{0}),
                                            opt("lngEndCol", std::int16_t{0})}),
        method<&Verbolt::IsWordAvailable>(0x60030054, "IsWordAvailable"),
        method<&Verbolt::CloseWord>(0x60030056, "CloseWord", {required("blnSave")}),
        method<&Verbolt::CloseDocument>(0x60030057, "CloseDocument", {required("blnSave")}),
        method<&Verbolt::CollectionToOneDArray>(0x60030059, "CollectionToOneDArray",
                                                {required("cl"), required("varArray")}),
        method<&Verbolt::TextFileToArray>(0x6003005C, "TextFileToArray",
                                          {required("strTextFile"), required("varArray"), opt("strDelimiter"),
                                           opt("blnRemoveQuotes", false)}),
        method<&Verbolt::TextFileToOneDArray>(0x6003005D, "TextFileToOneDArray",
                                              {required("strTextFile"), required("varArray")}),
        method<&Verbolt::TextBoxToOneDArray>(0x6003005E, "TextBoxToOneDArray", {required("tb"), required("varArray")}),
        method<&Verbolt::SaveDocument>(0x60030061, "SaveDocument",
                                       {opt("strDocument"), opt("strPassword"), opt("strWritePassword")}),
        method<&Verbolt::RichTextBoxToOneDArray>(0x60030062, "RichTextBoxToOneDArray",
                                                 {required("tb"), required("varArray")}),
        method<&Verbolt::ListBoxToOneDArray>(0x60030065, "ListBoxToOneDArray",
                                             {required("lb"), required("varArray"), opt("blnSelectedOnly", false)}),
        method<&Verbolt::ListViewToArray>(0x60030066, "ListViewToArray",
                                          {required("lv"), required("varArray"), opt("blnSelectedOnly", false),
                                           opt("blnIncludeHeadings", false)}),
        method<&Verbolt::ListViewToWordTable>(0x60030067, "ListViewToWordTable",
                                              withTableFormat({required("lv"), opt("blnSelectedOnly", false),
                                                               opt("blnIncludeHeadings", false)})),
        method<&Verbolt::OneDArrayToWordTable>(0x6003006A, "OneDArrayToWordTable", withTableFormat({required("varArray")})),
        method<&Verbolt::OneDArrayToHTMLFile>(0x6003006B, "OneDArrayToHTMLFile", htmlFileParams(false)),
        method<&Verbolt::OneDArrayToHTMLTable>(0x6003006C, "OneDArrayToHTMLTable",
                                               withHtmlTable({required("varArray"), required("strTable")}, false)),
        method<&Verbolt::TwoDArrayToDictionary>(0x6003006D, "TwoDArrayToDictionary",
                                                {required("varArray"), required("dt")}),
        method<&Verbolt::TwoDArrayToCollection>(0x6003006E, "TwoDArrayToCollection",
                                                {required("varArray"), required("cl")}),
        method<&Verbolt::TwoDArrayToHTMLTable>(0x6003006F, "TwoDArrayToHTMLTable",
                                               withHtmlTable({required("varArray"), required("strTable")}, true)),
        method<&Verbolt::TwoDArrayToListView>(0x60030070, "TwoDArrayToListView",
                                              {required("varArray"), required("lv"), opt("varSelectItems")}),
        method<&Verbolt::TwoDArrayToHTMLFile>(0x60030071, "TwoDArrayToHTMLFile", htmlFileParams(true)),
        method<&Verbolt::TwoDArrayToFlexGrid>(0x60030072, "TwoDArrayToFlexGrid", {required("varArray"), required("fg")}),
        method<&Verbolt::TwoDArrayToWordTable>(0x60030073, "TwoDArrayToWordTable", withTableFormat({required("varArray")})),
        method<&Verbolt::TextToWord>(0x60030074, "TextToWord", withTextFormat({required("strText")})),
        method<&Verbolt::TwoDArrayToText>(0x60030075, "TwoDArrayToText",
                                          {required("varArray"), required("strText"), required("strDelimiter"),
                                           required("strEndOfRowChar"), opt("blnQuotes", false)}),
        method<&Verbolt::TwoDArrayToTextFile>(0x60030076, "TwoDArrayToTextFile",
                                              {required("varArray"), required("strTextFile"), opt("strDelimiter"),
                                               opt("blnQuotes", false)}),
        method<&Verbolt::TwoDArrayToTreeView>(0x60030077, "TwoDArrayToTreeView",
                                              {required("varArray"), required("tv"), opt("blnExpandAll", false)}),
        method<&Verbolt::OneDArrayToTextFile>(0x60030078, "OneDArrayToTextFile",
                                              {required("varArray"), required("strTextFile"), opt("blnQuotes", false)}),
        method<&Verbolt::OneDArrayToText>(0x60030079, "OneDArrayToText",
                                          {required("varArray"), required("strText"), required("strEndOfRowChar"),
                                           opt("strEndOfArrayChar"), opt("blnQuotes", false)}),
        method<&Verbolt::DictionaryToArray>(0x6003007A, "DictionaryToArray",
                                            {required("dt"), required("varArray"), opt("blnIncludeKeys", false)}),
        method<&Verbolt::DirListBoxToOneDArray>(0x6003007C, "DirListBoxToOneDArray",
                                                {required("dlb"), required("varArray")}),
        method<&Verbolt::DriveListBoxToOneDArray>(0x6003007F, "DriveListBoxToOneDArray",
                                                  {required("dlb"), required("varArray")}),
        method<&Verbolt::FileListBoxToOneDArray>(0x60030082, "FileListBoxToOneDArray",
                                                 {required("flb"), required("varArray"), opt("blnSelectedOnly", false)}),
        method<&Verbolt::FindInDocumentAndReplace>(0x60030083, "FindInDocumentAndReplace",
                                                   {required("strTextToFind"), required("strReplaceWithText"),
                                                    opt("blnMatchCase"), opt("blnMatchWholeWord")}),
        method<&Verbolt::GetWordObject>(0x60030085, "GetWordObject", {required("objWordApp")}),
        method<&Verbolt::GetDocumentObject>(0x60030086, "GetDocumentObject", {required("objWordDocument")}),
        method<&Verbolt::GetDocumentNames>(0x60030087, "GetDocumentNames", {required("varArray")}),
        method<&Verbolt::FlexGridToWordTable>(0x60030089, "FlexGridToWordTable", flexGridParams()),
        method<&Verbolt::HFlexGridToWordTable>(0x6003008A, "HFlexGridToWordTable", flexGridParams()),
        method<&Verbolt::InsertPicture>(0x6003008B, "InsertPicture", pictureParams()),
        method<&Verbolt::InsertPageBreak>(0x6003008C, "InsertPageBreak"),
        method<&Verbolt::InsertLinkedPicture>(0x6003008D, "InsertLinkedPicture", pictureParams()),
        method<&Verbolt::MultiLineTextToOneDArray>(0x6003008E, "MultiLineTextToOneDArray",
                                                   {required("strText"), required("varArray"), opt("strDelimiter")}),
        method<&Verbolt::SortTwoDArray>(0x600300A4, "SortTwoDArray", {required("arrArray"), required("SortOrder")}),
        // Control contents into the document, and printing.
        method<&Verbolt::CollectionToWord>(0x60030058, "CollectionToWord",
                                           withTextFormat({required("cl"), required("strDelimiter"),
                                                           opt("strEndOfDataChar")})),
        method<&Verbolt::ComboBoxToWord>(0x6003005A, "ComboBoxToWord",
                                         withTextFormat({required("cb"), required("strDelimiter"),
                                                         opt("strEndOfDataChar"), opt("blnSelectedOnly", false)})),
        method<&Verbolt::LabelToWord>(0x6003005B, "LabelToWord", withTextFormat({required("lbl")})),
        method<&Verbolt::TextBoxToWord>(0x6003005F, "TextBoxToWord", withTextFormat({required("tb")})),
        method<&Verbolt::MaskedTextBoxToWord>(0x60030060, "MaskedTextBoxToWord", withTextFormat({required("tb")})),
        method<&Verbolt::RichTextBoxToWord>(0x60030063, "RichTextBoxToWord", withTextFormat({required("tb")})),
        method<&Verbolt::ListBoxToWord>(0x60030064, "ListBoxToWord",
                                        withTextFormat({required("lb"), required("strDelimiter"),
                                                        opt("strEndOfDataChar"), opt("blnSelectedOnly", false)})),
        method<&Verbolt::TextFileToWord>(0x60030068, "TextFileToWord", withTextFormat({required("strTextFile")})),
        method<&Verbolt::OneDArrayToWord>(0x60030069, "OneDArrayToWord", withTextFormat({required("varArray")})),
        method<&Verbolt::DictionaryToWord>(0x6003007B, "DictionaryToWord",
                                           withTextFormat({required("dt"), required("strDelimiter"),
                                                           opt("blnIncludeKeys", false), opt("strEndOfDataChar")})),
        method<&Verbolt::DirListBoxToWord>(0x6003007D, "DirListBoxToWord",
                                           withTextFormat({required("dlb"), required("strDelimiter"),
                                                           opt("strEndOfDataChar")})),
        method<&Verbolt::DriveListBoxToWord>(0x6003007E, "DriveListBoxToWord",
                                             withTextFormat({required("dlb"), required("strDelimiter"),
                                                             opt("strEndOfDataChar")})),
        method<&Verbolt::FileListBoxToWord>(0x60030081, "FileListBoxToWord",
                                            withTextFormat({required("flb"), required("strDelimiter"),
                                                            opt("blnSelectedOnly", false), opt("strEndOfDataChar")})),
        method<&Verbolt::PrintPreviewDocument>(0x6003004B, "PrintPreviewDocument",
                                               {opt("varDocument"), opt("blnSwitchToWord"), opt("strFormCaption")}),
        method<&Verbolt::PrintDocument>(0x6003004C, "PrintDocument",
                                        {opt("varDocument"), opt("blnSwitchToWord"), opt("strFormCaption")}),
    };
}

} // namespace

const std::vector<MethodEntry>& verboltMethods()
{
    static const std::vector<MethodEntry> table = [] {
        std::vector<MethodEntry> entries = buildTable();
        for (MethodEntry& entry : entries)
            entry.help = methodHelp(entry.name);
        return entries;
    }();
    return table;
}

} // namespace tovu::control
