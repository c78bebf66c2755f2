// The whole program end to end: a provider in a process of its own, a playlist added the way a
// user adds one (login saved in a real Secret Service, the catalogue and guide imported), then
// the program itself in screenshot mode, offscreen. Every page of the list below must come out
// as a full-size picture with something on it, and no two pages may look alike.
#include "Catalogue/SecretServiceKeyring.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "support/AwaitBlocking.h"
#include "support/FakeProvider.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The pages every run captures. A page issue that builds a page adds its specifications here.
const QStringList shotPages{u"home"_s,          u"live"_s,          u"movies"_s,      u"series"_s,
                            u"guide"_s,         u"playlists"_s,     u"settings"_s,    u"search"_s,
                            u"search:news"_s,   u"movies-detail"_s, u"series-detail"_s, u"youtube"_s,
                            u"update"_s,        u"collapse"_s};

const QSize windowSize(1440, 900);
// Where the pages differ: everything right of the collapsed sidebar.
const QRect pageArea(73, 0, 1367, 900);

// The run's own waits: a second after the catalogue opened, 3 s a page (10 s for the player
// pages and for playlists, whose name starts alike), a second before the end; plus start-up.
int expectedRunMs()
{
    int total = 2000;
    for (const QString &page : shotPages)
        total += page.startsWith(u"play"_s) ? 10'000 : 3000;
    return total;
}

bool isSingleColour(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

} // namespace

class ScreenshotsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QSKIP("needs a session bus with a Secret Service; run through tests/support/with-keyring.sh");
        QVERIFY(m_data.isValid() && m_shots.isValid());
        startProvider();
        addPlaylistAsAUserWould();
    }

    // The pictures of a failed run stay for a look.
    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            m_shots.setAutoRemove(false);
            qInfo().noquote() << "The screenshots are kept in" << m_shots.path();
        }
    }

    void cleanupTestCase()
    {
        if (m_provider.state() != QProcess::NotRunning) {
            m_provider.closeWriteChannel();
            m_provider.waitForFinished(5000);
        }
    }

    void capturesEveryPage()
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"QUILLMERE_DATA_DIRECTORY"_s, m_data.path());
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(QUILLMERE_PATH),
                      {u"--shots"_s, m_shots.path(), u"--shot-pages"_s, shotPages.join(u','), u"--window"_s,
                       u"%1x%2"_s.arg(windowSize.width()).arg(windowSize.height()), u"--no-auto-refresh"_s});
        QVERIFY2(program.waitForFinished(expectedRunMs() + 60'000), "the screenshot run did not end by itself");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        QList<QImage> pages;
        for (const QString &page : shotPages) {
            const QImage image(QDir(m_shots.path()).filePath(QString(page).replace(u':', u'-') + u".png"_s));
            QVERIFY2(!image.isNull(), qPrintable(page + u".png is missing"_s));
            QCOMPARE(image.size(), windowSize);
            QVERIFY2(!isSingleColour(image), qPrintable(page + u".png is blank"_s));
            pages.append(image.copy(pageArea));
        }
        for (qsizetype a = 0; a < pages.size(); ++a) {
            for (qsizetype b = a + 1; b < pages.size(); ++b)
                QVERIFY2(pages.at(a) != pages.at(b), qPrintable(shotPages.at(a) + u" looks like "_s + shotPages.at(b)));
        }
    }

private:
    void startProvider()
    {
        m_provider.start(QStringLiteral(FAKE_PROVIDER_PATH),
                         {u"--live"_s, u"60"_s, u"--movies"_s, u"80"_s, u"--series"_s, u"30"_s, u"--guide-channels"_s,
                          u"40"_s, u"--guide-programmes"_s, u"48"_s});
        QVERIFY(m_provider.waitForReadyRead(10'000));
        const QByteArray line = m_provider.readLine().trimmed();
        QVERIFY2(line.startsWith("port="), line.constData());
        m_port = quint16(line.mid(5).toUInt());
    }

    // Saves the login in the keyring and adds the playlist through the store, as the playlist
    // editor does, then waits for its catalogue and guide.
    void addPlaylistAsAUserWould()
    {
        SystemClock clock;
        SecretServiceKeyring keyring;
        CatalogueStore store({m_data.path(), false}, keyring, clock);
        awaitBlocking(store.started());
        const XtreamCredentials login = FakeProvider::defaultCredentials(m_port);
        const QString reference =
            awaitBlocking(store.credentialStore().save(login.serverURL, login.username, login.password));
        const std::optional<Playlist> playlist = store.addPlaylist(u"Fake provider"_s, login.serverURL, reference);
        QVERIFY(playlist);
        QVERIFY(QTest::qWaitFor([&] { return !store.isRefreshing(playlist->id); }, 60'000));
        QCOMPARE(store.activePlaylist().value_or(Playlist()).syncState, u"ready"_s);
        QVERIFY(!store.health().value(playlist->id).guideError);
    }

    QProcess m_provider;
    quint16 m_port = 0;
    QTemporaryDir m_data;
    QTemporaryDir m_shots;
};

QTEST_MAIN(ScreenshotsTest)
#include "tst_screenshots.moc"
