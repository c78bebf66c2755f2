#pragma once

#include "App/AppModel.h"
#include "Catalogue/CatalogueModels.h"
#include "Playback/PlaybackTarget.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/Job.h"
#include "Views/Kit/ViewModel.h"
#include "Views/Player/PlayerKeyMap.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <stop_token>

class Clock;
class LiveEPGController;
class PlayerChannels;
class PlayerHeader;
class PlayerProgramme;
class PlayerStatus;
class PlayerTransport;
class PlayerVolume;
class TracksMenuModel;
class VideoSurface;

Q_MOC_INCLUDE("Playback/VideoSurface.h")
Q_MOC_INCLUDE("Views/Player/PlayerChannels.h")
Q_MOC_INCLUDE("Views/Player/PlayerHeader.h")
Q_MOC_INCLUDE("Views/Player/PlayerProgramme.h")
Q_MOC_INCLUDE("Views/Player/PlayerStatus.h")
Q_MOC_INCLUDE("Views/Player/PlayerTransport.h")
Q_MOC_INCLUDE("Views/Player/PlayerVolume.h")
Q_MOC_INCLUDE("Views/Player/TracksMenuModel.h")

// The state and rules of one player screen, made for one playback target: it waits for the
// previous title's stop and only then opens its own stream, keeps the live channel's schedule,
// saves the watch position of films and episodes, moves on to the next episode once at the end,
// and answers the keys, buttons and bars of the screen. A new target gets a new instance.
//
// What the screen shows is held by child objects, one for each part that changes on its own:
// the top bar (`header`), the film bar's transport and times (`transport`), the loading and
// error layers (`status`), the volume (`volume`), the live bar's programmes (`programme`), the
// channel list and panel (`channels`) and the tracks menu (`tracksMenu`). Each notifies only
// when its own values change; the view reads them and never the player behind them.
//
// The screen belongs to its target only while the window controller shows that target. As soon as
// another target (or none) is shown, it leaves: it saves its own last position, lets go of the
// shared player (so that the end of a replaced or closed title never starts a next episode), and
// stops playback only when nothing else has taken the player over.
class PlayerViewModel : public ViewModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PlaybackWindowController *windowController READ windowController WRITE setWindowController NOTIFY
                   windowControllerChanged)
    // The window whose full-screen state the screen follows and toggles.
    Q_PROPERTY(QWindow *window READ window WRITE setWindow NOTIFY windowChanged)
    // The item that shows the video; the screen hands it the player.
    Q_PROPERTY(VideoSurface *videoSurface READ videoSurface WRITE setVideoSurface NOTIFY videoSurfaceChanged)

    Q_PROPERTY(PlayerHeader *header READ header CONSTANT)
    Q_PROPERTY(PlayerTransport *transport READ transport CONSTANT)
    Q_PROPERTY(PlayerStatus *status READ status CONSTANT)
    Q_PROPERTY(PlayerVolume *volume READ volume CONSTANT)
    Q_PROPERTY(PlayerProgramme *programme READ programme CONSTANT)
    Q_PROPERTY(PlayerChannels *channels READ channels CONSTANT)
    Q_PROPERTY(TracksMenuModel *tracksMenu READ tracksMenu CONSTANT)

    Q_PROPERTY(bool isLive READ isLive NOTIFY targetChanged)
    // From the screen's start until it leaves: while shown, the screen holds the keys.
    Q_PROPERTY(bool shown READ isShown NOTIFY shownChanged)
    // The controls show: while the panel is open, while nothing plays, and while the player
    // shows them.
    Q_PROPERTY(bool osd READ osd NOTIFY osdChanged)
    Q_PROPERTY(bool pointerHidden READ isPointerHidden NOTIFY pointerHiddenChanged)

