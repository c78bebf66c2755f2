#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class MediaEngine;

// The volume of both bars: the mute, the mute button's symbol and where the slider stands (0 to
// 1.5). Without an audio output the player counts as at full volume and unmuted.
class PlayerVolume : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each player view model makes its own volume.")

    Q_PROPERTY(QString symbol READ symbol NOTIFY changed)
    // The slider shows 0 while muted.
    Q_PROPERTY(double sliderValue READ sliderValue NOTIFY changed)

public:
    using QObject::QObject;

    // The engine's volume as a level, 1 without an audio output.
    [[nodiscard]] static double levelOf(const MediaEngine *engine);

    // Reads the engine again (it reports no change of its own).
    void update(const MediaEngine *engine);

    [[nodiscard]] bool isMuted() const { return m_muted; }
    [[nodiscard]] QString symbol() const;
    [[nodiscard]] double sliderValue() const { return m_muted ? 0.0 : m_level; }

Q_SIGNALS:
    void changed();

private:
    double m_level = 1;
    bool m_muted = false;
};
