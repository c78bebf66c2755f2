#include "GuideProgrammeFetcher.h"

#include "App/GuideState.h"
#include "Catalogue/CataloguePageReader.h"
#include "GuideGeometry.h"
#include "Store/CatalogueStore.h"
#include "Support/Logging.h"

GuideProgrammeFetcher::GuideProgrammeFetcher(GuideState &state, CatalogueStore &store, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_store(store)
{
    connect(&m_state, &GuideState::cacheChanged, this, [this] {
        ++m_generation;
        startPump();
    });
}

GuideProgrammeFetcher::~GuideProgrammeFetcher()
{
    m_pump.cancel();
}

void GuideProgrammeFetcher::want(const Request &request)
{
    if (m_wantCounts[request.cacheKey]++ == 0)
        m_wanted.insert(request.cacheKey, request);
    // Also for a key in the cache, so that rows shown from the cache settle too.
    startPump();
}

void GuideProgrammeFetcher::release(const QString &cacheKey)
{
    const auto count = m_wantCounts.find(cacheKey);
    if (count == m_wantCounts.end())
        return;
    if (--*count == 0) {
        m_wantCounts.erase(count);
        m_wanted.remove(cacheKey);
    }
}

QList<GuideProgrammeFetcher::Request> GuideProgrammeFetcher::nextBatch() const
{
    QList<Request> batch;
    for (const Request &request : m_wanted) {
        if (m_state.cache().contains(request.cacheKey))
            continue;
        // One day per call, the day of the first row found.
        if (!batch.isEmpty() && request.dayStart != batch.first().dayStart)
            continue;
        batch.append(request);
        if (batch.size() == batchSize)
            break;
    }
    return batch;
}

void GuideProgrammeFetcher::startPump()
{
    // The pump begins on the next turn of the event loop, so the rows a view creates in one frame
    // are read together.
    if (m_pumping)
        return;
    m_pumping = true;
    m_pump = Job<void>::start([self = QPointer(this)](std::stop_token stop) { return pump(self, stop); });
}

QCoro::Task<void> GuideProgrammeFetcher::pump(QPointer<GuideProgrammeFetcher> self, std::stop_token stop)
{
    while (self && !stop.stop_requested()) {
        const QList<Request> batch = self->nextBatch();
        if (batch.isEmpty()) {
            // Before telling, so that a row made in answer starts a new pump.
            self->m_pumping = false;
            Q_EMIT self->settled();
            co_return;
        }
        QStringList epgKeys;
        for (const Request &request : batch)
            epgKeys.append(request.epgKey);
        const int generation = self->m_generation;
        const std::optional<qint64> playlistID = self->m_store.activePlaylistID();
        const QDateTime dayStart = batch.first().dayStart;
        QHash<QString, QList<GuideProgramme>> read;
        if (playlistID) {
            try {
                read = co_await self->m_store.pageReader().programmes(*playlistID, epgKeys, dayStart,
                                                                      GuideGeometry::dayEnd(dayStart));
            } catch (const std::exception &error) {
                // Optional content: rows whose read failed show that they have no guide, and are
                // not read again, so this is said once.
                qCWarning(lcCatalogue, "Guide programmes of %lld channels could not be read: %s",
                          qint64(epgKeys.size()), error.what());
            }
        }
        if (!self)
            co_return;
        self->store(generation, batch, read);
    }
}

void GuideProgrammeFetcher::store(int generation, const QList<Request> &batch,
                                  const QHash<QString, QList<GuideProgramme>> &read)
{
    // Reads begun before the cache was emptied belong to another catalogue or day.
    if (generation != m_generation)
        return;
    for (const Request &request : batch)
        m_state.storeProgrammes(request.cacheKey, read.value(request.epgKey));
}
