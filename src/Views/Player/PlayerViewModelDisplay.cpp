// What the screen shows: each part read again when what it depends on changes, and the live
// channel's schedule, reloaded every minute while the screen lives.
#include "PlayerViewModel.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Playback/LiveEPGController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/Clock.h"
#include "Views/Player/PlayerChannels.h"
#include "Views/Player/PlayerProgramme.h"
#include "Views/Player/PlayerStatus.h"
#include "Views/Player/PlayerTransport.h"
#include "Views/Player/PlayerVolume.h"

#include <QPointer>

#include <chrono>

using namespace std::chrono_literals;

namespace {

constexpr auto scheduleInterval = 60s;
constexpr int scheduleLength = 4;

} // namespace

QCoro::Task<> PlayerViewModel::runSchedule(std::stop_token token)
{
    if (!isLive() || !m_target.item)
        co_return;
    const QPointer<PlayerViewModel> self(this);
    CatalogueStore *store = app()->store();
    const QString epgKey = m_target.item->epgKey;
    while (!token.stop_requested()) {
        QList<GuideProgramme> rows;
        if (m_guidePlaylistID) {
            try {
                rows = co_await store->pageReader().schedule(*m_guidePlaylistID, epgKey, m_clock->now(), scheduleLength);
            } catch (...) {
                // Optional: without the schedule the bar falls back to the short guide.
            }
            if (!self || token.stop_requested())
                co_return;
        }
        setSchedule(rows);
        (void)co_await m_clock->sleep(scheduleInterval, token);
        if (!self)
            co_return;
    }
}

void PlayerViewModel::setSchedule(const QList<GuideProgramme> &schedule)
{
    if (assignIfChanged(m_schedule, schedule))
        updateProgramme();
}

void PlayerViewModel::updateTransport()
{
    m_transport->update(m_controller, m_scrubbing);
}

void PlayerViewModel::updateStatus()
{
    m_status->update(m_controller);
}

void PlayerViewModel::updateVolume()
{
    m_volume->update(m_controller ? m_controller->player() : nullptr);
}

void PlayerViewModel::updateProgramme()
{
    if (m_shortEPG)
        m_programme->update(m_schedule, m_shortEPG->now(), m_shortEPG->next(), m_shortEPG->isLoading(), m_clock->now());
}

void PlayerViewModel::updateOsd()
{
    const bool shown = m_channels->isPanelShown() || !m_transport->isPlaying()
                       || (m_controller && m_controller->controlsVisible());
    if (!assignIfChanged(m_osd, shown))
        return;
    // The pointer hides with the controls until it moves, and shows again with them.
    setPointerHidden(!shown);
    Q_EMIT osdChanged();
}

void PlayerViewModel::updateAll()
{
    updateTransport();
    updateStatus();
    updateVolume();
    updateProgramme();
    updateOsd();
}

void PlayerViewModel::tick()
{
    updateStatus();
    updateProgramme();
    // The engine reports no change of its audio output, which comes some time after the picture.
    updateVolume();
}
