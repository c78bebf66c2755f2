#include "GuideLinks.h"

#include "GuideMatching.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueModels.h"
#include "Catalogue/SqliteRow.h"
#include "Catalogue/SqliteStatement.h"

#include <QList>
#include <QStringList>

#include <sqlite3.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

SqliteStatement prepared(CatalogueDatabase &database, const QString &sql)
{
    SqliteStatement statement(database.handle(), sql);
    if (!statement)
        throw database.error();
    return statement;
}

// Steps the statement through its rows; a failing step throws the connection's error.
template<typename Visit>
void forEachRow(CatalogueDatabase &database, SqliteStatement &statement, Visit visit)
{
    int result = SQLITE_ROW;
    while ((result = statement.step()) == SQLITE_ROW)
        visit(statement.row());
    if (result != SQLITE_DONE)
        throw database.error();
}

QStringList guideChannels(CatalogueDatabase &database, qint64 playlistID)
{
    SqliteStatement channels = prepared(database, u"SELECT DISTINCT channel_id FROM epg_programmes WHERE playlist_id=?"_s);
    channels.bind(1, playlistID);
    QStringList channelIDs;
    forEachRow(database, channels, [&channelIDs](const SqliteRow &row) {
        if (const std::optional<QString> channelID = row.text(0))
            channelIDs.append(*channelID);
    });
    return channelIDs;
}

// Pairs of a channel's provider id and the guide channel its title fits.
QList<std::pair<QString, QString>> titleMatches(CatalogueDatabase &database, qint64 playlistID,
                                                const GuideMatching &matching)
{
    SqliteStatement candidates = prepared(
        database, u"SELECT provider_id,title FROM content_items WHERE playlist_id=? AND kind='live' AND "
                  "(epg_channel_key IS NULL OR epg_channel_key='' OR epg_channel_key=lower(trim(provider_id)))"_s);
    candidates.bind(1, playlistID);
    QList<std::pair<QString, QString>> links;
    forEachRow(database, candidates, [&links, &matching](const SqliteRow &row) {
        const std::optional<QString> providerID = row.text(0);
        const std::optional<QString> title = row.text(1);
        if (!providerID || !title)
            return;
        if (const std::optional<QString> guideChannel = matching.match(*title))
            links.append({*providerID, *guideChannel});
    });
    return links;
}

} // namespace

namespace GuideLinks {

int relink(CatalogueDatabase &database, qint64 playlistID)
{
    const QStringList channelIDs = guideChannels(database, playlistID);
    // Without a guide nothing can match.
    if (channelIDs.isEmpty())
        return 0;
    const QList<std::pair<QString, QString>> links = titleMatches(database, playlistID, GuideMatching(channelIDs));
    if (links.isEmpty())
        return 0;
    SqliteStatement update = prepared(database, u"UPDATE content_items SET epg_channel_id=?,epg_channel_key=? WHERE "
                                                "playlist_id=? AND kind='live' AND provider_id=?"_s);
    for (const auto &[providerID, guideChannel] : links) {
        update.reset();
        update.bind(1, guideChannel);
        update.bind(2, guideChannelKey(guideChannel));
        update.bind(3, playlistID);
        update.bind(4, providerID);
        if (update.step() != SQLITE_DONE)
            throw database.error();
    }
    return int(links.size());
}

} // namespace GuideLinks
