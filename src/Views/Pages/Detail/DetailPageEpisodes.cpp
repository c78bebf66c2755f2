// The series half of the detail page: the episode list and its load, the saved positions of the
// episodes, the season picker, and the episode rows' actions.
#include "DetailPageModel.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/GuardedJob.h"
#include "Support/Settled.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

void DetailPageModel::loadEpisodes(bool force)
{
    // At once, so that Refresh is disabled before the load has begun.
    setLoadingEpisodes(true);
    if (m_episodeError) {
        m_episodeError.reset();
        Q_EMIT episodesChanged();
    }
    m_episodeLoad.cancel();
    m_episodeLoad = startGuardedJob(this, [force](DetailPageModel &self, std::stop_token stop) {
        return runEpisodeLoad(QPointer(&self), force, std::move(stop));
    });
}

QCoro::Task<void> DetailPageModel::runEpisodeLoad(QPointer<DetailPageModel> self, bool force, std::stop_token stop)
{
    CatalogueStore &store = *self->app()->store();
    const Settled<QList<SeriesEpisode>> loaded =
        co_await settle(store.loadSeriesEpisodes(self->m_item->providerID, force, stop));
    if (!self || stop.stop_requested())
        co_return;
    if (loaded.error)
        self->m_episodeError = CatalogueStore::safeError(loaded.error);
    else
        self->m_episodes = *loaded.value;
    self->setLoadingEpisodes(false);
    self->episodesUpdated();
    self->reloadProgressIfNeeded();
    self->setReady();
}

void DetailPageModel::refreshEpisodes()
{
    if (isSeries() && !m_loadingEpisodes)
        loadEpisodes(true);
}

void DetailPageModel::setLoadingEpisodes(bool loading)
{
    if (assignIfChanged(m_loadingEpisodes, loading)) {
        Q_EMIT loadingEpisodesChanged();
        Q_EMIT episodesChanged();
    }
}

void DetailPageModel::reloadProgressIfNeeded()
{
    if (!isSeries() || m_episodes.isEmpty())
        return;
    const QString key = m_item->id() + u'|' + QString::number(app()->store()->libraryRevision()) + u'|'
        + QString::number(m_episodes.size());
    m_progressLoad.run(key, this, [](DetailPageModel &self, std::stop_token stop) {
        return loadProgress(QPointer(&self), std::move(stop));
    });
}

QCoro::Task<void> DetailPageModel::loadProgress(QPointer<DetailPageModel> self, std::stop_token stop)
{
    CatalogueStore &store = *self->app()->store();
    QStringList ids;
    for (const SeriesEpisode &episode : std::as_const(self->m_episodes))
        ids.append(episode.providerID);
    // One query for every episode of every season.
    const Settled<EpisodeChoice::ProgressMap> read =
        co_await settle(store.pageReader().episodeProgress(store.activePlaylistID(), ids));
    if (!self || stop.stop_requested())
        co_return;
    // Without positions the rows show no progress and the first episode is offered.
    self->m_progress = read.value.value_or(EpisodeChoice::ProgressMap());
    self->episodesUpdated();
}

std::optional<int> DetailPageModel::currentSeason() const
{
    return EpisodeChoice::currentSeason(m_season, m_episodes, m_progress);
}

void DetailPageModel::chooseSeason(int season)
{
    if (assignIfChanged(m_season, std::optional(season)))
        episodesUpdated();
}

void DetailPageModel::episodesUpdated()
{
    const std::optional<int> season = currentSeason();
    QList<EpisodeListModel::Row> rows;
    for (const SeriesEpisode &episode : std::as_const(m_episodes)) {
        if (episode.seasonNumber != season)
            continue;
        const auto found = m_progress.constFind(episode.providerID);
        rows.append({episode, found == m_progress.cend() ? std::nullopt : std::optional(*found), m_item->artworkURL});
    }
    m_rows.setRows(rows);
    Q_EMIT episodesChanged();
}

QString DetailPageModel::episodesMessage() const
{
    if (!m_episodes.isEmpty())
        return QString();
    if (m_episodeError)
        return *m_episodeError;
    return m_loadingEpisodes ? QString() : u"Your provider didn't list any episodes for this show."_s;
}

bool DetailPageModel::episodesMessageIsError() const
{
    return m_episodes.isEmpty() && m_episodeError.has_value();
}

QVariantList DetailPageModel::seasonChips() const
{
    const QList<int> seasons = EpisodeChoice::seasons(m_episodes);
    if (seasons.size() < 2)
        return {};
    const std::optional<int> current = currentSeason();
    QVariantList chips;
    for (const int season : seasons) {
        chips.append(QVariantMap{{u"number"_s, season},
                                 {u"title"_s, EpisodeChoice::seasonTitle(season)},
                                 {u"selected"_s, current == season}});
    }
    return chips;
}

const SeriesEpisode *DetailPageModel::episodeAt(int row) const
{
    if (row < 0 || row >= m_rows.rowCount())
        return nullptr;
    return &m_rows.rows().at(row).episode;
}

void DetailPageModel::playNextEpisode()
{
    if (const std::optional<qsizetype> next = EpisodeChoice::nextEpisode(m_episodes, m_progress); next && isSeries())
        app()->play(m_episodes.at(*next), *m_item, m_episodes, true);
}

void DetailPageModel::playEpisode(int row, bool resume)
{
    if (const SeriesEpisode *episode = episodeAt(row))
        app()->play(*episode, *m_item, m_episodes, resume);
}

void DetailPageModel::markUnwatched(int row)
{
    const SeriesEpisode *episode = episodeAt(row);
    if (!episode || !m_progress.contains(episode->providerID))
        return;
    // The store finishes the write even when this page closes; its revision reloads the rows.
    (void)app()->store()->removeFromHistory(episode->providerID, CatalogueKind::Series);
}
