// What the screen shows: the values its layers and bars read, and the live channel's schedule,
// reloaded every minute while the screen lives.
#include "PlayerViewModel.h"

#include "App/AppModel.h"
#include "App/EpisodeText.h"
#include "Catalogue/CataloguePageReader.h"
#include "Playback/LiveEPGController.h"
#include "Playback/MediaEngine.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/PrefKeys.h"
#include "Support/TimeText.h"
#include "Support/TitleText.h"
#include "Views/Player/ProgrammeChoice.h"

#include <QPointer>

#include <algorithm>
#include <array>
#include <chrono>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto scheduleInterval = 60s;
constexpr int scheduleLength = 4;
// The seek steps that have an icon of their own.
constexpr std::array<int, 5> iconSteps{5, 15, 30, 45, 60};

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

QString PlayerViewModel::title() const
{
    return TitleText::isolated(m_target.title);
}

QUrl PlayerViewModel::logoUrl() const
{
    return hasLogo() ? m_target.item->artworkURL.value_or(QUrl()) : QUrl();
}

QString PlayerViewModel::channelNumber() const
{
    if (!isLive() || !m_target.item || !m_target.item->number)
        return {};
    return QString::number(*m_target.item->number);
}

QString PlayerViewModel::channelPosition() const
{
    if (!m_currentIndex || channelCount() < 2)
        return {};
    return QString::number(*m_currentIndex + 1) + u" of "_s + QString::number(channelCount());
}

QString PlayerViewModel::nextEpisodeLabel() const
{
    return m_nextEpisode ? EpisodeText::label(*m_nextEpisode) : QString();
}

bool PlayerViewModel::osd() const
{
    return m_showChannels || !isPlaying() || m_controller->controlsVisible();
}

bool PlayerViewModel::isPlaying() const
{
    return m_controller && m_controller->state() == PlayerState::Playing;
}

bool PlayerViewModel::isLoading() const
{
    return m_controller
           && (m_controller->state() == PlayerState::Initialized || m_controller->state() == PlayerState::Buffering);
}

bool PlayerViewModel::hasFailed() const
{
    return m_controller && m_controller->state() == PlayerState::Error;
}

std::optional<GuideProgramme> PlayerViewModel::nowProgramme() const
{
    if (!m_clock || !m_shortEPG)
        return std::nullopt;
    return ProgrammeChoice::onNow(m_schedule, m_shortEPG->now(), m_clock->now());
}

std::optional<GuideProgramme> PlayerViewModel::nextProgramme() const
{
    if (!m_clock || !m_shortEPG)
        return std::nullopt;
    return ProgrammeChoice::upNext(m_schedule, nowProgramme(), m_shortEPG->next(), m_clock->now());
}

QString PlayerViewModel::nowTitle() const
{
    const std::optional<GuideProgramme> now = nowProgramme();
    return now ? TitleText::isolated(now->title) : QString();
}

QString PlayerViewModel::nowDescription() const
{
    const std::optional<GuideProgramme> now = nowProgramme();
    return now ? now->description.value_or(QString()) : QString();
}

QString PlayerViewModel::nowTimes() const
{
    const std::optional<GuideProgramme> now = nowProgramme();
    return now ? TimeText::range(now->start, now->end) : QString();
}

QString PlayerViewModel::nowRemaining() const
{
    const std::optional<GuideProgramme> now = nowProgramme();
    return now ? TimeText::remaining(now->end, m_clock->now()) : QString();
}

double PlayerViewModel::nowProgress() const
{
    const std::optional<GuideProgramme> now = nowProgramme();
    return now ? ProgrammeChoice::progress(now->start, now->end, m_clock->now()) : 0.0;
}

QString PlayerViewModel::nextTitle() const
{
    const std::optional<GuideProgramme> next = nextProgramme();
    return next ? TitleText::isolated(next->title) : QString();
}

QString PlayerViewModel::nextHeading() const
{
    const std::optional<GuideProgramme> next = nextProgramme();
    return next ? u"NEXT \u00B7 "_s + TimeText::time(next->start) : QString();
}

bool PlayerViewModel::isGuideLoading() const
{
    return m_shortEPG && m_shortEPG->isLoading();
}

double PlayerViewModel::shownPosition() const
{
    if (m_scrubbing)
        return *m_scrubbing;
    return m_controller ? m_controller->currentTime() : 0.0;
}

double PlayerViewModel::remainingTime() const
{
    return std::max(0.0, (m_controller ? m_controller->totalTime() : 0.0) - shownPosition());
}

QString PlayerViewModel::elapsedText() const
{
    return TimeText::timecode(shownPosition());
}

QString PlayerViewModel::remainingText() const
{
    return u"-"_s + TimeText::timecode(remainingTime());
}

bool PlayerViewModel::isSeekable() const
{
    return m_controller && m_controller->player()->isSeekable() && m_controller->totalTime() > 0;
}

int PlayerViewModel::skipIcon() const
{
    const int step = Prefs::read(PrefKeys::seekStepSeconds);
    return std::find(iconSteps.cbegin(), iconSteps.cend(), step) != iconSteps.cend() ? step : 10;
}

QString PlayerViewModel::skipBackIcon() const
{
    return u"gobackward."_s + QString::number(skipIcon());
}

QString PlayerViewModel::skipForwardIcon() const
{
    return u"goforward."_s + QString::number(skipIcon());
}

bool PlayerViewModel::isStartOverVisible() const
{
    // Only after resuming, until 20 seconds past the resume point, and gone once used: back at the
    // start the position is below the resume point again, yet there is nothing left to start over.
    return m_target.resumePosition > 0 && !m_startedOver && m_controller
           && m_controller->currentTime() < m_target.resumePosition + 20 && isSeekable();
}

double PlayerViewModel::volumeLevel() const
{
    const MediaEngine *engine = m_controller ? m_controller->player() : nullptr;
    if (!engine || !engine->hasAudio())
        return 1.0;
    return double(float(engine->volume()) / 100.0f);
}

bool PlayerViewModel::isMuted() const
{
    const MediaEngine *engine = m_controller ? m_controller->player() : nullptr;
    return engine && engine->hasAudio() && engine->isMuted();
}

QString PlayerViewModel::volumeIcon() const
{
    const double level = volumeLevel();
    if (isMuted() || level == 0)
        return u"speaker.slash.fill"_s;
    return level < 0.5 ? u"speaker.wave.1.fill"_s : u"speaker.wave.2.fill"_s;
}

QString PlayerViewModel::errorText() const
{
    if (m_controller && !m_controller->retryMessage().isEmpty())
        return m_controller->retryMessage();
    if (m_controller && !m_controller->errorMessage().isEmpty())
        return m_controller->errorMessage();
    return u"The provider didn't send any video."_s;
}

QString PlayerViewModel::connectingText() const
{
    // Nothing under the spinner for the first four seconds.
    if (!m_controller || m_controller->elapsedSeconds() < 4)
        return {};
    return u"Connecting\u2026 %1s"_s.arg(m_controller->elapsedSeconds());
}
