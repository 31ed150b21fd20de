#pragma once
// The saved-items file (".dfd"): one record is a header line ("PS,n" for a panel,
// "AS,n" for an ALog) and its key,value lines in a fixed order; every line ends with
// CR LF; the text is in the ANSI code page (1252, or 1251 for Russian).
//
// Saving writes to a temporary file and renames it over the target. Loading reads
// into staging records and salvages every sound record of a damaged file; what it
// skipped is in the load report. Memory changes only when the staged load is accepted.

#include "app/items/ItemFileReader.h"
#include "app/items/ItemStore.h"
#include "platform/files/AtomicFile.h"
#include "platform/text/FieldText.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace tovu::items {

using platform::text::LineBuffer;  // the records are written into the shared line buffer

enum ItemKind : int { PanelKind = 0, ALogKind = 1 };  // any other kind writes no header

struct LoadResult {
    bool ok = false;  // the file was read and holds at least one record
    bool noRecords = false;  // the file was read but holds no record that could be taken
    QString file;
    QString reason;     // why nothing could be taken from the file
    LoadReport report;  // what was read and what was skipped
};

// ok only when the file was written whole and renamed into place.
using SaveResult = platform::files::WriteResult;

// Appends the lines of one record, numbered `number` in its header.
void WriteItemRecord(const DFDRecord& record, int number, int kind, LineBuffer& out);
// The record at `index` of WorkItems, numbered by that index (std::out_of_range outside).
void WriteItemRecord(const ItemStore& store, int index, int kind, LineBuffer& out);

// A file read into staging records laid out like WorkItems, not yet in memory.
struct StagedLoad {
    LoadResult result;
    std::vector<DFDRecord> records;
};

// What the records not in the file hold: what WorkItems holds, or the reset records
// of the Open command. Record 0 is always WorkItems' own.
enum class StagingBase { WorkItems, ResetRecords };

StagedLoad ReadItemsFile(const ItemStore& store, const QString& path, int codePage, StagingBase base);

// The staged records replace WorkItems, are distributed into ALogs (1..MaxALogs) and
// Panels (MaxALogs + n to n), and FirmwareVersion becomes 0. Only for a staged load
// whose result is ok.
void AcceptLoad(ItemStore& store, StagedLoad&& staged);

// Read over the working records and accepted when it is ok, report or not.
LoadResult LoadItemsFile(ItemStore& store, const QString& path, int codePage);

// The same over the reset records of the Open command.
LoadResult OpenItemsFile(ItemStore& store, const QString& path, int codePage);

// The Save command's file: every panel in use in location order, then every ALog in
// use, each numbered by its location.
SaveResult SaveItemsFile(const ItemStore& store, const QString& path, int codePage);

// One record of WorkItems, with the header of its kind.
SaveResult SaveSingleItem(const ItemStore& store, int index, int kind, const QString& path,
                          int codePage);

} // namespace tovu::items
