#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QSignalSpy>
#include <QString>
#include <QTest>

// Makes a round trip from `caller` to the bus connection that owns `peer` (a well-known or a
// unique name; the bus itself is "org.freedesktop.DBus") and waits for the answer. The bus keeps
// the order of the messages between two connections, and a connection hands what it receives to
// the main thread in that order: once the answer is handled here, so is everything `peer` sent
// to `caller` before answering, and what `caller` sent to `peer` before asking has reached it.
// A test that expects nothing more to arrive waits for this instead of waiting a while.
inline bool roundTrip(const QDBusConnection &caller, const QString &peer)
{
    const QDBusMessage ping = QDBusMessage::createMethodCall(peer, QStringLiteral("/"),
                                                             QStringLiteral("org.freedesktop.DBus.Peer"),
                                                             QStringLiteral("Ping"));
    QDBusPendingCallWatcher watcher(caller.asyncCall(ping));
    // The signal, not isFinished(): it is handed to the main thread behind what came before.
    QSignalSpy answered(&watcher, &QDBusPendingCallWatcher::finished);
    return QTest::qWaitFor([&answered] { return !answered.isEmpty(); }) && !watcher.isError();
}
