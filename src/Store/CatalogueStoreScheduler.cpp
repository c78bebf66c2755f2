// Automatic refresh: once a minute (and when the computer wakes), every playlist whose
// catalogue or guide is older than its interval is refreshed.
#include "CatalogueStore.h"

#include "Support/Clock.h"
#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"

#include <QPointer>

#include <limits>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// An interval in hours, at least one; absent or 0 gives the default. A damaged setting far
// beyond any interval means never, rather than overflowing the conversion.
qint64 intervalSeconds(const Pref<int> &setting)
{
    const std::optional<double> hours = UserSettings::number(setting.key.toString());
    if (!hours || *hours == 0)
        return qint64(setting.defaultValue) * 3600;
    constexpr qint64 never = std::numeric_limits<qint64>::max();
    const double seconds = std::max(*hours, 1.0) * 3600.0;
    return seconds < double(never) ? qint64(seconds) : never;
}

bool isDue(const std::optional<QDateTime> &attempt, const std::optional<QDateTime> &success, const QDateTime &now,
           qint64 interval)
{
    const std::optional<QDateTime> reference = attempt ? attempt : success;
    return !reference || reference->secsTo(now) >= interval;
}

} // namespace

void CatalogueStore::startRefreshScheduler()
{
    if (m_scheduler.isValid())
        return;
    m_scheduler = Job<void>::start([self = QPointer(this)](std::stop_token stop) -> QCoro::Task<void> {
        if (self)
            co_await self->schedulerLoop(stop);
    });
}

QCoro::Task<void> CatalogueStore::schedulerLoop(std::stop_token stop)
{
    QPointer<CatalogueStore> self(this);
    Clock &clock = m_clock;
    while (!stop.stop_requested()) {
        if (!self)
            co_return;
        refreshDueSources();
        const bool slept = co_await clock.sleep(60s, stop);
        if (!slept || !self)
            co_return;
    }
}

void CatalogueStore::refreshDueSources()
{
    const QList<Playlist> playlists = m_playlists;
    for (const Playlist &playlist : playlists) {
        const qint64 id = playlist.id;
        if (m_importTasks.contains(id) || m_guideTasks.contains(id) || m_sourceMutations.contains(id))
            continue;
        const SourceHealth health = m_health.value(id);
        const QDateTime now = m_clock.now();
        const qint64 catalogueInterval = intervalSeconds(PrefKeys::catalogueRefreshHours);
        const qint64 guideInterval = intervalSeconds(PrefKeys::guideRefreshHours);
        // A switch is off only when it holds the Boolean false.
        if (Prefs::read(PrefKeys::autoRefreshPlaylist)
            && isDue(health.catalogueAttempt, health.lastCatalogueSuccess, now, catalogueInterval)) {
            // The import refreshes the guide itself when it succeeds.
            startImport(playlist);
            continue;
        }
        if (Prefs::read(PrefKeys::autoRefreshEpg) && isDue(health.guideAttempt, health.lastGuideSuccess, now, guideInterval))
            refreshEPG(playlist);
    }
}
