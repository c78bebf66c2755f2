#pragma once

#include "Playback/PlaybackTarget.h"
#include "Support/Job.h"

#include <QCoroTask>
#include <QObject>

#include <functional>
#include <optional>

class PlayerController;

Q_MOC_INCLUDE("Playback/PlayerController.h")

// The one owner of what is playing: the current target and the single player controller, made on
// the first show and reused for every later title. Each stop of a title is recorded as the pending
// stop that the next title waits for before it configures the player.
class PlaybackWindowController final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool hasTarget READ hasTarget NOTIFY targetChanged)
    // Each playback request has its own id: a new one means a fresh player screen.
    Q_PROPERTY(QString targetId READ targetId NOTIFY targetChanged)
    Q_PROPERTY(PlayerController *playerController READ playerController NOTIFY playerControllerChanged)
    Q_PROPERTY(bool playerEnteredFullScreen READ playerEnteredFullScreen WRITE setPlayerEnteredFullScreen NOTIFY
                   playerEnteredFullScreenChanged)

public:
    // Makes the player controller for the first title's address, as a child of the given parent.
    using ControllerFactory = std::function<PlayerController *(const QUrl &url, QObject *parent)>;

    // The process-wide instance, playing through libVLC on the system clock.
    [[nodiscard]] static PlaybackWindowController &shared();

    explicit PlaybackWindowController(ControllerFactory factory, QObject *parent = nullptr);
    ~PlaybackWindowController() override;

    [[nodiscard]] const std::optional<PlaybackTarget> &target() const { return m_target; }
    [[nodiscard]] bool hasTarget() const { return m_target.has_value(); }
    [[nodiscard]] QString targetId() const { return m_target ? m_target->id.toString(QUuid::WithoutBraces) : QString(); }
    [[nodiscard]] PlayerController *playerController() const { return m_playerController; }
    [[nodiscard]] bool playerEnteredFullScreen() const { return m_playerEnteredFullScreen; }
    void setPlayerEnteredFullScreen(bool entered);

    // Presents a target, replacing (and stopping) the current one.
    void show(PlaybackTarget target);
    // Plays a local media file; it never resumes.
    Q_INVOKABLE void openFile(const QUrl &url);
    Q_INVOKABLE void close();
    // Returns once the stop pending at the time of the call has finished.
    [[nodiscard]] QCoro::Task<> waitForPreviousStop();
    // The generation of the stop that the next title waits for; none when nothing is pending.
    [[nodiscard]] std::optional<quint64> pendingStopGeneration() const;
    // Stops the player and records that stop, under a new generation, as the one the next title
    // waits for. A player view that goes while its title is still the one shown calls it.
    void recordStop();

Q_SIGNALS:
    void targetChanged();
    void playerControllerChanged();
    void playerEnteredFullScreenChanged();

private:
    struct PendingStop
    {
        quint64 generation = 0;
        Job<> task;
    };

    ControllerFactory m_factory;
    std::optional<PlaybackTarget> m_target;
    PlayerController *m_playerController = nullptr;
    std::optional<PendingStop> m_pendingStop;
    quint64 m_stopGeneration = 0;
    bool m_playerEnteredFullScreen = false;
};
