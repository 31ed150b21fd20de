#pragma once
// A single ALog's trace as a comma-separated file for spreadsheets or as a plain
// waveform text file for numerical tools. Both are in the ANSI code page with CR LF
// line ends. A record without a trace has nothing to write: no file is created.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"

#include <QByteArray>
#include <QString>

namespace tovu::items {

enum class ExportStatus { Written, NothingToWrite, Failed };

struct ExportResult {
    ExportStatus status = ExportStatus::Failed;
    QString file;
    QString reason;
};

// The CSV lines: Range and Delay under the labels of the item's model block, an empty
// line, "AScan,Min,Max" and samples 0 to 254.
QByteArray alogCsvBytes(const DFDRecord& record, const StringSource& strings, int codePage);
// The waveform lines: a header naming the item's number, range, velocity and gain, then
// the upper envelope, samples 0 to 254.
QByteArray alogMatlabBytes(const DFDRecord& record, int index, int codePage);

ExportResult ExportAlogCsv(const ItemStore& store, int index, const QString& path,
                           const StringSource& strings, int codePage);
ExportResult ExportAlogMatlab(const ItemStore& store, int index, const QString& path,
                              int codePage);

} // namespace tovu::items