public:
    explicit PlayerViewModel(QObject *parent = nullptr);
    // Begins at once, for the target the window controller shows now.
    PlayerViewModel(AppModel *app, PlaybackWindowController *windows, QObject *parent = nullptr);
    ~PlayerViewModel() override;

    [[nodiscard]] PlaybackWindowController *windowController() const { return m_windows; }
    void setWindowController(PlaybackWindowController *windows);
    [[nodiscard]] QWindow *window() const { return m_window; }
    void setWindow(QWindow *window);
    [[nodiscard]] VideoSurface *videoSurface() const;
    void setVideoSurface(VideoSurface *surface);

    [[nodiscard]] PlayerHeader *header() const { return m_header; }
    [[nodiscard]] PlayerTransport *transport() const { return m_transport; }
    [[nodiscard]] PlayerStatus *status() const { return m_status; }
    [[nodiscard]] PlayerVolume *volume() const { return m_volume; }
    [[nodiscard]] PlayerProgramme *programme() const { return m_programme; }
    [[nodiscard]] PlayerChannels *channels() const { return m_channels; }
    [[nodiscard]] TracksMenuModel *tracksMenu() const { return m_tracksMenu; }

    [[nodiscard]] const PlaybackTarget &target() const { return m_target; }
    // The target's playlist, else the one active when the screen opened: whatever playlist the user
    // turns to meanwhile, the guide rows of the channel come from the playlist that plays it.
    [[nodiscard]] std::optional<qint64> guidePlaylistID() const { return m_guidePlaylistID; }
    [[nodiscard]] const QList<GuideProgramme> &schedule() const { return m_schedule; }
    [[nodiscard]] double lastPersisted() const { return m_lastPersisted; }
    [[nodiscard]] bool hasAdvanced() const { return m_advanced; }
    [[nodiscard]] bool hasLeft() const { return m_left; }
    [[nodiscard]] std::optional<double> scrubbing() const { return m_scrubbing; }

    [[nodiscard]] bool isLive() const { return m_target.kind == CatalogueKind::Live; }
    [[nodiscard]] bool isShown() const { return m_begun && !m_left; }
    [[nodiscard]] bool osd() const { return m_osd; }
    [[nodiscard]] bool isPointerHidden() const { return m_pointerHidden; }

    // Saves the watch position of a film or episode.
    void persistProgress();
    // Leaves the player, or only closes the channel panel while that is open.
    Q_INVOKABLE void close();
    // Lets go of the target; see the class comment. Runs once, when the target is replaced or the
    // screen goes, whichever comes first.
    void leave();

    // Answers one key press: true when the player handled it. Repeats are not handled.
    Q_INVOKABLE bool handleKey(int key, const QString &text, bool autoRepeat = false);
    Q_INVOKABLE void handlePlayerCommand(const QString &command);
    Q_INVOKABLE void toggleFullScreen();
    Q_INVOKABLE void toggleFavourite();
    Q_INVOKABLE void playPause();
    Q_INVOKABLE void toggleMute();
    Q_INVOKABLE void setVolume(double volume);
    Q_INVOKABLE void skip(int direction);
    Q_INVOKABLE void startOver();
    Q_INVOKABLE void playNextEpisode();
    Q_INVOKABLE void retry();

    // The video surface: a click toggles the controls (or closes the panel), a double click full
    // screen; moving the pointer shows the controls and the pointer. Hover reports that repeat
    // the last position (the scene sends them as the picture changes) are no movement.
    Q_INVOKABLE void videoClicked();
    Q_INVOKABLE void pointerMoved(QPointF position);
    Q_INVOKABLE void pointerLeft();

    // The film bar's seek bar.
    Q_INVOKABLE void scrub(double position);
    Q_INVOKABLE void commitScrub(double position);
    Q_INVOKABLE void cancelScrub();

    // Channels: by step, by typed number, and from the panel.
    Q_INVOKABLE void zap(int offset);
    Q_INVOKABLE void typeDigit(const QString &digit);
    void playChannel(const MediaItem &channel);
    Q_INVOKABLE void openChannels();
    Q_INVOKABLE void dismissChannels();

    Q_INVOKABLE void cycleSubtitles();
    Q_INVOKABLE void cycleAudio();

Q_SIGNALS:
    void windowControllerChanged();
    void windowChanged();
    void videoSurfaceChanged();
    void targetChanged();
    void shownChanged();
    void osdChanged();
    void pointerHiddenChanged();
    // The screen should take the keyboard focus (after its start, and when the panel closes).
    void focusRequested();

protected:
    void start(AppModel &app) override;

private:
    void begin();
    void connectController();
    void watchWindowController();
    [[nodiscard]] bool ownsWindowController() const;
    QCoro::Task<> runStart(std::stop_token token);
    QCoro::Task<> runSchedule(std::stop_token token);
    QCoro::Task<> runNumberZap(std::stop_token token);

    void handleCurrentTime();
    void handleTotalTime();
    void handleState();
    void finished();
    void perform(PlayerCommand command, const QString &text);
    void stepVolume(float step);
    void leaveFullScreen();
    [[nodiscard]] QWindow *fullScreenWindow() const;
    void playOtherChannel(const MediaItem &channel);

    void showChannelsAnimated(bool show, bool animated);
    void setSchedule(const QList<GuideProgramme> &schedule);
    void setPointerHidden(bool hidden);
    void setScrubbing(std::optional<double> position);

    // Each part of the display, read again from the player and the screen's state.
    void updateTransport();
    void updateStatus();
    void updateVolume();
    void updateProgramme();
    void updateOsd();
    void updateAll();
    // The player's second: what depends on the time of day and on the player's polled values.
    void tick();

    QPointer<PlaybackWindowController> m_windows;
    QPointer<QWindow> m_window;
    QPointer<VideoSurface> m_videoSurface;
    QPointer<PlayerController> m_controller;
    Clock *m_clock = nullptr;
    LiveEPGController *m_shortEPG = nullptr;
    PlayerHeader *m_header = nullptr;
    PlayerTransport *m_transport = nullptr;
    PlayerStatus *m_status = nullptr;
    PlayerVolume *m_volume = nullptr;
    PlayerProgramme *m_programme = nullptr;
    PlayerChannels *m_channels = nullptr;
    TracksMenuModel *m_tracksMenu = nullptr;
    QList<QMetaObject::Connection> m_controllerConnections;
    QMetaObject::Connection m_windowStateConnection;

    bool m_begun = false;
    PlaybackTarget m_target;
    std::optional<qint64> m_guidePlaylistID;
    std::optional<int> m_currentIndex;
    std::optional<SeriesEpisode> m_nextEpisode;

    QList<GuideProgramme> m_schedule;
    double m_lastPersisted = 0;
    std::optional<double> m_scrubbing;
    bool m_advanced = false;
    bool m_osd = true;
    bool m_pointerHidden = false;
    std::optional<QPointF> m_pointer;

    // The player reports this screen's own title only from its configure on, and until it leaves;
    // the position and length it reported last are kept for the save on leaving.
    bool m_attached = false;
    bool m_left = false;
    double m_position = 0;
    double m_duration = 0;

    Job<> m_startTask;
    Job<> m_scheduleTask;
    Job<> m_zapTask;
};
