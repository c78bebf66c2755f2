#pragma once

#include <QObject>

#include <optional>

class QDBusPendingCallWatcher;

// Keeps the display awake while something plays, through the desktop's screen-saver service on
// the session bus. Every call is asynchronous, and where the service does not exist nothing happens.
class DisplaySleepInhibitor final : public QObject
{
    Q_OBJECT

public:
    explicit DisplaySleepInhibitor(QObject *parent = nullptr);
    ~DisplaySleepInhibitor() override;

    [[nodiscard]] bool isHeld() const { return m_held; }
    // Asks for the display to stay awake; does nothing while already held.
    void begin();
    // Lets the display sleep again; does nothing while not held.
    void end();

private:
    void onInhibitReply(QDBusPendingCallWatcher *watcher);
    void release(uint cookie);

    bool m_held = false;
    bool m_requestPending = false;
    std::optional<uint> m_cookie;
};
