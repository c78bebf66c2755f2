#include "Playback/DisplaySleepInhibitor.h"
#include "Playback/PlayerController.h"
#include "support/BusRoundTrip.h"
#include "support/FakeMediaEngine.h"
#include "support/VirtualClock.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString service = u"org.freedesktop.ScreenSaver"_s;

// The desktop's screen-saver service as the inhibitor meets it, on its own bus connection.
class FakeScreenSaver final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    QStringList inhibitions;
    QList<uint> released;

public Q_SLOTS:
    uint Inhibit(const QString &application, const QString &reason)
    {
        inhibitions.append(application + u'|' + reason);
        return uint(inhibitions.size() + 40);
    }
    void UnInhibit(uint cookie) { released.append(cookie); }
};

} // namespace

class DisplaySleepTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("No session bus: run through dbus-run-session");
        m_serviceBus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fake-screen-saver"_s));
        QVERIFY(m_serviceBus->registerObject(u"/org/freedesktop/ScreenSaver"_s, &m_screenSaver,
                                             QDBusConnection::ExportAllSlots));
    }

    void init()
    {
        m_screenSaver.inhibitions.clear();
        m_screenSaver.released.clear();
        QVERIFY(m_serviceBus->registerService(service));
    }

    void cleanup() { m_serviceBus->unregisterService(service); }

    void cleanupTestCase()
    {
        if (m_serviceBus)
            QDBusConnection::disconnectFromBus(u"fake-screen-saver"_s);
    }

    void playbackKeepsTheDisplayAwakeUntilItEnds()
    {
        DisplaySleepInhibitor inhibitor;
        inhibitor.begin();
        inhibitor.begin();
        QTRY_COMPARE(m_screenSaver.inhibitions, QStringList({u"Quillmere|Quillmere playback"_s}));
        inhibitor.end();
        QTRY_COMPARE(m_screenSaver.released, QList<uint>({41}));
        inhibitor.end();
        QVERIFY(roundTrip(QDBusConnection::sessionBus(), service));
        QCOMPARE(m_screenSaver.released.size(), 1);
    }

    void endBeforeTheServiceAnsweredStillReleases()
    {
        DisplaySleepInhibitor inhibitor;
        inhibitor.begin();
        inhibitor.end();
        QTRY_COMPARE(m_screenSaver.released, QList<uint>({41}));
        QVERIFY(!inhibitor.isHeld());
    }

    // The player holds it from its start until it stops.
    void thePlayerKeepsTheDisplayAwakeWhileItPlays()
    {
        VirtualClock clock;
        const QUrl film(u"http://provider.test/movie/u/p/1.mp4"_s);
        PlayerController player(film, std::make_unique<FakeMediaEngine>(), clock);
        QObject surface;
        player.configure(film, 0);
        player.videoSurfaceDidBecomeReady(&surface);
        player.start();
        QTRY_COMPARE(m_screenSaver.inhibitions.size(), 1);
        QVERIFY(m_screenSaver.released.isEmpty());
        (void)player.stop();
        QTRY_COMPARE(m_screenSaver.released, QList<uint>({41}));
    }

    void withoutTheServiceNothingHappens()
    {
        m_serviceBus->unregisterService(service);
        DisplaySleepInhibitor inhibitor;
        inhibitor.begin();
        QVERIFY(inhibitor.isHeld());
        // The bus refuses the call for want of the service before it answers this.
        QVERIFY(roundTrip(QDBusConnection::sessionBus(), u"org.freedesktop.DBus"_s));
        inhibitor.end();
        QVERIFY(m_screenSaver.inhibitions.isEmpty());
    }

private:
    FakeScreenSaver m_screenSaver;
    std::unique_ptr<QDBusConnection> m_serviceBus;
};

QTEST_GUILESS_MAIN(DisplaySleepTest)
#include "tst_displaysleep.moc"
