#pragma once
// Reads an enhanced metafile back into its records and checks its structure: the
// header's signature and sizes, 4-byte aligned records that fill the file exactly, an
// end record last, and handles that are created once, used while alive and deleted.
// The clipboard copy checks the picture file with it before offering it.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tovu::platform::metafile {

struct EmfRecord {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    qsizetype offset = 0;  // from the start of the file
};

struct EmfHeader {
    std::int32_t bounds[4]{};
    std::int32_t frame[4]{};
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    QString description;  // terminators removed, parts joined by '|'
    std::int32_t deviceWidth = 0, deviceHeight = 0;
    std::int32_t millimetresWidth = 0, millimetresHeight = 0;
};

struct EmfDocument {
    EmfHeader header;
    std::vector<EmfRecord> records;  // the header record included
    int handlesLeftUndeleted = 0;
    QByteArray bytes;

    std::uint32_t u32(const EmfRecord& r, int at) const;  // a field of a record
    std::int32_t s32(const EmfRecord& r, int at) const { return static_cast<std::int32_t>(u32(r, at)); }
    // The UTF-16 text of an EXTTEXTOUTW record.
    QString text(const EmfRecord& r) const;
    // The face name of an EXTCREATEFONTINDIRECTW record.
    QString fontFace(const EmfRecord& r) const;
    int count(std::uint32_t type) const;
};

// The parsed document, or nothing with the reason in *error.
std::optional<EmfDocument> readEmf(const QByteArray& bytes, QString* error = nullptr);

} // namespace tovu::platform::metafile
