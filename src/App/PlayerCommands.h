#pragma once

#include <QObject>
#include <QString>

// Commands for the player screen from elsewhere in the program (the screenshot run opens the
// channel panel with "channels"). A player that is not open misses them; nothing queues.
class PlayerCommands final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE void post(const QString &command) { Q_EMIT posted(command); }

Q_SIGNALS:
    void posted(const QString &command);
};
