// Starting playback: what a page has (a channel, a film, a series, an episode or a history row)
// becomes a playback target with its stream address, guide login and resume rule, and goes to the
// player. A title without an address is reported, never half-started.
#include "AppModel.h"

#include "App/EpisodeText.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Support/PrefKeys.h"
#include "Support/TitleText.h"
#include "Support/UserSettings.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// The caller's wish, and the user's setting, which is read only when the wish is there.
bool resumeAllowed(bool resume)
{
    return resume && Prefs::read(PrefKeys::resumePlayback);
}

// "1999 · Drama": the year in the title and the genre, each when present; empty with neither.
QString filmSubtitle(const MediaItem &item)
{
    QStringList parts;
    if (const std::optional<QString> year = TitleText::year(item.title))
        parts.append(*year);
    if (item.genre)
        parts.append(*item.genre);
    return parts.join(u" \u00B7 "_s);
}

} // namespace

void AppModel::play(const MediaItem &item, const QList<MediaItem> &channels, bool resume)
{
    const std::optional<QUrl> url = m_store.playbackURL(CatalogueItem::from(item), item.kind);
    if (!url) {
        toast(u"This title can't be played: the playlist login is unavailable."_s, ToastKind::Error);
        return;
    }
    PlaybackTarget target;
    target.url = *url;
    target.title = item.title;
    target.kind = item.kind;
    target.providerID = item.providerID;
    target.streamID = item.providerID;
    target.catalogueStore = &m_store;
    target.item = item;
    target.channels = channels;
    target.allowResume = resumeAllowed(resume);
    if (item.kind == CatalogueKind::Live) {
        // Live streams always play as HLS here, whatever format the addresses are built with.
        target.containerExtension = u"m3u8"_s;
        target.epgCredentials = m_store.credentialsForSelectedPlaylist();
        m_store.recordLivePlay(item);
        if (Prefs::read(PrefKeys::rememberLastChannel)) {
            const QString key = u"quillmere.lastChannel."_s + QString::number(m_store.activePlaylistID().value_or(0));
            UserSettings::setValue(key, item.providerID);
        }
    } else {
        target.containerExtension = item.containerExtension;
        target.subtitle = filmSubtitle(item);
    }
    m_playback.show(std::move(target));
}

void AppModel::play(const SeriesEpisode &episode, const MediaItem &series, const QList<SeriesEpisode> &episodes,
                    bool resume)
{
    CatalogueItem stream;
    stream.id = episode.providerID;
    stream.containerExtension = episode.containerExtension;
    const std::optional<QUrl> url = m_store.playbackURL(stream, CatalogueKind::Series);
    if (!url) {
        toast(u"This episode can't be played: the playlist login is unavailable."_s, ToastKind::Error);
        return;
    }
    PlaybackTarget target;
    target.url = *url;
    target.title = series.title;
    target.kind = CatalogueKind::Series;
    target.containerExtension = episode.containerExtension;
    target.subtitle = EpisodeText::label(episode);
    target.providerID = episode.providerID;
    target.catalogueStore = &m_store;
    // The favourite button of an episode marks its series.
    target.favouriteProviderID = series.providerID;
    target.item = series;
    target.episode = episode;
    target.episodes = episodes;
    target.allowResume = resumeAllowed(resume);
    m_playback.show(std::move(target));
}

void AppModel::resume(const LibraryEntry &entry)
{
    if (entry.episode) {
        resumeEpisode(QPointer(this), *entry.episode, entry.item);
        return;
    }
    if (entry.item.kind == CatalogueKind::Series) {
        // A series row without an episode has nothing to continue: its page offers the episodes.
        setDetail(entry.item);
        return;
    }
    play(entry.item, {}, true);
}

QCoro::Task<void> AppModel::resumeEpisode(QPointer<AppModel> self, SeriesEpisode episode, MediaItem series)
{
    QList<SeriesEpisode> episodes;
    try {
        episodes = co_await self->m_store.loadSeriesEpisodes(episode.seriesID, false);
    } catch (...) {
        // Without the list there is no next episode, but this one still plays.
        episodes = {episode};
    }
    if (self)
        self->play(episode, series, episodes, true);
}
