#include "platform/office/word/ZipArchive.h"

#include "platform/office/word/WordError.h"

#include <zip.h>

namespace tovu::platform::word {

namespace {
[[noreturn]] void fail(const char* what)
{
    throw WordError(QStringLiteral("Zip"), QLatin1String(what));
}
}  // namespace

ZipWriter::ZipWriter()
{
    zip_error_t error;
    zip_error_init(&error);
    source_ = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!source_)
        fail("cannot create the package buffer");
    archive_ = zip_open_from_source(source_, ZIP_TRUNCATE, &error);
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

void ZipWriter::add(const QString& name, const QByteArray& data)
{
    keep_.push_back(data);
    const QByteArray& kept = keep_.back();
    zip_source_t* s = zip_source_buffer(archive_, kept.constData(), static_cast<zip_uint64_t>(kept.size()), 0);
    if (!s)
        fail("cannot add a part");
    const zip_int64_t index = zip_file_add(archive_, name.toUtf8().constData(), s, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(s);
        fail("cannot add a part");
    }
    zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
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
    if (!source)
        fail("cannot read the package");
    archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive_) {
        zip_source_free(source);
        fail("the file is not a document package");
    }
    const zip_int64_t n = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < n; ++i)
        if (const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0))
            names_ << QString::fromUtf8(name);
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
        throw WordError(QStringLiteral("Zip"), QStringLiteral("the package has no part \"%1\"").arg(name));
    if (st.size > static_cast<zip_uint64_t>(maxPartSize_))
        throw WordError(QStringLiteral("Zip"), QStringLiteral("the part \"%1\" is too large").arg(name));
    zip_file_t* f = zip_fopen(archive_, n.constData(), 0);
    if (!f)
        throw WordError(QStringLiteral("Zip"), QStringLiteral("cannot open the part \"%1\"").arg(name));
    QByteArray out;
    out.resize(static_cast<qsizetype>(st.size));
    const zip_int64_t got = zip_fread(f, out.data(), st.size);
    zip_fclose(f);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size)
        throw WordError(QStringLiteral("Zip"), QStringLiteral("the part \"%1\" is damaged").arg(name));
    return out;
}

}  // namespace tovu::platform::word
