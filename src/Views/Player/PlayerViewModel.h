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
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QUrl>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <stop_token>

class Clock;
class LiveEPGController;
class TracksMenuModel;

Q_MOC_INCLUDE("Views/Player/TracksMenuModel.h")

// The state and rules of one player screen, made for one playback target: it waits for the
// previous title's stop and only then opens its own stream, keeps the live channel's schedule,
// saves the watch position of films and episodes, moves on to the next episode once at the end,
// and answers the keys, buttons and bars of the screen. A new target gets a new instance.
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
    Q_PROPERTY(PlayerController *controller READ controller NOTIFY targetChanged)
    Q_PROPERTY(TracksMenuModel *tracksMenu READ tracksMenu CONSTANT)

    // What the target shows, fixed for the screen's life.
    Q_PROPERTY(QString title READ title NOTIFY targetChanged)
    Q_PROPERTY(QString subtitle READ subtitle NOTIFY targetChanged)
    Q_PROPERTY(bool isLive READ isLive NOTIFY targetChanged)
    Q_PROPERTY(bool hasLogo READ hasLogo NOTIFY targetChanged)
    Q_PROPERTY(QUrl logoUrl READ logoUrl NOTIFY targetChanged)
    // The channel's own name, for the logo's initials when it has no picture.
    Q_PROPERTY(QString logoTitle READ logoTitle NOTIFY targetChanged)
    Q_PROPERTY(QString channelNumber READ channelNumber NOTIFY targetChanged)
    Q_PROPERTY(bool canFavourite READ canFavourite NOTIFY targetChanged)
    Q_PROPERTY(int channelCount READ channelCount NOTIFY targetChanged)
    Q_PROPERTY(QString channelPosition READ channelPosition NOTIFY targetChanged)
    Q_PROPERTY(bool hasNextEpisode READ hasNextEpisode NOTIFY targetChanged)
    Q_PROPERTY(QString nextEpisodeLabel READ nextEpisodeLabel NOTIFY targetChanged)
    Q_PROPERTY(bool offersNextChannel READ offersNextChannel NOTIFY targetChanged)

    // Screen state.
    // From the screen's start until it leaves: while shown, the screen holds the keys.
    Q_PROPERTY(bool shown READ isShown NOTIFY shownChanged)
    Q_PROPERTY(bool showChannels READ showChannels WRITE setShowChannels NOTIFY showChannelsChanged)
    // Whether the channel panel's last opening or closing slides and fades; a zap, a channel
    // played from the panel and the program's command open or close it at once.
    Q_PROPERTY(bool channelsAnimated READ areChannelsAnimated NOTIFY channelsAnimatedChanged)
    Q_PROPERTY(bool favourite READ isFavourite NOTIFY favouriteChanged)
    Q_PROPERTY(QString zapDigits READ zapDigits NOTIFY zapDigitsChanged)
    Q_PROPERTY(bool isFullScreen READ isFullScreen NOTIFY isFullScreenChanged)
    Q_PROPERTY(bool pointerHidden READ isPointerHidden NOTIFY pointerHiddenChanged)

    // Values derived from the screen state and the player, announced together.
    Q_PROPERTY(bool osd READ osd NOTIFY displayChanged)
    Q_PROPERTY(bool playing READ isPlaying NOTIFY displayChanged)
    // The loading layer shows while the title opens, the error card while it fails.
    Q_PROPERTY(bool loading READ isLoading NOTIFY displayChanged)
    Q_PROPERTY(bool failed READ hasFailed NOTIFY displayChanged)
    Q_PROPERTY(bool hasNow READ hasNow NOTIFY displayChanged)
    Q_PROPERTY(QString nowTitle READ nowTitle NOTIFY displayChanged)
    Q_PROPERTY(QString nowDescription READ nowDescription NOTIFY displayChanged)
    Q_PROPERTY(QString nowTimes READ nowTimes NOTIFY displayChanged)
    Q_PROPERTY(QString nowRemaining READ nowRemaining NOTIFY displayChanged)
    Q_PROPERTY(double nowProgress READ nowProgress NOTIFY displayChanged)
    Q_PROPERTY(bool hasNext READ hasNext NOTIFY displayChanged)
    Q_PROPERTY(QString nextTitle READ nextTitle NOTIFY displayChanged)
    Q_PROPERTY(QString nextHeading READ nextHeading NOTIFY displayChanged)
    Q_PROPERTY(bool guideLoading READ isGuideLoading NOTIFY displayChanged)
    Q_PROPERTY(double shownPosition READ shownPosition NOTIFY displayChanged)
    Q_PROPERTY(double remainingTime READ remainingTime NOTIFY displayChanged)
    Q_PROPERTY(QString elapsedText READ elapsedText NOTIFY displayChanged)
    Q_PROPERTY(QString remainingText READ remainingText NOTIFY displayChanged)
    Q_PROPERTY(bool seekable READ isSeekable NOTIFY displayChanged)
    Q_PROPERTY(QString skipBackIcon READ skipBackIcon NOTIFY displayChanged)
    Q_PROPERTY(QString skipForwardIcon READ skipForwardIcon NOTIFY displayChanged)
    Q_PROPERTY(bool startOverVisible READ isStartOverVisible NOTIFY displayChanged)
    Q_PROPERTY(double volumeLevel READ volumeLevel NOTIFY displayChanged)
    Q_PROPERTY(bool muted READ isMuted NOTIFY displayChanged)
    Q_PROPERTY(QString volumeIcon READ volumeIcon NOTIFY displayChanged)
    Q_PROPERTY(QString errorText READ errorText NOTIFY displayChanged)
    Q_PROPERTY(QString connectingText READ connectingText NOTIFY displayChanged)

