#pragma once

#include <QDBusConnection>
#include <QObject>

// Tells when the computer has woken from sleep: logind announces PrepareForSleep(false) on the
// system bus. Where there is no system bus or no logind, it never fires.
class WakeNotifier final : public QObject
{
    Q_OBJECT

public:
    explicit WakeNotifier(QDBusConnection bus = QDBusConnection::systemBus(), QObject *parent = nullptr);

Q_SIGNALS:
    void woke();

private Q_SLOTS:
    void prepareForSleep(bool sleeping);
};
