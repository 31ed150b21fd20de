// What the database, recordset and XML table tests share: the ADO objects the control
// creates, recorded to see what it left open; a recordset on the run's data source
// "tovuparts" (set up once by the recordset table tests); and arrays and Word tables read
// back as rows of texts.
#pragma once

#include "control/Verbolt.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/SafeArray.h"
#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"
#include "platform/office/word/TableModel.h"

#include <gtest/gtest.h>
#include <vector>

namespace tovu::control::testing {

using Cells = std::vector<std::vector<QString>>;

struct RecordingAdo {
    std::vector<std::shared_ptr<platform::ado::Connection>> connections;
    std::vector<std::shared_ptr<platform::ado::Recordset>> recordsets;
    // The XML data source classes the recordsets take for installed.
    QStringList xmlDataSources = platform::ado::xmlDataSourceNames();

    Verbolt::ObjectCreator creator()
    {
        return [this](const QString& progId) -> platform::automation::DispatchRef {
            if (progId == QLatin1String("ADODB.Connection"))
                return connections.emplace_back(std::make_shared<platform::ado::Connection>());
            if (progId == QLatin1String("ADODB.Recordset")) {
                auto rs = recordsets.emplace_back(std::make_shared<platform::ado::Recordset>());
                rs->xmlDataSources = xmlDataSources;
                return rs;
            }
            throw platform::automation::AutomationError::standard(platform::automation::ErrorNumber::CannotCreateObject);
        };
    }
    bool allClosed() const
    {
        for (const auto& c : connections)
            if (c->isOpen())
                return false;
        for (const auto& r : recordsets)
            if (r->isOpen())
                return false;
        return true;
    }
};

// The query's recordset on the run's data source, on a cursor of the given location.
inline std::shared_ptr<platform::ado::Recordset> openParts(const QString& sql,
                                                           std::int32_t cursorLocation = platform::ado::adUseClient)
{
    auto connection = std::make_shared<platform::ado::Connection>();
    connection->open(QStringLiteral("DSN=tovuparts;UID=;PWD=;"));
    auto rs = std::make_shared<platform::ado::Recordset>();
    rs->cursorLocation = cursorLocation;
    rs->open(sql, platform::automation::Variant(platform::automation::DispatchRef(connection)),
             platform::ado::adOpenForwardOnly, 1);
    return rs;
}

// The cells of a two-dimensional array from 0, row by row; Null as "<Null>", Empty as "".
inline Cells arrayCells(const platform::automation::Variant& v)
{
    const platform::automation::SafeArray& a = v.array();
    EXPECT_EQ(a.dims(), 2);
    EXPECT_EQ(a.lbound(1), 0);
    EXPECT_EQ(a.lbound(2), 0);
    Cells cells;
    for (std::int32_t r = 0; r <= a.ubound(1); ++r) {
        cells.emplace_back();
        for (std::int32_t c = 0; c <= a.ubound(2); ++c) {
            const platform::automation::Variant& e = a.get({r, c});
            cells.back().push_back(e.isNull() ? QStringLiteral("<Null>") : e.toString());
        }
    }
    return cells;
}

// The texts of a Word table, row by row.
inline Cells tableCells(const platform::word::TableModel& t)
{
    Cells cells(static_cast<std::size_t>(t.rows));
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.columns; ++c)
            cells[static_cast<std::size_t>(r)].push_back(t.cell(r, c).text);
    return cells;
}

} // namespace tovu::control::testing
