#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

namespace tovu::platform::zip {

// A part compressed once (raw deflate) with what a package entry records of it, so that
// it can be copied into any number of packages without being compressed again.
struct CompressedPart {
    QByteArray deflated;
    quint32 crc = 0;
    qint64 size = 0;  // uncompressed
};

CompressedPart compressPart(QByteArrayView data);
// The part's bytes again (for checks and tests); throws ZipError on damaged data.
QByteArray inflatePart(const CompressedPart& part);

// A part that grows between packages by text settled at its end (the body of a document
// that is saved again and again as it is written). Settled text is compressed once; each
// package then compresses only its unsettled tail.
class GrowingPart {
public:
    GrowingPart();
    ~GrowingPart();
    GrowingPart(const GrowingPart&) = delete;
    GrowingPart& operator=(const GrowingPart&) = delete;

    void settle(QByteArrayView text);
    qint64 settledSize() const { return size_; }
    // The settled text followed by tail, compressed; the settled state is left as it was.
    CompressedPart finish(QByteArrayView tail) const;

private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
    QByteArray deflated_;  // what the settled text has produced so far
    quint32 crc_ = 0;
    qint64 size_ = 0;
};

}  // namespace tovu::platform::zip
