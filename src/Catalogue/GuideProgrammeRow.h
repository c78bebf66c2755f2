#pragma once

#include <QString>
#include <QStringView>

struct GuideProgramme;
class SqliteStatement;

// A programme as a row of the guide's table (epg_programmes, and the import's staging copy of
// it): the columns its writers fill, in the order they bind them.
namespace GuideProgrammeRow {

// The statement that writes one row, after `command` ("INSERT INTO staged_guide", "INSERT OR
// REPLACE INTO epg_programmes").
[[nodiscard]] QString insert(QStringView command);
// Binds the row of `programme` in `playlistID` to a statement made from insert().
void bind(SqliteStatement &statement, qint64 playlistID, const GuideProgramme &programme);

} // namespace GuideProgrammeRow
