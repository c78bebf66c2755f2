// The screen's life: it takes its target from the window controller, waits for the previous stop
// before it opens the stream, follows the shared player while its target is shown, and leaves
// when another target (or none) is shown or when it goes.
#include "PlayerViewModel.h"

#include "App/AppModel.h"
#include "App/EpisodeText.h"
#include "Playback/LiveEPGController.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Playback/VideoSurface.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/Clock.h"
#include "Support/GuardedJob.h"
#include "Views/Player/ChannelZapping.h"
#include "Views/Player/PlayerChannels.h"
#include "Views/Player/PlayerHeader.h"
#include "Views/Player/PlayerProgramme.h"
#include "Views/Player/PlayerStatus.h"
#include "Views/Player/PlayerTransport.h"
#include "Views/Player/PlayerVolume.h"
#include "Views/Player/TracksMenuModel.h"

#include <QGuiApplication>
#include <QSignalBlocker>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>

PlayerViewModel::PlayerViewModel(QObject *parent)
    : ViewModel(parent)
    , m_header(new PlayerHeader(this))
    , m_transport(new PlayerTransport(this))
    , m_status(new PlayerStatus(this))
    , m_volume(new PlayerVolume(this))
    , m_programme(new PlayerProgramme(this))
    , m_channels(new PlayerChannels(this))
    , m_tracksMenu(new TracksMenuModel(this))
{
}

PlayerViewModel::PlayerViewModel(AppModel *app, PlaybackWindowController *windows, QObject *parent)
    : PlayerViewModel(parent)
{
    m_windows = windows;
    setApp(app);
}

PlayerViewModel::~PlayerViewModel()
{
    // Nobody is left to hear about the state this screen drops on its way out.
    const QSignalBlocker silence(this);
    leave();
}

void PlayerViewModel::start(AppModel &)
{
    begin();
}

void PlayerViewModel::setWindowController(PlaybackWindowController *windows)
{
    if (assignIfChanged(m_windows, windows))
        Q_EMIT windowControllerChanged();
}

void PlayerViewModel::setWindow(QWindow *window)
{
    if (!assignIfChanged(m_window, window))
        return;
    disconnect(m_windowStateConnection);
    if (window) {
        // A screen that opens on a window already in full screen (after a zap) starts from there.
        m_header->setFullScreen(window->windowStates() & Qt::WindowFullScreen);
        m_windowStateConnection = connect(window, &QWindow::windowStateChanged, this, [this](Qt::WindowState) {
            m_header->setFullScreen(m_window && (m_window->windowStates() & Qt::WindowFullScreen));
        });
    }
    Q_EMIT windowChanged();
}

VideoSurface *PlayerViewModel::videoSurface() const
{
    return m_videoSurface;
}

void PlayerViewModel::setVideoSurface(VideoSurface *surface)
{
    if (!assignIfChanged(m_videoSurface, surface))
        return;
    if (surface && m_controller)
        surface->setController(m_controller);
    Q_EMIT videoSurfaceChanged();
}

void PlayerViewModel::begin()
{
    if (m_begun || !app() || !m_windows || !m_windows->target() || !m_windows->playerController())
        return;
    m_begun = true;
    m_target = *m_windows->target();
    m_controller = m_windows->playerController();
    m_clock = &app()->store()->clock();
    m_guidePlaylistID = m_target.playlistID ? m_target.playlistID : app()->store()->activePlaylistID();
    m_currentIndex = m_target.channels.isEmpty() ? std::nullopt
                                                 : ChannelZapping::indexOf(m_target.channels, m_target.providerID);
    if (m_target.episode) {
        const qsizetype index = m_target.episodes.indexOf(*m_target.episode);
        if (index >= 0 && index + 1 < m_target.episodes.size())
            m_nextEpisode = m_target.episodes.at(index + 1);
    }
    const bool live = isLive();
    m_shortEPG = new LiveEPGController(live ? m_target.streamID : std::nullopt,
                                       live ? m_target.epgCredentials : std::nullopt,
                                       m_target.item ? m_target.item->epgChannelID : std::nullopt, *m_clock, this);
    for (const auto changed : {&LiveEPGController::nowChanged, &LiveEPGController::nextChanged,
                               &LiveEPGController::isLoadingChanged})
        connect(m_shortEPG, changed, this, &PlayerViewModel::updateProgramme);
    m_tracksMenu->setPlayer(m_controller, !live, m_target.containerExtension.value_or(QString()));
    m_header->showTarget(m_target);
    m_transport->showTitle(m_target.resumePosition, m_nextEpisode ? EpisodeText::label(*m_nextEpisode) : QString());
    m_channels->showList(live, int(m_target.channels.size()), m_currentIndex);
    if (m_videoSurface)
        m_videoSurface->setController(m_controller);
    connectController();
    watchWindowController();

    // Known before any waiting, so that the heart is right from the first picture.
    if (m_target.item)
        m_header->setFavourite(
            app()->store()->isFavourite(CatalogueItem::from(*m_target.item), m_target.item->kind, std::nullopt));
    Q_EMIT targetChanged();
    Q_EMIT shownChanged();
    updateAll();

    m_startTask = startGuardedJob(this, std::mem_fn(&PlayerViewModel::runStart));
    m_scheduleTask = startGuardedJob(this, std::mem_fn(&PlayerViewModel::runSchedule));
}

