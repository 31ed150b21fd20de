#include "platform/zip/CompressedPart.h"

#include "platform/zip/ZipError.h"

#include <zlib.h>

#include <algorithm>

namespace tovu::platform::zip {

namespace {

constexpr int kRawDeflate = -15;  // window bits of a raw stream, as zip entries hold it
constexpr int kChunk = 64 * 1024;

void initDeflate(z_stream& z)
{
    z = z_stream{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kRawDeflate, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw ZipError(QStringLiteral("cannot start compressing a part"));
}

// Feeds data through the stream, appending what comes out; Z_FINISH ends the stream.
void pump(z_stream& z, QByteArrayView data, int flush, QByteArray& out)
{
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    for (;;) {
        const qsizetype before = out.size();
        out.resize(before + kChunk);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + before);
        z.avail_out = kChunk;
        const int rc = deflate(&z, flush);
        out.resize(before + kChunk - static_cast<qsizetype>(z.avail_out));
        if (rc == Z_STREAM_END)
            return;
        if (rc != Z_OK && rc != Z_BUF_ERROR)
            throw ZipError(QStringLiteral("cannot compress a part"));
        if (flush == Z_NO_FLUSH && z.avail_in == 0 && z.avail_out > 0)
            return;
    }
}

quint32 crcOf(quint32 crc, QByteArrayView data)
{
    // zlib answers the initial value, not crc, for no data at all.
    if (data.isEmpty())
        return crc;
    return static_cast<quint32>(crc32_z(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<z_size_t>(data.size())));
}

}  // namespace

CompressedPart compressPart(QByteArrayView data)
{
    z_stream z;
    initDeflate(z);
    CompressedPart part;
    try {
        pump(z, data, Z_FINISH, part.deflated);
    } catch (...) {
        deflateEnd(&z);
        throw;
    }
    deflateEnd(&z);
    part.crc = crcOf(0, data);
    part.size = data.size();
    return part;
}

QByteArray inflatePart(const CompressedPart& part)
{
    z_stream z{};
    if (inflateInit2(&z, kRawDeflate) != Z_OK)
        throw ZipError(QStringLiteral("cannot start reading a part"));
    QByteArray out(part.size, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(part.deflated.constData()));
    z.avail_in = static_cast<uInt>(part.deflated.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    const bool whole = rc == Z_STREAM_END && z.avail_out == 0;
    inflateEnd(&z);
    if (!whole || crcOf(0, out) != part.crc)
        throw ZipError(QStringLiteral("a compressed part is damaged"));
    return out;
}

struct GrowingPart::Stream {
    z_stream z;
};

GrowingPart::GrowingPart() : stream_(std::make_unique<Stream>())
{
    initDeflate(stream_->z);
}

GrowingPart::~GrowingPart()
{
    deflateEnd(&stream_->z);
}

void GrowingPart::settle(QByteArrayView text)
{
    pump(stream_->z, text, Z_NO_FLUSH, deflated_);
    crc_ = crcOf(crc_, text);
    size_ += text.size();
}

CompressedPart GrowingPart::finish(QByteArrayView tail) const
{
    // A copy of the stream carries the input it still holds back; the original goes on
    // settling text for the next package.
    z_stream copy;
    if (deflateCopy(&copy, &stream_->z) != Z_OK)
        throw ZipError(QStringLiteral("cannot compress a part"));
    CompressedPart part{deflated_, 0, 0};
    try {
        pump(copy, tail, Z_FINISH, part.deflated);
    } catch (...) {
        deflateEnd(&copy);
        throw;
    }
    deflateEnd(&copy);
    part.crc = crcOf(crc_, tail);
    part.size = size_ + tail.size();
    return part;
}

}  // namespace tovu::platform::zip
