#pragma once
// The saved-items file (".dfd"): one record is a header line ("PS,n" for a panel,
// "AS,n" for an ALog) and its key,value lines in a fixed order; every line ends with
// CR LF; the text is in the ANSI code page (1252, or 1251 for Russian).
//
// Saving writes to a temporary file and renames it over the target. Loading reads
// into a copy of the working records and replaces the arrays only when the whole file
// was read; a failure names the file, the line and the reason, and changes nothing.

#include "app/items/ItemStore.h"
#include "platform/text/FieldText.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace tovu::items {

using platform::text::LineBuffer;  // the records are written into the shared line buffer

enum ItemKind : int { PanelKind = 0, ALogKind = 1 };  // any other kind writes no header

struct LoadResult {
    bool ok = false;
    QString file;
    int line = 0;  // 1-based number of the line at fault; 0 when no line is to blame
    QString reason;
};

struct SaveResult {
    bool ok = false;
    QString file;
    QString reason;
};

// Appends the lines of one record, numbered `number` in its header.
void WriteItemRecord(const DFDRecord& record, int number, int kind, LineBuffer& out);
// The record at `index` of WorkItems, numbered by that index (std::out_of_range outside).
void WriteItemRecord(const ItemStore& store, int index, int kind, LineBuffer& out);

// Reads the lines of one file into a set of records laid out like WorkItems (ALogs at
// 1..maxALogs, panels after them). One reader serves one load: lines before the first
// header belong to no record and are skipped.
class ItemFileReader {
public:
    ItemFileReader(std::vector<DFDRecord>& records, int maxPanels, int maxALogs);

    // Stores one line (without its line end) into the current record. Nothing on
    // success, else the reason the line cannot be read.
    std::optional<QString> ParseItemLine(QStringView line);

    int currentIndex() const { return current_; }  // -1 before the first header

private:
    std::optional<QString> header(QStringView key, QStringView field, bool alog);

    std::vector<DFDRecord>& records_;
    int maxPanels_;
    int maxALogs_;
    int current_ = -1;
    std::vector<QStringView> fields_;  // reused from line to line
};

// Reads a saved-items file over the working records; on success they replace WorkItems,
// are distributed into ALogs (1..MaxALogs) and Panels (MaxALogs + n to n), and
// FirmwareVersion becomes 0. On failure nothing changes.
LoadResult LoadItemsFile(ItemStore& store, const QString& path, int codePage);

// The Open command as a whole: the working records reset as ClearDFDRecord does, then
// the file read over them. Unlike resetting first and loading after, a file that
// cannot be read leaves every record in memory as it was.
LoadResult OpenItemsFile(ItemStore& store, const QString& path, int codePage);

// The Save command's file: every panel in use in location order, then every ALog in
// use, each numbered by its location.
SaveResult SaveItemsFile(const ItemStore& store, const QString& path, int codePage);

// One record of WorkItems, with the header of its kind.
SaveResult SaveSingleItem(const ItemStore& store, int index, int kind, const QString& path,
                          int codePage);

// Writes bytes to path through a temporary file renamed into place.
SaveResult writeWholeFile(const QString& path, QByteArrayView bytes);

} // namespace tovu::items
