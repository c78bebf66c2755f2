#include "App/LaunchArguments.h"
#include "App/SingleInstance.h"
#include "App/WakeNotifier.h"
#include "Views/Pages/Settings/FileManager.h"
#include "support/BusRoundTrip.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString serviceName = u"com.zel.Quillmere.Test"_s;

// A connection of its own to the session bus, as another process would have.
QDBusConnection otherProcess(const QString &name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

QDBusConnection noBus()
{
    return QDBusConnection::connectToBus(u"unix:path=/nonexistent/quillmere-bus"_s, u"no-bus"_s);
}

// The desktop's file manager as the settings page meets it.
class FakeFileManager final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public Q_SLOTS:
    void ShowItems(const QStringList &uris, const QString &) { shown.append(uris); }
};

} // namespace

// The program's ties to the desktop's buses, on a private session bus: one running program per
// session that takes the files of later starts, the wake from sleep announced by logind, and
// showing the data folder in the file manager.
class DesktopBusTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs a session bus (run through dbus-run-session)");
    }

    void aLaterStartHandsItsFilesToTheRunningProgram()
    {
        SingleInstance first(QDBusConnection::sessionBus(), serviceName);
        QSignalSpy activations(&first, &SingleInstance::activated);
        QCOMPARE(first.start({}), SingleInstance::Role::Primary);

        SingleInstance second(otherProcess(u"second"_s), serviceName);
        const QList<QUrl> files{QUrl::fromLocalFile(u"/media/a film.mkv"_s), QUrl::fromLocalFile(u"/media/b.mp3"_s)};
        QCOMPARE(second.start(files), SingleInstance::Role::Secondary);
        QTRY_COMPARE(activations.size(), 1);
        QCOMPARE(activations.at(0).at(0).value<QList<QUrl>>(), files);

        // Started again without files: the running program is only asked to show itself.
        SingleInstance third(otherProcess(u"third"_s), serviceName);
        QCOMPARE(third.start({}), SingleInstance::Role::Secondary);
        QTRY_COMPARE(activations.size(), 2);
        QVERIFY(activations.at(1).at(0).value<QList<QUrl>>().isEmpty());

        // The file to play goes over too, after the files handed by the desktop.
        const LaunchArguments arguments({u"quillmere"_s, u"/media/a film.mkv"_s, u"--play-file"_s, u"/media/c.mp4"_s});
        SingleInstance fourth(otherProcess(u"fourth"_s), serviceName);
        QCOMPARE(fourth.start(arguments.filesForRunningProgram()), SingleInstance::Role::Secondary);
        QTRY_COMPARE(activations.size(), 3);
        QCOMPARE(activations.at(2).at(0).value<QList<QUrl>>(),
                 (QList<QUrl>{QUrl::fromLocalFile(u"/media/a film.mkv"_s), QUrl::fromLocalFile(u"/media/c.mp4"_s)}));
    }

    void onlyLocalFilesAreTaken()
    {
        SingleInstance running(QDBusConnection::sessionBus(), serviceName);
        QCOMPARE(running.start({}), SingleInstance::Role::Primary);
        QSignalSpy activations(&running, &SingleInstance::activated);
        QDBusMessage call = QDBusMessage::createMethodCall(serviceName, u"/com/zel/Quillmere"_s,
                                                           u"com.zel.Quillmere.Instance"_s, u"Open"_s);
        call << QStringList{u"https://example.com/a.mp4"_s, u"file:///media/b.mkv"_s, u"not an address"_s};
        QCOMPARE(otherProcess(u"caller"_s).call(call, QDBus::BlockWithGui).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(activations.size(), 1);
        QCOMPARE(activations.at(0).at(0).value<QList<QUrl>>(), QList<QUrl>{QUrl::fromLocalFile(u"/media/b.mkv"_s)});
    }

    void runsAloneWithoutABusOrAnAnswer()
    {
        SingleInstance unconnected(noBus(), serviceName);
        QCOMPARE(unconnected.start({}), SingleInstance::Role::Alone);

        // The name is taken by something that does not take files: run anyway.
        QDBusConnection squatter = otherProcess(u"squatter"_s);
        QVERIFY(squatter.registerService(serviceName));
        SingleInstance late(QDBusConnection::sessionBus(), serviceName);
        QCOMPARE(late.start({QUrl::fromLocalFile(u"/media/a.mkv"_s)}), SingleInstance::Role::Alone);
        squatter.unregisterService(serviceName);
    }

    void wakingFromSleepIsAnnounced()
    {
        // logind's name and its signal, played on the private bus.
        QDBusConnection logind = otherProcess(u"logind"_s);
        QVERIFY(logind.registerService(u"org.freedesktop.login1"_s));
        WakeNotifier notifier(QDBusConnection::sessionBus());
        QSignalSpy wakes(&notifier, &WakeNotifier::woke);
        const auto announce = [&logind](bool sleeping) {
            QDBusMessage signal = QDBusMessage::createSignal(u"/org/freedesktop/login1"_s,
                                                             u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s);
            signal << sleeping;
            QVERIFY(logind.send(signal));
        };
        announce(true);
        announce(false);
        QVERIFY(roundTrip(QDBusConnection::sessionBus(), logind.baseService()));
        QCOMPARE(wakes.size(), 1);

        // The same signal from anyone else is not logind's.
        QDBusMessage forged = QDBusMessage::createSignal(u"/org/freedesktop/login1"_s,
                                                         u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s);
        forged << false;
        QDBusConnection forger = otherProcess(u"forger"_s);
        QVERIFY(forger.send(forged));
        QVERIFY(roundTrip(QDBusConnection::sessionBus(), forger.baseService()));
        QCOMPARE(wakes.size(), 1);

        // Without a bus it stays silent.
        WakeNotifier unconnected(noBus());
        QSignalSpy none(&unconnected, &WakeNotifier::woke);
        QCOMPARE(none.size(), 0);
    }

    void theFileManagerShowsTheFileElseTheFolderOpens()
    {
        QDBusConnection desktop = otherProcess(u"file-manager"_s);
        FakeFileManager fileManager;
        QVERIFY(desktop.registerObject(u"/org/freedesktop/FileManager1"_s, &fileManager, QDBusConnection::ExportAllSlots));
        QVERIFY(desktop.registerService(u"org.freedesktop.FileManager1"_s));
        QList<QUrl> opened;
        const auto open = [&opened](const QUrl &folder) { opened.append(folder); };
        QObject context;

        FileManager::showItem(u"/data/Quillmere data/quillmere_catalogue.sqlite"_s, &context, open);
        QTRY_COMPARE(fileManager.shown,
                     QStringList{u"file:///data/Quillmere%20data/quillmere_catalogue.sqlite"_s});
        // The file manager answered before it answers this.
        QVERIFY(roundTrip(QDBusConnection::sessionBus(), desktop.baseService()));
        QVERIFY(opened.isEmpty());

        // Nobody answers: the folder itself opens.
        desktop.unregisterService(u"org.freedesktop.FileManager1"_s);
        FileManager::showItem(u"/data/Quillmere data/quillmere_catalogue.sqlite"_s, &context, open);
        QTRY_COMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(u"/data/Quillmere data"_s)});
        QCOMPARE(fileManager.shown.size(), 1);
    }
};

QTEST_GUILESS_MAIN(DesktopBusTest)
#include "tst_desktopbus.moc"
