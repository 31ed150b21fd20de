#include "platform/metafile/EmfReader.h"

#include "platform/metafile/EmfWriter.h"

#include <QtEndian>
#include <set>

namespace tovu::platform::metafile {

namespace {
std::uint32_t at32(const QByteArray& b, qsizetype pos)
{
    return qFromLittleEndian<std::uint32_t>(b.constData() + pos);
}

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

QString utf16At(const QByteArray& b, qsizetype pos, qsizetype units)
{
    QString s;
    for (qsizetype i = 0; i < units && pos + 2 * i + 1 < b.size(); ++i)
        s.append(QChar(qFromLittleEndian<std::uint16_t>(b.constData() + pos + 2 * i)));
    return s;
}

// Handle rules: created into a free slot, selected or deleted only while alive.
bool checkHandles(const EmfDocument& doc, QString* error, int* left)
{
    std::set<std::uint32_t> alive;
    for (const EmfRecord& r : doc.records) {
        switch (r.type) {
        case EMR_CREATEPEN:
        case EMR_CREATEBRUSHINDIRECT:
        case EMR_EXTCREATEFONTINDIRECTW: {
            const std::uint32_t h = doc.u32(r, 8);
            if (h == 0 || h >= doc.header.handles)
                return fail(error, QStringLiteral("handle %1 outside the table").arg(h));
            if (!alive.insert(h).second)
                return fail(error, QStringLiteral("handle %1 created twice").arg(h));
            break;
        }
        case EMR_SELECTOBJECT: {
            const std::uint32_t h = doc.u32(r, 8);
            if (!(h & 0x80000000u) && !alive.count(h))
                return fail(error, QStringLiteral("handle %1 selected while not alive").arg(h));
            break;
        }
        case EMR_DELETEOBJECT: {
            const std::uint32_t h = doc.u32(r, 8);
            if (!alive.erase(h))
                return fail(error, QStringLiteral("handle %1 deleted while not alive").arg(h));
            break;
        }
        default:
            break;
        }
    }
    *left = static_cast<int>(alive.size());
    return true;
}
} // namespace

std::uint32_t EmfDocument::u32(const EmfRecord& r, int at) const
{
    if (at < 0 || at + 4 > static_cast<qsizetype>(r.size))
        return 0;
    return at32(bytes, r.offset + at);
}

QString EmfDocument::text(const EmfRecord& r) const
{
    if (r.type != EMR_EXTTEXTOUTW)
        return {};
    const std::uint32_t n = u32(r, 44);
    const std::uint32_t off = u32(r, 48);
    if (off + 2 * n > r.size)
        return {};
    return utf16At(bytes, r.offset + off, n);
}

QString EmfDocument::fontFace(const EmfRecord& r) const
{
    if (r.type != EMR_EXTCREATEFONTINDIRECTW || r.size < 12 + 92)
        return {};
    QString face = utf16At(bytes, r.offset + 12 + 28, 32);
    const qsizetype nul = face.indexOf(QChar(0));
    return nul < 0 ? face : face.left(nul);
}

int EmfDocument::count(std::uint32_t type) const
{
    int n = 0;
    for (const auto& r : records)
        n += r.type == type ? 1 : 0;
    return n;
}

std::optional<EmfDocument> readEmf(const QByteArray& bytes, QString* error)
{
    EmfDocument doc;
    doc.bytes = bytes;
    if (bytes.size() < 88)
        return fail(error, QStringLiteral("too short for a header")), std::nullopt;
    if (at32(bytes, 0) != EMR_HEADER)
        return fail(error, QStringLiteral("first record is not a header")), std::nullopt;
    if (at32(bytes, 40) != 0x464D4520)
        return fail(error, QStringLiteral("signature missing")), std::nullopt;
    EmfHeader& h = doc.header;
    for (int i = 0; i < 4; ++i) {
        h.bounds[i] = static_cast<std::int32_t>(at32(bytes, 8 + 4 * i));
        h.frame[i] = static_cast<std::int32_t>(at32(bytes, 24 + 4 * i));
    }
    h.bytes = at32(bytes, 48);
    h.records = at32(bytes, 52);
    h.handles = qFromLittleEndian<std::uint16_t>(bytes.constData() + 56);
    const std::uint32_t nDesc = at32(bytes, 60);
    const std::uint32_t offDesc = at32(bytes, 64);
    h.deviceWidth = static_cast<std::int32_t>(at32(bytes, 72));
    h.deviceHeight = static_cast<std::int32_t>(at32(bytes, 76));
    h.millimetresWidth = static_cast<std::int32_t>(at32(bytes, 80));
    h.millimetresHeight = static_cast<std::int32_t>(at32(bytes, 84));
    if (h.bytes != static_cast<std::uint32_t>(bytes.size()))
        return fail(error, QStringLiteral("header byte count %1, file %2").arg(h.bytes).arg(bytes.size())),
               std::nullopt;
    if (nDesc && offDesc + 2 * nDesc <= at32(bytes, 4)) {
        QString d = utf16At(bytes, offDesc, nDesc);
        while (d.endsWith(QChar(0)))
            d.chop(1);
        h.description = d.replace(QChar(0), QLatin1Char('|'));
    }

    qsizetype pos = 0;
    while (pos < bytes.size()) {
        if (pos + 8 > bytes.size())
            return fail(error, QStringLiteral("record header cut at %1").arg(pos)), std::nullopt;
        EmfRecord r{at32(bytes, pos), at32(bytes, pos + 4), pos};
        if (r.size < 8 || r.size % 4 != 0 || pos + r.size > bytes.size())
            return fail(error, QStringLiteral("record at %1 has size %2").arg(pos).arg(r.size)), std::nullopt;
        doc.records.push_back(r);
        pos += r.size;
        if (r.type == EMR_EOF && pos != bytes.size())
            return fail(error, QStringLiteral("bytes after the end record")), std::nullopt;
    }
    if (doc.records.back().type != EMR_EOF)
        return fail(error, QStringLiteral("no end record")), std::nullopt;
    if (doc.records.size() != h.records)
        return fail(error, QStringLiteral("header says %1 records, file holds %2")
                               .arg(h.records)
                               .arg(doc.records.size())),
               std::nullopt;
    if (!checkHandles(doc, error, &doc.handlesLeftUndeleted))
        return std::nullopt;
    return doc;
}

} // namespace tovu::platform::metafile
