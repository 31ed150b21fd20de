#pragma once

#include "platform/zip/CompressedPart.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct zip;
struct zip_source;

namespace tovu::platform::zip {

// Builds a zip package in memory (the caller writes the bytes out atomically). Entries
// keep the order they are added in. Throws ZipError.
class ZipWriter {
public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    void add(const QString& name, const QByteArray& data) { add(name, compressPart(data)); }
    // A part compressed earlier goes in as it is.
    void add(const QString& name, const CompressedPart& part);
    // Closes the archive and hands out its bytes.
    QByteArray finish();

private:
    ::zip_source* source_ = nullptr;
    ::zip* archive_ = nullptr;
};

// Reads the entries of a zip package held in memory. Throws ZipError.
class ZipReader {
public:
    // A part larger than this is refused rather than unpacked (a damaged or hostile
    // package can claim any size).
    static constexpr qint64 kDefaultMaxPartSize = 256 * 1024 * 1024;

    // Fails when the bytes are not a zip archive.
    explicit ZipReader(QByteArray data, qint64 maxPartSize = kDefaultMaxPartSize);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    const QStringList& names() const { return names_; }
    bool contains(const QString& name) const { return names_.contains(name); }
    // Fails for a missing, oversized or damaged entry.
    QByteArray read(const QString& name) const;

private:
    QByteArray data_;
    qint64 maxPartSize_;
    ::zip* archive_ = nullptr;
    QStringList names_;
};

}  // namespace tovu::platform::zip
