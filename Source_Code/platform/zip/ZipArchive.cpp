#include "platform/zip/ZipArchive.h"

#include "platform/zip/PartNames.h"
#include "platform/zip/ZipError.h"

#include <zip.h>

#include <cstring>

namespace tovu::platform::zip {

namespace {

[[noreturn]] void fail(const char* what)
{
    throw ZipError(QLatin1String(what));
}

// A libzip source that hands out a part already deflated, with its size and CRC: libzip
// copies such data into the package without compressing it again.
struct DeflatedSource {
    CompressedPart part;
    qsizetype offset = 0;
    zip_error_t error;
};

zip_int64_t deflatedSource(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* s = static_cast<DeflatedSource*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN: s->offset = 0; return 0;
    case ZIP_SOURCE_READ: {
        const auto n = static_cast<qsizetype>(std::min<zip_uint64_t>(length, static_cast<zip_uint64_t>(s->part.deflated.size() - s->offset)));
        std::memcpy(data, s->part.deflated.constData() + s->offset, static_cast<std::size_t>(n));
        s->offset += n;
        return n;
    }
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = static_cast<zip_uint64_t>(s->part.size);
        st->comp_size = static_cast<zip_uint64_t>(s->part.deflated.size());
        st->comp_method = ZIP_CM_DEFLATE;
        st->crc = s->part.crc;
        st->encryption_method = ZIP_EM_NONE;
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR: return zip_error_to_data(&s->error, data, length);
    case ZIP_SOURCE_FREE: zip_error_fini(&s->error); delete s; return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default: zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0); return -1;
    }
}

}  // namespace

ZipWriter::ZipWriter()
{
    zip_error_t error;
    zip_error_init(&error);
    source_ = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!source_)
        fail("cannot create the package buffer");
    zip_error_init(&error);
    archive_ = zip_open_from_source(source_, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (!archive_) {
        zip_source_free(source_);
        source_ = nullptr;
        fail("cannot create the package");
    }
    zip_source_keep(source_);  // we read the bytes back after closing
}

ZipWriter::~ZipWriter()
{
    if (archive_)
        zip_discard(archive_);
    if (source_)
        zip_source_free(source_);
}

void ZipWriter::add(const QString& name, const CompressedPart& part)
{
    auto* state = new DeflatedSource{part, 0, {}};
    zip_error_init(&state->error);
    zip_source_t* s = zip_source_function(archive_, deflatedSource, state);
    if (!s) {
        zip_error_fini(&state->error);
        delete state;
        fail("cannot add a part");
    }
    if (zip_file_add(archive_, name.toUtf8().constData(), s, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(s);
        fail("cannot add a part");
    }
}

QByteArray ZipWriter::finish()
{
    if (zip_close(archive_) != 0)
        fail("cannot write the package");
    archive_ = nullptr;
    QByteArray out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(source_, &st) != 0 || zip_source_open(source_) != 0)
        fail("cannot read the package back");
    out.resize(static_cast<qsizetype>(st.size));
    const zip_int64_t n = zip_source_read(source_, out.data(), st.size);
    zip_source_close(source_);
    if (n < 0 || static_cast<zip_uint64_t>(n) != st.size)
        fail("cannot read the package back");
    return out;
}

ZipReader::ZipReader(QByteArray data, qint64 maxPartSize) : data_(std::move(data)), maxPartSize_(maxPartSize)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(data_.constData(), static_cast<zip_uint64_t>(data_.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        fail("cannot read the package");
    }
    archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    if (!archive_) {
        zip_source_free(source);
        fail("the file is not a document package");
    }
    const zip_int64_t n = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < n; ++i)
        if (const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0))
            names_ << QString::fromUtf8(name);
    // Such an entry would be carried into the packages saved from this one.
    for (const QString& name : names_)
        if (!staysInsidePackage(name)) {
            zip_discard(archive_);
            archive_ = nullptr;
            throw ZipError(QStringLiteral("the package holds the entry \"%1\", which lies outside it").arg(name));
        }
}

ZipReader::~ZipReader()
{
    if (archive_)
        zip_discard(archive_);
}

QByteArray ZipReader::read(const QString& name) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    const QByteArray n = name.toUtf8();
    if (zip_stat(archive_, n.constData(), 0, &st) != 0)
        throw ZipError(QStringLiteral("the package has no part \"%1\"").arg(name));
    if (st.size > static_cast<zip_uint64_t>(maxPartSize_))
        throw ZipError(QStringLiteral("the part \"%1\" is too large").arg(name));
    zip_file_t* f = zip_fopen(archive_, n.constData(), 0);
    if (!f)
        throw ZipError(QStringLiteral("cannot open the part \"%1\"").arg(name));
    QByteArray out;
    out.resize(static_cast<qsizetype>(st.size));
    const zip_int64_t got = zip_fread(f, out.data(), st.size);
    zip_fclose(f);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size)
        throw ZipError(QStringLiteral("the part \"%1\" is damaged").arg(name));
    return out;
}

}  // namespace tovu::platform::zip
