#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class PlayerController;

// The layers over the video while a title is not playing: the loading layer while it opens,
// with the retry under way or, after the first seconds, how long it has been connecting; and the
// error card's sentence while it fails.
class PlayerStatus : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each player view model makes its own status.")

    Q_PROPERTY(bool loading READ isLoading NOTIFY loadingChanged)
    Q_PROPERTY(bool failed READ hasFailed NOTIFY failedChanged)
    // The line under the spinner while the title opens: the retry under way, else
    // "Connecting… 5s" from the fourth second on, else nothing.
    Q_PROPERTY(QString loadingText READ loadingText NOTIFY loadingTextChanged)
    // Whether the line under the spinner tells of a retry (shown larger than the seconds).
    Q_PROPERTY(bool retrying READ isRetrying NOTIFY loadingTextChanged)
    Q_PROPERTY(QString errorText READ errorText NOTIFY errorTextChanged)

public:
    using QObject::QObject;

    // Reads the player again.
    void update(const PlayerController *player);

    [[nodiscard]] bool isLoading() const { return m_loading; }
    [[nodiscard]] bool hasFailed() const { return m_failed; }
    [[nodiscard]] QString loadingText() const { return m_loadingText; }
    [[nodiscard]] bool isRetrying() const { return m_retrying; }
    [[nodiscard]] QString errorText() const { return m_errorText; }

Q_SIGNALS:
    void loadingChanged();
    void failedChanged();
    void loadingTextChanged();
    void errorTextChanged();

private:
    bool m_loading = false;
    bool m_failed = false;
    QString m_loadingText;
    bool m_retrying = false;
    QString m_errorText;
};