public:
    explicit PlayerViewModel(QObject *parent = nullptr);
    // Begins at once, for the target the window controller shows now.
    PlayerViewModel(AppModel *app, PlaybackWindowController *windows, QObject *parent = nullptr);
    ~PlayerViewModel() override;

    [[nodiscard]] PlaybackWindowController *windowController() const { return m_windows; }
    void setWindowController(PlaybackWindowController *windows);
    [[nodiscard]] QWindow *window() const { return m_window; }
    void setWindow(QWindow *window);
    [[nodiscard]] PlayerController *controller() const { return m_controller; }
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
    [[nodiscard]] std::optional<int> currentIndex() const { return m_currentIndex; }
    [[nodiscard]] const std::optional<SeriesEpisode> &nextEpisode() const { return m_nextEpisode; }

    // Titles from providers keep their own direction inside the line (isolated).
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString subtitle() const { return m_target.subtitle.value_or(QString()); }
    [[nodiscard]] bool isLive() const { return m_target.kind == CatalogueKind::Live; }
    [[nodiscard]] bool hasLogo() const { return isLive() && m_target.item; }
    [[nodiscard]] QUrl logoUrl() const;
    [[nodiscard]] QString logoTitle() const { return hasLogo() ? m_target.item->title : QString(); }
    [[nodiscard]] QString channelNumber() const;
    [[nodiscard]] bool canFavourite() const { return m_target.catalogueStore && m_target.item; }
    [[nodiscard]] int channelCount() const { return int(m_target.channels.size()); }
    [[nodiscard]] QString channelPosition() const;
    [[nodiscard]] bool hasNextEpisode() const { return m_nextEpisode.has_value(); }
    [[nodiscard]] QString nextEpisodeLabel() const;
    [[nodiscard]] bool offersNextChannel() const { return isLive() && m_target.channels.size() > 1; }

    [[nodiscard]] bool isShown() const { return m_begun && !m_left; }
    [[nodiscard]] bool showChannels() const { return m_showChannels; }
    // Opens or closes the channel panel with its slide.
    void setShowChannels(bool show);
    [[nodiscard]] bool areChannelsAnimated() const { return m_channelsAnimated; }
    [[nodiscard]] bool isFavourite() const { return m_favourite; }
    [[nodiscard]] QString zapDigits() const { return m_zapDigits; }
    [[nodiscard]] bool isFullScreen() const { return m_isFullScreen; }
    [[nodiscard]] bool isPointerHidden() const { return m_pointerHidden; }

    [[nodiscard]] bool osd() const;
    [[nodiscard]] bool isPlaying() const;
    [[nodiscard]] bool isLoading() const;
    [[nodiscard]] bool hasFailed() const;
    [[nodiscard]] std::optional<GuideProgramme> nowProgramme() const;
    [[nodiscard]] std::optional<GuideProgramme> nextProgramme() const;
    [[nodiscard]] bool hasNow() const { return nowProgramme().has_value(); }
    [[nodiscard]] QString nowTitle() const;
    [[nodiscard]] QString nowDescription() const;
    // "21:00 – 22:30" and "12m left" of the programme on now.
    [[nodiscard]] QString nowTimes() const;
    [[nodiscard]] QString nowRemaining() const;
    [[nodiscard]] double nowProgress() const;
    [[nodiscard]] bool hasNext() const { return nextProgramme().has_value(); }
    [[nodiscard]] QString nextTitle() const;
    // "NEXT · 22:30".
    [[nodiscard]] QString nextHeading() const;
    [[nodiscard]] bool isGuideLoading() const;
    [[nodiscard]] double shownPosition() const;
    [[nodiscard]] double remainingTime() const;
    // The film bar's times: "12:05" and "-1:31:40".
    [[nodiscard]] QString elapsedText() const;
    [[nodiscard]] QString remainingText() const;
    [[nodiscard]] bool isSeekable() const;
    // The seek step when it has an icon of its own (5, 15, 30, 45 or 60), else 10; the skip
    // buttons always move by the step itself.
    [[nodiscard]] int skipIcon() const;
    [[nodiscard]] QString skipBackIcon() const;
    [[nodiscard]] QString skipForwardIcon() const;
    [[nodiscard]] bool isStartOverVisible() const;
    [[nodiscard]] double volumeLevel() const;
    [[nodiscard]] bool isMuted() const;
    [[nodiscard]] QString volumeIcon() const;
    [[nodiscard]] QString errorText() const;
    [[nodiscard]] QString connectingText() const;

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
    void targetChanged();
    void shownChanged();
    void showChannelsChanged();
    // Announced before the panel opens or closes, so that the view knows whether to slide it.
    void channelsAnimatedChanged();
    void favouriteChanged();
    void zapDigitsChanged();
    void isFullScreenChanged();
    void pointerHiddenChanged();
    void displayChanged();
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
    void setFavourite(bool favourite);
    void setZapDigits(const QString &digits);
    void setIsFullScreen(bool fullScreen);
    void setPointerHidden(bool hidden);
    void setScrubbing(std::optional<double> position);
    void updateDisplay();

    QPointer<PlaybackWindowController> m_windows;
    QPointer<QWindow> m_window;
    QPointer<PlayerController> m_controller;
    Clock *m_clock = nullptr;
    LiveEPGController *m_shortEPG = nullptr;
    TracksMenuModel *m_tracksMenu = nullptr;
    QList<QMetaObject::Connection> m_controllerConnections;
    QMetaObject::Connection m_windowStateConnection;

    bool m_begun = false;
    PlaybackTarget m_target;
    std::optional<qint64> m_guidePlaylistID;
    std::optional<int> m_currentIndex;
    std::optional<SeriesEpisode> m_nextEpisode;

    QList<GuideProgramme> m_schedule;
    bool m_showChannels = false;
    bool m_channelsAnimated = true;
    double m_lastPersisted = 0;
    std::optional<double> m_scrubbing;
    bool m_favourite = false;
    QString m_zapDigits;
    bool m_isFullScreen = false;
    bool m_advanced = false;
    bool m_startedOver = false;
    bool m_pointerHidden = false;
    std::optional<QPointF> m_pointer;
    bool m_lastOsd = true;

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
