// The guide page's channel loading, its load task and its clock.
#include "GuidePageModel.h"

#include "App/AppModel.h"
#include "App/GuideState.h"
#include "Catalogue/CataloguePageReader.h"
#include "GuideKeys.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"

using namespace std::chrono_literals;

namespace {

// A search lists at most this many channels; the full list is capped by the reader.
constexpr int searchLimit = 500;

} // namespace

QString GuidePageModel::taskKey() const
{
    const CatalogueStore &store = *app()->store();
    return GuideKeys::taskKey(store.activePlaylistID(), store.catalogueRevision(), store.categoryOrderRevision(),
                              m_state->scope(), m_state->query());
}

void GuidePageModel::followTaskKey()
{
    const QString key = taskKey();
    if (key == m_taskKey)
        return;
    m_taskKey = key;
    m_load.cancel();
    m_load = Job<void>::start([self = QPointer(this)](std::stop_token stop) { return loadChannels(self, stop); });
}

QCoro::Task<void> GuidePageModel::loadChannels(QPointer<GuidePageModel> self, std::stop_token stop)
{
    if (!self)
        co_return;
    AppModel &app = *self->app();
    GuideState &state = *self->m_state;
    CatalogueStore &store = *app.store();

    // The guide takes the live list's category once; from then on it keeps its own. Adopting it
    // changes the task key, and the load that this starts does the reading.
    if (!state.scope()) {
        state.setScope(app.live()->scope());
        if (stop.stop_requested())
            co_return;
    }
    const QString key = GuideKeys::loadedKey(store.activePlaylistID(), store.catalogueRevision(), state.scope(),
                                             state.query());
    if (key == state.loadedKey()) {
        self->m_channelsLoaded = true;
        self->markReadyWhenFilled();
        co_return;
    }
    // The category menu lists the live categories.
    if (app.live()->categories().isEmpty()) {
        co_await app.live()->refreshIfNeeded();
        if (!self || stop.stop_requested())
            co_return;
    }

    self->beginLoad();
    const std::optional<qint64> playlistID = store.activePlaylistID();
    const BrowseScope scope = state.scope().value_or(BrowseScope::all());
    const QString query = state.query();
    QList<MediaItem> channels;
    try {
        // A text of blanks is a search too.
        if (query.isEmpty())
            channels = co_await store.pageReader().channelQueue(playlistID, scope);
        else
            channels = co_await store.pageReader().browseItems(playlistID, CatalogueKind::Live, scope, query,
                                                               BrowseSort::Provider, searchLimit, 0);
    } catch (...) {
        // The empty state shows; the same key is not tried again until something changes.
    }
    if (!self)
        co_return;
    if (!stop.stop_requested()) {
        state.setChannels(channels);
        state.setCache({});
        state.setLoadedKey(key);
        self->m_channelsLoaded = true;
    }
    self->endLoad();
    self->markReadyWhenFilled();
}

void GuidePageModel::beginLoad()
{
    if (m_loadsRunning++ == 0) {
        Q_EMIT loadingChanged();
        Q_EMIT emptyStateChanged();
    }
}

void GuidePageModel::endLoad()
{
    if (--m_loadsRunning == 0) {
        Q_EMIT loadingChanged();
        Q_EMIT emptyStateChanged();
    }
}

void GuidePageModel::markReadyWhenFilled()
{
    // The page is ready once its channels are in and the rows on screen have their programmes.
    if (!m_channelsLoaded || isLoading())
        return;
    if (m_state->channels().isEmpty() || (m_fetcher->hasRows() && !m_fetcher->isReading()))
        setReady();
}

QCoro::Task<void> GuidePageModel::runClock(QPointer<GuidePageModel> self, std::stop_token stop)
{
    while (self && !stop.stop_requested()) {
        Clock &clock = self->app()->store()->clock();
        co_await clock.sleep(30s, stop);
        if (!self || stop.stop_requested())
            co_return;
        self->setNow(clock.now());
    }
}