void PlayerViewModel::connectController()
{
    PlayerController *player = m_controller;
    m_controllerConnections = {
        connect(player, &PlayerController::currentTimeChanged, this, &PlayerViewModel::handleCurrentTime),
        connect(player, &PlayerController::totalTimeChanged, this, &PlayerViewModel::handleTotalTime),
        connect(player, &PlayerController::stateChanged, this, &PlayerViewModel::handleState),
        connect(player, &PlayerController::controlsVisibleChanged, this, &PlayerViewModel::updateOsd),
        connect(player, &PlayerController::retryMessageChanged, this, &PlayerViewModel::updateStatus),
        connect(player, &PlayerController::errorMessageChanged, this, &PlayerViewModel::updateStatus),
        connect(player, &PlayerController::elapsedSecondsChanged, this, &PlayerViewModel::tick),
        connect(player, &PlayerController::playerChanged, this, &PlayerViewModel::updateVolume),
    };
}

void PlayerViewModel::watchWindowController()
{
    connect(m_windows, &PlaybackWindowController::targetChanged, this, [this] {
        if (!ownsWindowController())
            leave();
    });
}

bool PlayerViewModel::ownsWindowController() const
{
    return m_windows && m_windows->target() && m_windows->target()->id == m_target.id;
}

QCoro::Task<> PlayerViewModel::runStart(std::stop_token token)
{
    const QPointer<PlayerViewModel> self(this);
    co_await m_windows->waitForPreviousStop();
    // Replaced or gone meanwhile: this title is no longer wanted, and nothing is opened.
    if (!self || token.stop_requested() || m_left || !m_controller || !ownsWindowController())
        co_return;
    // The channel panel, when it was opened meanwhile, keeps the keys.
    if (!m_channels->isPanelShown())
        Q_EMIT focusRequested();
    const bool live = isLive();
    m_controller->configure(m_target.url, m_target.resumePosition,
                            live ? PlayerController::liveFallbackURL(m_target.url) : QUrl());
    m_attached = true;
    m_controller->start();
    if (live)
        m_shortEPG->start();
    updateAll();
}

void PlayerViewModel::handleCurrentTime()
{
    if (!m_attached)
        return;
    m_position = m_controller->currentTime();
    // Forwards or backwards: a seek of 15 seconds or more saves at once.
    if (!isLive() && std::abs(m_position - m_lastPersisted) >= 15)
        persistProgress();
    updateTransport();
}

void PlayerViewModel::handleTotalTime()
{
    if (!m_attached)
        return;
    m_duration = m_controller->totalTime();
    updateTransport();
}

void PlayerViewModel::handleState()
{
    // Moving on to the next episode replaces this screen, which may be gone when that returns.
    const QPointer<PlayerViewModel> self(this);
    // A title of unknown length that stopped by itself after playing has reached its end too.
    const bool nearTheEnd = m_duration > 0 ? m_position >= m_duration - 5 : m_position > 0;
    if (m_attached && m_controller->state() == PlayerState::Stopped && !isLive() && nearTheEnd)
        finished();
    if (self)
        updateAll();
}

void PlayerViewModel::close()
{
    if (m_left)
        return;
    if (m_channels->isPanelShown()) {
        dismissChannels();
        return;
    }
    persistProgress();
    // The window controller stops playback and shows no target, which makes this screen leave.
    if (m_windows)
        m_windows->close();
}

void PlayerViewModel::leave()
{
    if (m_left || !m_begun)
        return;
    m_left = true;
    Q_EMIT shownChanged();
    for (Job<> *task : {&m_startTask, &m_scheduleTask, &m_zapTask})
        task->cancelAndForget();
    m_shortEPG->stop();
    persistProgress();
    for (const QMetaObject::Connection &connection : std::as_const(m_controllerConnections))
        disconnect(connection);
    m_attached = false;
    m_tracksMenu->setPlayer(nullptr, false);
    setPointerHidden(false);
    if (!m_windows || !m_controller)
        return;
    // Another title has taken the player over, and its showing already stopped this one.
    if (m_windows->target() && !ownsWindowController())
        return;
    m_windows->recordStop();
    if (!m_windows->hasTarget()) {
        if (m_windows->playerEnteredFullScreen())
            leaveFullScreen();
        m_windows->setPlayerEnteredFullScreen(false);
    }
}

QWindow *PlayerViewModel::fullScreenWindow() const
{
    if (m_window)
        return m_window;
    const QList<QWindow *> windows = QGuiApplication::topLevelWindows();
    const auto visible = std::find_if(windows.cbegin(), windows.cend(), [](QWindow *window) { return window->isVisible(); });
    return visible == windows.cend() ? nullptr : *visible;
}

void PlayerViewModel::toggleFullScreen()
{
    QWindow *window = fullScreenWindow();
    if (!window || m_left)
        return;
    const bool entering = !(window->windowStates() & Qt::WindowFullScreen);
    m_windows->setPlayerEnteredFullScreen(entering);
    window->setWindowStates(window->windowStates() ^ Qt::WindowFullScreen);
}

void PlayerViewModel::leaveFullScreen()
{
    QWindow *window = fullScreenWindow();
    if (window && (window->windowStates() & Qt::WindowFullScreen))
        window->setWindowStates(window->windowStates() & ~Qt::WindowFullScreen);
}

void PlayerViewModel::showChannelsAnimated(bool show, bool animated)
{
    if (!m_channels->showPanel(show, animated))
        return;
    updateOsd();
    // The keys come back to the screen when the panel, which held them, goes.
    if (!show)
        Q_EMIT focusRequested();
}

void PlayerViewModel::setPointerHidden(bool hidden)
{
    if (assignIfChanged(m_pointerHidden, hidden))
        Q_EMIT pointerHiddenChanged();
}

void PlayerViewModel::setScrubbing(std::optional<double> position)
{
    if (assignIfChanged(m_scrubbing, position))
        updateTransport();
}
