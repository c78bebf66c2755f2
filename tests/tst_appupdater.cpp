#include "App/AppUpdater.h"
#include "App/ServiceConfig.h"
#include "App/UpdateServiceError.h"
#include "Support/UserSettings.h"
#include "support/AwaitBlocking.h"
#include "support/FakeHttpServer.h"
#include "support/VirtualClock.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <mutex>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString lastCheckKey = u"quillmere.update.lastCheck"_s;

// The update service on 127.0.0.1: answers every request with the status and body it was given
// and keeps the requests it received.
class UpdateService final
{
public:
    UpdateService()
        : m_server([this](const FakeHttpRequest &request) { return handle(request); })
    {
    }

    [[nodiscard]] QString address() const { return u"http://127.0.0.1:%1"_s.arg(m_server.port()); }

    void answer(int status, const QByteArray &body = {})
    {
        std::lock_guard lock(m_mutex);
        m_status = status;
        m_body = body;
    }

    [[nodiscard]] QList<FakeHttpRequest> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    FakeResponse handle(const FakeHttpRequest &request)
    {
        std::lock_guard lock(m_mutex);
        m_requests.append(request);
        return FakeResponse::whole(m_status, m_body, "application/json");
    }

    mutable std::mutex m_mutex;
    int m_status = 204;
    QByteArray m_body;
    QList<FakeHttpRequest> m_requests;
    FakeHttpServer m_server; // last: it stops before the state it serves from goes
};

// An updater talking to the local service, with virtual time and a browser that only records.
struct Updater
{
    explicit Updater(const UpdateService &service)
    {
        qputenv("QUILLMERE_API", service.address().toUtf8());
        updater = std::make_unique<AppUpdater>(UpdateServiceClient(ServiceConfig::baseURL()), clock,
                                               [this](const QUrl &url) { opened.append(url); });
    }

    void check(bool force = false) { awaitBlocking(updater->checkIfDue(force)); }

    VirtualClock clock;
    QList<QUrl> opened;
    std::unique_ptr<AppUpdater> updater;
};

QByteArray offer(const QByteArray &fields)
{
    return "{\"version\":\"1.5.0\",\"url\":\"https://quillmere.app/download\"" + fields + '}';
}

} // namespace

class AppUpdaterTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationVersion(u"1.4.0"_s);
    }

    void init() { UserSettings::open()->clear(); }

    void comparesVersions_data()
    {
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("newer");

        QTest::newRow("last part") << u"1.2.10"_s << u"1.2.9"_s << true;
        QTest::newRow("last part, older") << u"1.2.9"_s << u"1.2.10"_s << false;
        QTest::newRow("missing part is 0") << u"1.2"_s << u"1.2.0"_s << false;
        QTest::newRow("extra part") << u"1.2.0.1"_s << u"1.2"_s << true;
        QTest::newRow("major") << u"2.0"_s << u"1.9.9"_s << true;
        QTest::newRow("numbers, not text") << u"1.10"_s << u"1.9"_s << true;
        QTest::newRow("suffix ignored") << u"2.0-beta"_s << u"2.0"_s << false;
        QTest::newRow("suffix number counts") << u"2.0-beta2"_s << u"2.0"_s << true;
        QTest::newRow("prefix ignored") << u"v1.5"_s << u"1.4.9"_s << true;
        QTest::newRow("empty is 0") << QString() << u"0"_s << false;
        QTest::newRow("anything beats empty") << u"0.0.1"_s << QString() << true;
        QTest::newRow("equal") << u"1.4.0"_s << u"1.4.0"_s << false;
        QTest::newRow("too long a number is dropped") << u"1.99999999999999999999999"_s << u"1"_s << false;
    }

    void comparesVersions()
    {
        QFETCH(QString, candidate);
        QFETCH(QString, current);
        QFETCH(bool, newer);
        QCOMPARE(AppUpdater::isNewer(candidate, current), newer);
    }

    void takesTheServiceAddressFromTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("base");

        const QString builtIn = u"https://updates.quillmere.app"_s;
        QTest::newRow("plain") << QByteArray("http://127.0.0.1:8080") << u"http://127.0.0.1:8080"_s;
        QTest::newRow("slash and blanks") << QByteArray("  https://api.example.org/ ") << u"https://api.example.org"_s;
        QTest::newRow("with a path") << QByteArray("https://example.org/service//") << u"https://example.org/service"_s;
        QTest::newRow("missing") << QByteArray() << builtIn;
        QTest::newRow("only slashes") << QByteArray(" // ") << builtIn;
        QTest::newRow("not an address") << QByteArray("updates please") << builtIn;
        QTest::newRow("a file") << QByteArray("file:///etc/passwd") << builtIn;
    }

    void takesTheServiceAddressFromTheEnvironment()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, base);
        if (variable.isNull())
            qunsetenv("QUILLMERE_API");
        else
            qputenv("QUILLMERE_API", variable);
        QCOMPARE(ServiceConfig::baseURL(), QUrl(base));
    }

    void asksForThisPlatformAndVersion()
    {
        UpdateService service;
        qputenv("QUILLMERE_API", " " + service.address().toUtf8() + "/ ");
        const UpdateServiceClient client(ServiceConfig::baseURL());
        QCOMPARE(awaitBlocking(client.latestUpdate(u"1.4.0 beta+1"_s)), std::nullopt);

        const QList<FakeHttpRequest> requests = service.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.constFirst().path, u"/api/v1/updates/latest"_s);
        QCOMPARE(requests.constFirst().rawQuery, QByteArray("platform=linux&current=1.4.0%20beta%2B1"));
    }

    void actsOnTheReply_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("offered");  // empty: no offer
        QTest::addColumn<bool>("banner");
        QTest::addColumn<bool>("blocking");
        QTest::addColumn<bool>("remembered"); // the check time is stored

        QTest::newRow("no update") << 204 << QByteArray() << QString() << false << false << false;
        QTest::newRow("older") << 200 << QByteArray("{\"version\":\"1.3.9\",\"url\":\"https://quillmere.app/d\"}")
                               << QString() << false << false << true;
        QTest::newRow("the running version") << 200 << QByteArray("{\"version\":\"1.4\",\"url\":\"https://q.app\"}")
                                             << QString() << false << false << true;
        QTest::newRow("newer") << 200 << offer("") << u"1.5.0"_s << true << false << true;
        QTest::newRow("newer with notes") << 200 << offer(",\"notes\":\"Faster guide.\",\"mandatory\":null")
                                          << u"1.5.0"_s << true << false << true;
        QTest::newRow("not mandatory") << 200 << offer(",\"mandatory\":false") << u"1.5.0"_s << true << false << true;
        QTest::newRow("mandatory") << 200 << offer(",\"mandatory\":true") << u"1.5.0"_s << false << true << true;
        QTest::newRow("another success status") << 201 << offer("") << u"1.5.0"_s << true << false << true;
        QTest::newRow("server error") << 500 << offer("") << QString() << false << false << false;
        QTest::newRow("not found") << 404 << QByteArray() << QString() << false << false << false;
        QTest::newRow("not JSON") << 200 << QByteArray("<html>") << QString() << false << false << false;
        QTest::newRow("no url") << 200 << QByteArray("{\"version\":\"9.0\"}") << QString() << false << false << false;
        QTest::newRow("number for a version") << 200 << QByteArray("{\"version\":9,\"url\":\"https://q.app\"}")
                                              << QString() << false << false << false;
        QTest::newRow("text for mandatory") << 200 << offer(",\"mandatory\":\"yes\"") << QString() << false << false
                                            << false;
        QTest::newRow("a list") << 200 << QByteArray("[]") << QString() << false << false << false;
    }

    void actsOnTheReply()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, offered);
        QFETCH(bool, banner);
        QFETCH(bool, blocking);
        QFETCH(bool, remembered);
        UpdateService service;
        service.answer(status, body);
        Updater updater(service);
        QSignalSpy bannerChanges(updater.updater.get(), &AppUpdater::bannerChanged);

        updater.check();

        QCOMPARE(service.requests().size(), 1);
        QCOMPARE(updater.updater->available().has_value(), !offered.isEmpty());
        if (!offered.isEmpty())
            QCOMPARE(updater.updater->available()->version, offered);
        QCOMPARE(updater.updater->banner().has_value(), banner);
        QCOMPARE(updater.updater->blocking().has_value(), blocking);
        QCOMPARE(bannerChanges.size(), banner ? 1 : 0);
        QCOMPARE(UserSettings::value(lastCheckKey).isValid(), remembered);
        if (remembered)
            QCOMPARE(UserSettings::value(lastCheckKey).toDateTime(), updater.clock.now());
    }

    void asksAtMostOnceADay_data()
    {
        QTest::addColumn<QVariant>("lastCheck");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("asks");

        const QDateTime now = VirtualClock().now();
        QTest::newRow("never asked") << QVariant() << false << true;
        QTest::newRow("23 hours ago") << QVariant(now.addSecs(-23 * 3600)) << false << false;
        QTest::newRow("25 hours ago") << QVariant(now.addSecs(-25 * 3600)) << false << true;
        QTest::newRow("a day ago to the second") << QVariant(now.addSecs(-24 * 3600)) << false << true;
        QTest::newRow("in the future") << QVariant(now.addSecs(3600)) << false << false;
        QTest::newRow("forced") << QVariant(now) << true << true;
        QTest::newRow("not a date") << QVariant(u"yesterday"_s) << false << true;
    }

    void asksAtMostOnceADay()
    {
        QFETCH(QVariant, lastCheck);
        QFETCH(bool, force);
        QFETCH(bool, asks);
        UpdateService service;
        service.answer(200, offer(""));
        Updater updater(service);
        if (lastCheck.isValid())
            UserSettings::setValue(lastCheckKey, lastCheck);

        updater.check(force);

        QCOMPARE(service.requests().size(), asks ? 1 : 0);
        QCOMPARE(updater.updater->available().has_value(), asks);
    }

    void aMandatoryUpdateCannotBeDismissed()
    {
        UpdateService service;
        service.answer(200, offer(",\"mandatory\":true"));
        Updater updater(service);
        updater.check();
        updater.updater->setDismissed(true);
        QVERIFY(updater.updater->blocking().has_value());
        QVERIFY(!updater.updater->banner().has_value());
        QVERIFY(updater.updater->property("blocking").isValid());

        // An optional one can: the banner goes, the offer stays.
        service.answer(200, offer(",\"mandatory\":false"));
        updater.check(true);
        QVERIFY(!updater.updater->banner().has_value());
        QVERIFY(!updater.updater->blocking().has_value());
        updater.updater->setDismissed(false);
        QCOMPARE(updater.updater->property("banner").toMap().value(u"version"_s), QVariant(u"1.5.0"_s));
    }

    void aFailedCheckKeepsTheOfferAndSaysNothing()
    {
        UpdateService service;
        service.answer(200, offer(""));
        Updater updater(service);
        updater.check();
        const QVariant checked = UserSettings::value(lastCheckKey);
        updater.clock.advance(std::chrono::hours(30));

        service.answer(503, QByteArray("busy"));
        updater.check();
        QCOMPARE(updater.updater->available()->version, u"1.5.0"_s);
        QCOMPARE(UserSettings::value(lastCheckKey), checked);

        // Nobody listening at all.
        qputenv("QUILLMERE_API", "http://127.0.0.1:9");
        const UpdateServiceClient unreachable(ServiceConfig::baseURL());
        try {
            (void)awaitBlocking(unreachable.latestUpdate(u"1.4.0"_s));
            QFAIL("a closed port answered");
        } catch (const UpdateServiceError &error) {
            QCOMPARE(error.status(), 0);
            QCOMPARE(error.code(), u"network"_s);
            QCOMPARE(error.message(), u"Can't reach the Quillmere service. Check your connection and try again."_s);
        }
    }

    void opensOnlyWebAddresses_data()
    {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<bool>("opens");

        QTest::newRow("https") << QByteArray("https://quillmere.app/download") << true;
        QTest::newRow("http") << QByteArray("http://quillmere.app/download") << true;
        QTest::newRow("upper-case scheme") << QByteArray("HTTPS://quillmere.app/download") << true;
        QTest::newRow("a file") << QByteArray("file:///home/user/.bashrc") << false;
        QTest::newRow("a script") << QByteArray("javascript:alert(1)") << false;
        QTest::newRow("another program") << QByteArray("ssh://host") << false;
        QTest::newRow("no host") << QByteArray("https:///path") << false;
        QTest::newRow("not an address") << QByteArray("http://exa mple.org") << false;
        QTest::newRow("relative") << QByteArray("download") << false;
    }

    void opensOnlyWebAddresses()
    {
        QFETCH(QByteArray, url);
        QFETCH(bool, opens);
        UpdateService service;
        service.answer(200, "{\"version\":\"2.0\",\"url\":\"" + url + "\"}");
        Updater updater(service);
        updater.updater->open(); // nothing offered yet
        updater.check();
        updater.updater->open();

        QCOMPARE(updater.opened.size(), opens ? 1 : 0);
        if (opens)
            QCOMPARE(updater.opened.constFirst().host(), u"quillmere.app"_s);
    }
};

QTEST_GUILESS_MAIN(AppUpdaterTest)
#include "tst_appupdater.moc"
