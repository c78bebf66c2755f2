#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

class PlayerController;

// The film bar's transport and times: play or pause, the position shown (the dragged one while
// the seek bar is dragged), the length and what remains, whether the title seeks, the skip
// buttons' symbols, "Start over" and "Next episode". The position moves with every report of the
// player; each value notifies only its own readers, and only when it changes.
class PlayerTransport : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each player view model makes its own transport.")

    Q_PROPERTY(bool playing READ isPlaying NOTIFY playingChanged)
    Q_PROPERTY(QString playPauseSymbol READ playPauseSymbol NOTIFY playingChanged)
    Q_PROPERTY(double position READ position NOTIFY positionChanged)
    // "12:05".
    Q_PROPERTY(QString elapsedText READ elapsedText NOTIFY positionChanged)
    Q_PROPERTY(double length READ length NOTIFY lengthChanged)
    // "-1:31:40".
    Q_PROPERTY(QString remainingText READ remainingText NOTIFY remainingChanged)
    Q_PROPERTY(bool seekable READ isSeekable NOTIFY seekableChanged)
    Q_PROPERTY(QString skipBackSymbol READ skipBackSymbol NOTIFY skipIconChanged)
    Q_PROPERTY(QString skipForwardSymbol READ skipForwardSymbol NOTIFY skipIconChanged)
    Q_PROPERTY(bool startOverVisible READ isStartOverVisible NOTIFY startOverVisibleChanged)
    Q_PROPERTY(bool hasNextEpisode READ hasNextEpisode NOTIFY nextEpisodeChanged)
    // "Play S1 · E2  Pilot".
    Q_PROPERTY(QString nextEpisodeTip READ nextEpisodeTip NOTIFY nextEpisodeChanged)

public:
    explicit PlayerTransport(QObject *parent = nullptr);

    // The seek step of the skip keys and buttons, in seconds, as the user set it.
    [[nodiscard]] static int seekStep();

    // The title's facts: where it resumed (0 when it did not), and the label of the episode
    // after it (empty without one).
    void showTitle(double resumePosition, const QString &nextEpisodeLabel);
    // Reads the player again; a position given while the seek bar is dragged is shown instead
    // of the player's.
    void update(const PlayerController *player, std::optional<double> scrubbing);
    // "Start over" was used: it does not come back for this title.
    void markStartedOver() { m_startedOver = true; }

    [[nodiscard]] bool isPlaying() const { return m_playing; }
    [[nodiscard]] QString playPauseSymbol() const;
    [[nodiscard]] double position() const { return m_position; }
    [[nodiscard]] QString elapsedText() const;
    [[nodiscard]] double length() const { return m_length; }
    [[nodiscard]] double remainingTime() const;
    [[nodiscard]] QString remainingText() const;
    [[nodiscard]] bool isSeekable() const { return m_seekable; }
    // The seek step when it has an icon of its own (5, 15, 30, 45 or 60), else 10; the skip
    // buttons always move by the step itself.
    [[nodiscard]] int skipIcon() const { return m_skipIcon; }
    [[nodiscard]] QString skipBackSymbol() const;
    [[nodiscard]] QString skipForwardSymbol() const;
    [[nodiscard]] bool isStartOverVisible() const { return m_startOverVisible; }
    [[nodiscard]] bool hasNextEpisode() const { return !m_nextEpisodeLabel.isEmpty(); }
    [[nodiscard]] QString nextEpisodeTip() const;

Q_SIGNALS:
    void playingChanged();
    void positionChanged();
    void lengthChanged();
    void remainingChanged();
    void seekableChanged();
    void skipIconChanged();
    void startOverVisibleChanged();
    void nextEpisodeChanged();

private:
    void readSkipIcon();

    bool m_playing = false;
    double m_position = 0;
    double m_length = 0;
    bool m_seekable = false;
    int m_skipIcon = 10;
    bool m_startOverVisible = false;
    double m_resumePosition = 0;
    bool m_startedOver = false;
    QString m_nextEpisodeLabel;
};
