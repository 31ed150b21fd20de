#include "control/VerboltHelp.h"

#include <cstring>
#include <iterator>

namespace tovu::control {

namespace {

struct Help {
    const char* method;
    const char* text;
};

// In dispatch-id order. The texts stand as the type library has always shown them, slips
// and trailing blank included: hosts' object browsers show them to programmers.
constexpr Help kHelp[] = {
    {"CreateDocument", "Method to create a Word document."},
    {"XMLFileToWordTable", "Method to copy items from an XML table file to a Word table."},
    {"XMLFileToArray", "Method to copy items from an XML table file to a two dimensional array."},
    {"XMLFileToRecordset", "Method to copy items from an XML table file to a recordset."},
    {"EmailDocument", "Method to email the active document."},
    {"InsertHyperlink", "Method to insert a hyperlink into the active document."},
    {"InsertHyperlinks", "Method to insert one or more hyperlinks into the active document."},
    {"InsertBlankLines", "Method to insert specified number of blank lines into the active document."},
    {"CreateChart", "Method to create a chart in the active Word document."},
    {"CreateLabelsFromTextFile", "Method to create labels from a text file."},
    {"CreateLabelsFromDatabase", "Method to create labels from a database file. Note: Adressee name contained in one field."},
    {"CreateLabelsFromDatabase2", "Method to create labels from a database file. Note: Adressee name contained in two fields."},
    {"CreateLabelsFromDatabase3", "Method to create labels from a database file. Note: Adressee name contained in four fields."},
    {"NumberOfPages", "Method to calculate the number of pages in the active/passed document."},
    {"SetPageOrientation", "Method to set the document's page orientation to portrait or landscape mode."},
    {"SetPageLeftMargin", "Method to set a document's left margin (in pixels)."},
    {"SetPageNumberInFooter", "Method to set the page number in the document's footer. "},
    {"SetPageNumberInHeader", "Method to set the page number in the document's header."},
    {"SetPageWidth", "Method to set a document's page width (in pixels)."},
    {"SetPageHeight", "Method to set a document's height (in pixels)."},
    {"SetPageRightMargin", "Method to set a document's right margin (in pixels)."},
    {"SetPageTopMargin", "Method to set a document's top margin (in pixels)."},
    {"SetPageBottomMargin", "Method to set a document's bottom margin (in pixels)."},
    {"IsWordUp", "Method to determine if Word is currently running."},
    {"AboutBox", "Method to display information about the application."},
    {"SpellCheckTextBox", "Method to spell check a TextBox control."},
    {"SpellCheckRichTextBox", "Method to spell check items in a RichTextBox control."},
    {"SpellCheckLabel", "Method to spell check a Label control."},
    {"SpellCheckText", "Method to spell check a text string."},
    {"SpellCheckListBox", "Method to spell check items in a ListBox control."},
    {"SpellCheckDataGrid", "Method to spell check items in a DataGrid control."},
    {"SortOneDArray", "Method to sort a one dimensional array."},
    {"TextFileToWordTable", "Method to move text file items to a Word table."},
    {"ExcelToOneDArray", "Method to copy a an Excel workbook worksheet range to a one dimensional array."},
    {"ExcelToTwoDArray", "Method to copy a an Excel workbook worksheet range to a two dimensional array."},
    {"SpellCheckListView", "Method to spell check items in a ListView control."},
    {"SpellCheckCollection", "Method to spell check items in a collection."},
    {"SpellCheckDictionary", "Method to spell check items in a dictionary."},
    {"SpellCheckComboBox", "Method to spell check items in a ComboBox control."},
    {"SpellCheckOneDArray", "Method to spell check items in a one dimensional array."},
    {"SpellCheckTwoDArray", "Method to spell check items in a two dimensional array."},
    {"SpellCheckThreeDArray", "Method to spell check items in a three dimensional array."},
    {"SpellCheckFlexGrid", "Method to spell check items in a FlexGrid control."},
    {"SpellCheckHFlexGrid", "Method to spell check items in a HFlexGrid control."},
    {"SpellCheckRecordset", "Method to spell check items in a recordset."},
    {"SpellCheckDatabaseTable", "Method to spell check items in a database table."},
    {"ComputeOneDArray", "Method to add/subtract/divide/multiply items in a one dimensional array."},
    {"ComputeThreeDArray", "Method to add/subtract/divide/multiply items in a three dimensional array."},
    {"ComputeTwoDArray", "Method to add/subtract/divide/multiply items in a two dimensional array."},
    {"CreateHTML", "Method to create an HTML file from the active document."},
    {"CreatePDFUsingDistiller", "Method to create a PDF (Adobe Acrobat) file from the active document using the Distiller."},
    {"CreatePDF", "Method to create an PDF (Adobe Acrobat) file from the active document."},
    {"CreatePDFFromFile", "Method to create a PDF (Adobe Acrobat) file from a text file."},
    {"DatabaseTableToArray", "Method to move items from a database table to an array."},
    {"TextToWordTable", "Method to move a text string to a Word table."},
    {"DatabaseTableToWordTable", "Method to move items from a database table to a Word table."},
    {"RecordsetToTextFile", "Method to move items from a recordset to a text file."},
    {"RecordsetToArray", "Method to move items from a recordset to an array."},
    {"RecordsetToWordTable", "Method to move items in a recordset to a Word table."},
    {"DatabaseTableToTextFile", "Method to move items from a database table to a text file."},
    {"DataGridToArray", "Method to move items from a DataGrid control to an array."},
    {"DataGridToWordTable", "Method to move items from a DataGrid control to a Word table."},
    {"XMLFileToTreeView", "Method to copy items from a XML file to a TreeView control."},
    {"DownloadFile", "Method to download a file from a remote host."},
    {"UploadFile", "Method to copy a local file to a remote host."},
    {"TextFileToArray", "Method to move the contents of a text file to an array."},
    {"TextFileToOneDArray", "Method to move the contents of a text file to a one dimensional array."},
    {"ListViewToWordTable", "Method to move items in a ListView control to a Word table."},
    {"OneDArrayToWordTable", "Method to move items in a one dimensional array to a Word table."},
    {"OneDArrayToHTMLFile", "Method to move items from a one dimensional array to an HTML table and create an HTML file."},
    {"OneDArrayToHTMLTable", "Method to move items from a one dimensional array to an HTML table."},
    {"TwoDArrayToHTMLTable", "Method to move items from a two dimensional array to an HTML table."},
    {"TwoDArrayToHTMLFile", "Method to move items from a two dimensional array to an HTML table and create an HTML file."},
    {"TwoDArrayToWordTable", "Method to move items in a two dimensional array to a Word table."},
    {"TwoDArrayToText", "Method to move items in a two dimensional array to a string variable."},
    {"TwoDArrayToTextFile", "Method to copy items from a two dimensional array to a text file."},
    {"OneDArrayToTextFile", "Method to move items from a one dimensional array to a text file."},
    {"OneDArrayToText", "Method to move items in a one dimensional array to a string variable."},
    {"FlexGridToArray", "Method to move items from a FlexGrid control to an array."},
    {"HFlexGridToArray", "Method to move items from a HFlexGrid control to an array."},
    {"FlexGridToWordTable", "Method to move items from a FlexGrid control to a Word table."},
    {"HFlexGridToWordTable", "Method to move items from a HFlexGrid control to a Word table."},
    {"MultiLineTextToOneDArray", "Method to move multiple line text to a one dimensional array."},
    {"SortTwoDArray", "Method to sort a two dimensional array."},
};

} // namespace

QString methodHelp(const char* name)
{
    for (const Help& h : kHelp)
        if (std::strcmp(h.method, name) == 0)
            return QString::fromLatin1(h.text);
    return {};
}

} // namespace tovu::control
