#include "DisplaySleepInhibitor.h"

#include "Support/Logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

using namespace Qt::StringLiterals;

namespace {

constexpr auto service = "org.freedesktop.ScreenSaver"_L1;
constexpr auto path = "/org/freedesktop/ScreenSaver"_L1;

QDBusMessage screenSaverCall(const QString &method)
{
    return QDBusMessage::createMethodCall(service, path, service, method);
}

} // namespace

DisplaySleepInhibitor::DisplaySleepInhibitor(QObject *parent)
    : QObject(parent)
{
}

DisplaySleepInhibitor::~DisplaySleepInhibitor()
{
    end();
}

void DisplaySleepInhibitor::begin()
{
    if (m_held)
        return;
    m_held = true;
    // One request at a time: a reply still on its way is kept when playback resumes before it lands.
    if (m_cookie || m_requestPending)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage inhibit = screenSaverCall(u"Inhibit"_s);
    inhibit << u"Quillmere"_s << u"Quillmere playback"_s;
    m_requestPending = true;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(inhibit), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DisplaySleepInhibitor::onInhibitReply);
}

void DisplaySleepInhibitor::end()
{
    if (!m_held)
        return;
    m_held = false;
    if (m_cookie)
        release(*std::exchange(m_cookie, std::nullopt));
}

void DisplaySleepInhibitor::onInhibitReply(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    m_requestPending = false;
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        qCDebug(lcPlayback) << "The display cannot be kept awake:" << reply.error().name();
        return;
    }
    if (m_held)
        m_cookie = reply.value();
    else
        release(reply.value());
}

void DisplaySleepInhibitor::release(uint cookie)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage unInhibit = screenSaverCall(u"UnInhibit"_s);
    unInhibit << cookie;
    bus.asyncCall(unInhibit);
}
