#pragma once
// The reader of saved-items files. It salvages what a damaged file still holds: a line
// or a record it cannot take is skipped and reported with its line number and reason,
// and reading goes on with the next line. It never mixes two records, never keeps a half
// read list, and never writes record 0 (the live settings).
//
// Lines: a file that holds CR LF anywhere is split at CR LF only (a lone CR or LF is
// part of a value); a file without CR LF is split at LF. A leading UTF-8 byte-order
// mark is skipped. Each line is scanned once, straight from the file's bytes.
//
// A cut file: the writer ends every line, so a last line without its line end was cut and
// is left out. A record the file ends in before its last always-written line (ME) lost its
// later lines. Both are reported, naming the record and the first line it lacks. The DAC
// and TCG points are present only when their list was read whole with at least one point.

#include "app/items/DFDRecord.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tovu::items {

enum class SkipReason {
    BeforeFirstHeader,  // lines before the first usable record header
    BadHeader,          // header number not a whole number 1..limit: the record is refused
    DuplicateRecord,    // a second header for a record already read: the second is refused
    UnknownKey,         // a line whose key no record field has
    BadList,            // a list line short, or with a value that is no (16-bit) number
    ModelOutOfTable,    // a model code outside the model table, read as 0
    BadNumber,          // a number field (MF) that holds no number, read as 0
    CutItem,            // the file ends inside a record: its lines from `detail` on are missing
    CutLine,            // the file ends inside a line outside any record: the line is left out
};

// One run of lines skipped for one reason (firstLine == lastLine for a single line).
struct SkippedLines {
    int firstLine = 0;
    int lastLine = 0;
    SkipReason reason = SkipReason::UnknownKey;
    QString detail;  // the header, key or value at fault, cut short
    int limit = 0;   // BadHeader: the highest number the header may hold
    int item = 0;    // CutItem: the record's number, an ALog's or a panel's
    bool alog = false;
};

struct LoadReport {
    static constexpr std::size_t kMaxEntries = 1000;  // a hostile file cannot grow it further

    std::vector<SkippedLines> entries;  // the first kMaxEntries, in file order
    int notListed = 0;                  // entries beyond those
    int recordsRead = 0;

    bool empty() const { return entries.empty() && notListed == 0; }
    int count() const { return static_cast<int>(entries.size()) + notListed; }
};

// The number of DAC or TCG points a count text stands for, 0 to 10: the writer writes
// this many and the reader reads this many.
int pointCountOf(const QString& countText);

class ItemFileReader {
public:
    // records is laid out like WorkItems: ALogs at 1..maxALogs, panels after them.
    ItemFileReader(std::vector<DFDRecord>& records, int maxPanels, int maxALogs, int codePage);

    // Reads a whole file's bytes, line by line; the file ends with them.
    void readAll(QByteArrayView bytes);
    // Stores one line (without its line end), numbered lineNo in the report.
    void ParseItemLine(QByteArrayView line, int lineNo);
    // The file ends inside the line lineNo (it had no line end): the line is left out.
    void cutLine(QByteArrayView line, int lineNo);
    // Reports what the file's end cut from the record being read, closes a run of skipped
    // lines still open and hands the report over.
    LoadReport finish();

    int currentIndex() const { return current_; }  // -1 when no record is being read

private:
    void header(QByteArrayView key, QByteArrayView field, bool alog, int lineNo);
    void skipLine(int lineNo, SkipReason reason, QByteArrayView detail);
    void openRun(int lineNo, SkipReason reason, QString detail, int limit);
    void closeRun();
    void addEntry(SkippedLines entry);
    void reportCut();
    QString text(QByteArrayView bytes);

    std::vector<DFDRecord>& records_;
    int maxPanels_;
    int maxALogs_;
    int codePage_;
    int current_ = -1;
    std::vector<bool> readInThisFile_;
    LoadReport report_;
    bool runOpen_ = false;  // lines are being skipped until the next header
    SkippedLines run_;
    bool headerSeen_ = false;
    int lastLine_ = 0;        // the number of the last line seen
    int position_ = -1;       // the writing-order place of the current record's last line
    int cutLine_ = 0;         // the line the file ends inside, 0 when it ends with a line end
    QString cutKey_;          // that line's key
    std::array<std::int16_t, 2 * kCurveLength> scratch_{};  // a list is read here first
    std::unordered_map<std::uint64_t, QString> shortTexts_;  // "1", "0", "10.0" shared
};

} // namespace tovu::items
