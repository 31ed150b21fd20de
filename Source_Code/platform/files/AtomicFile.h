#pragma once
// A file written whole or not at all. The bytes go to a temporary file beside the target;
// every write is checked, the data is flushed to the disk, and only then is the temporary
// file renamed over the target. Any failure on the way removes the temporary file and
// leaves the target as it was, and the reason names the file in the user's words ("the
// disk is full", "permission denied").
//
// Writes go straight to the system, unbuffered: an error is seen by the write that meets
// it, never later by a close that nobody checks. The first open makes the process ignore
// SIGXFSZ (unless a handler is installed), so a file-size limit fails the write with EFBIG
// instead of ending the program.

#include <QByteArrayView>
#include <QString>

namespace tovu::platform::files {

struct WriteResult {
    bool ok = false;
    QString file;
    QString reason;  // empty when ok
    int error = 0;   // the system's error number of a failure, 0 when there was none
};

// Whether commit() waits for the data to reach the disk. Only a file that is rewritten
// at every drawing and can be drawn again skips it.
enum class Durability { Synced, Unsynced };

class AtomicFile {
public:
    explicit AtomicFile(QString path, Durability durability = Durability::Synced);
    ~AtomicFile();  // a file neither committed nor cancelled is cancelled
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false with the reason when it cannot be made.
    bool open();
    // Writes every byte or fails; after a failure the file is cancelled and every later
    // call fails with the first reason.
    bool write(QByteArrayView bytes);
    // Syncs, closes and renames over the target; true only once the rename happened.
    bool commit();
    // Removes the temporary file; the target stays as it was.
    void cancel();

    bool isOpen() const { return fd_ >= 0; }
    const WriteResult& result() const { return result_; }
    const QString& reason() const { return result_.reason; }
    const QString& fileName() const { return result_.file; }

private:
    bool fail(int error);

    QString target_;
    QString temp_;
    Durability durability_;
    int fd_ = -1;
    bool failed_ = false;
    WriteResult result_;
};

// The whole of bytes as the file at path.
WriteResult writeFileAtomically(const QString& path, QByteArrayView bytes,
                                Durability durability = Durability::Synced);

// Why writing file failed, for a system error number: "<file> could not be written: the
// disk is full".
QString writeFailureReason(const QString& file, int error);

} // namespace tovu::platform::files
