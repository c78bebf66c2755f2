// The imported guide (one guide import per playlist, joined by later callers) and the
// provider's short guide, kept in the database for the channel it was asked for.
#include "CatalogueStore.h"

#include "Catalogue/GuideProgrammeRow.h"
#include "Provider/GuideImporter.h"
#include "Provider/XtreamClient.h"
#include "Support/Async.h"
#include "Support/Clock.h"

#include <QPointer>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

QCoro::Task<int> CatalogueStore::refreshGuide(qint64 playlistID, XtreamCredentials credentials)
{
    if (m_guideTasks.contains(playlistID)) {
        const Job<int> running = m_guideTasks.value(playlistID);
        const int joined = co_await running.value();
        co_return joined;
    }
    QPointer<CatalogueStore> self(this);
    const QDateTime now = m_clock.now();
    updateHealth(playlistID, [now](SourceHealth &health) {
        health.guideAttempt = now;
        health.guideError.reset();
        health.guideInProgress = true;
    });
    const QString path = m_databasePath;
    const Clock *clock = &m_clock;
    const Job<int> job = Job<int>::start([path, playlistID, credentials, clock](std::stop_token stop) -> QCoro::Task<int> {
        GuideImporter importer(playlistID, credentials, path, *clock);
        const int count = co_await importer.run(stop);
        co_return count;
    });
    m_guideTasks.insert(playlistID, job);
    Q_EMIT refreshingChanged();

    std::exception_ptr failure;
    int count = 0;
    try {
        count = co_await job.value();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self) {
        if (failure)
            std::rethrow_exception(failure);
        co_return count;
    }
    if (failure) {
        const QString sentence = job.isCancelled() ? u"Guide refresh cancelled. The previous guide has been kept."_s
                                                   : safeError(failure);
        updateHealth(playlistID, [sentence](SourceHealth &health) { health.guideError = sentence; });
        endGuideRefresh(playlistID);
        std::rethrow_exception(failure);
    }
    const QDateTime finished = m_clock.now();
    updateHealth(playlistID, [finished, count](SourceHealth &health) {
        health.lastGuideSuccess = finished;
        health.guideError.reset();
        health.guideProgrammeCount = count;
    });
    bumpCatalogueRevision();
    endGuideRefresh(playlistID);
    co_return count;
}

void CatalogueStore::endGuideRefresh(qint64 playlistID)
{
    m_guideTasks.remove(playlistID);
    Q_EMIT refreshingChanged();
    updateHealth(playlistID, [](SourceHealth &health) { health.guideInProgress = false; });
}

QCoro::Task<QList<LiveProgramme>> CatalogueStore::fetchShortEPG(QString streamID,
                                                                  std::optional<QString> fallbackStreamID,
                                                                  std::stop_token stop)
{
    const std::optional<qint64> playlistID = activePlaylistID();
    if (!playlistID)
        co_return {};
    const std::optional<XtreamCredentials> login = credentialsForSelectedPlaylist();
    if (!login)
        co_return {};
    // A blank guide id is no id: it must never become the key programmes are stored under.
    if (fallbackStreamID && fallbackStreamID->trimmed().isEmpty())
        fallbackStreamID.reset();

    QPointer<CatalogueStore> self(this);
    const XtreamClient client(*login);
    const auto ask = [client, stop](QString id) -> QCoro::Task<QList<LiveProgramme>> {
        try {
            QList<LiveProgramme> answer = co_await Async::detached([client, id, stop] {
                return client.fetchShortEPG(id, 24, stop);
            });
            co_return answer;
        } catch (...) {
            co_return {};
        }
    };
    QList<LiveProgramme> programmes = co_await ask(streamID);
    if (programmes.isEmpty() && fallbackStreamID && fallbackStreamID->compare(streamID, Qt::CaseInsensitive) != 0) {
        QList<LiveProgramme> alternative = co_await ask(*fallbackStreamID);
        programmes = std::move(alternative);
    }
    if (!self || stop.stop_requested() || programmes.isEmpty())
        co_return {};

    QString channelID = fallbackStreamID.value_or(streamID);
    const auto withChannel = std::find_if(programmes.cbegin(), programmes.cend(), [](const LiveProgramme &programme) {
        return programme.channelID && !programme.channelID->isEmpty();
    });
    if (withChannel != programmes.cend())
        channelID = *withChannel->channelID;
    rememberEPGChannelID(streamID, channelID, *playlistID);
    QList<GuideProgramme> rows;
    rows.reserve(programmes.size());
    for (const LiveProgramme &programme : std::as_const(programmes))
        rows.append({channelID, programme.title, programme.description, programme.start, programme.end});
    insertGuideProgrammes(rows, *playlistID);
    co_return programmes;
}

void CatalogueStore::rememberEPGChannelID(const QString &providerID, const QString &channelID,
                                          std::optional<qint64> playlistID)
{
    const std::optional<qint64> target = playlistID ? playlistID : activePlaylistID();
    if (!target || providerID.trimmed().isEmpty() || channelID.trimmed().isEmpty())
        return;
    SqliteStatement statement = prepare(
        u"UPDATE content_items SET epg_channel_id = ?, epg_channel_key = ? WHERE playlist_id = ? AND kind = 'live' AND provider_id = ?"_s);
    if (!statement)
        return;
    const QString key = guideChannelKey(channelID);
    statement.bind(1, key);
    statement.bind(2, key);
    statement.bind(3, *target);
    statement.bind(4, providerID);
    checkWrite(statement);
}

void CatalogueStore::insertGuideProgrammes(const QList<GuideProgramme> &programmes, qint64 playlistID)
{
    if (programmes.isEmpty())
        return;
    SqliteStatement statement = prepare(GuideProgrammeRow::insert(u"INSERT OR REPLACE INTO epg_programmes"));
    if (!statement)
        return;
    execute(u"BEGIN IMMEDIATE TRANSACTION;"_s);
    for (const GuideProgramme &programme : programmes) {
        statement.reset();
        GuideProgrammeRow::bind(statement, playlistID, programme);
        checkWrite(statement);
    }
    execute(u"COMMIT;"_s);
}
