#include "GuideProgrammeRow.h"

#include "CatalogueModels.h"
#include "SqliteStatement.h"
#include "Support/EpochSeconds.h"

using namespace Qt::StringLiterals;

namespace GuideProgrammeRow {

QString insert(QStringView command)
{
    return command
        + u" (playlist_id, channel_id, channel_key, title, description, starts_at, ends_at) VALUES (?, ?, ?, ?, ?, ?, ?)"_s;
}

void bind(SqliteStatement &statement, qint64 playlistID, const GuideProgramme &programme)
{
    statement.bind(1, playlistID);
    statement.bind(2, programme.channelID);
    statement.bind(3, guideChannelKey(programme.channelID));
    statement.bind(4, programme.title);
    statement.bind(5, programme.description);
    statement.bind(6, epochSeconds(programme.start));
    statement.bind(7, epochSeconds(programme.end));
}

} // namespace GuideProgrammeRow
