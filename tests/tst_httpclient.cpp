#include "Support/CancellationError.h"
#include "Support/HttpClient.h"
#include "Support/TransportError.h"
#include "support/CatalogueGenerator.h"
#include "support/FakeProvider.h"

#include <QTemporaryFile>
#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

struct Refused final : std::exception
{
};

// The provider's address for an endpoint, with the accepted login and these extra items.
QUrl apiURL(const FakeProvider &provider, const QList<std::pair<QString, QString>> &extra = {})
{
    const XtreamCredentials login = provider.credentials();
    QList<std::pair<QString, QString>> items = {{u"username"_s, login.username}, {u"password"_s, login.password}};
    items.append(extra);
    return HttpClient::withQuery(QUrl(provider.serverURL().toString() + u"/player_api.php"_s), items);
}

QUrl listURL(const FakeProvider &provider, const QString &action)
{
    return apiURL(provider, {{u"action"_s, action}});
}

HttpClient::Request request(const QUrl &url, std::chrono::milliseconds timeout = 10s)
{
    return {url, timeout};
}

void acceptAny(int) {}

QByteArray streamWhole(const HttpClient::Request &request, const std::stop_token &stop = {})
{
    QByteArray body;
    HttpClient::stream(request, acceptAny, [&body](QByteArrayView chunk) { body.append(chunk); }, stop);
    return body;
}

TransportError::Kind transportFailure(const std::function<void()> &action)
{
    try {
        action();
    } catch (const TransportError &error) {
        return error.kind();
    }
    return TransportError::Kind(-1);
}

quint16 closedPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(probe);
    return ntohs(address.sin_port);
}

} // namespace

class HttpClientTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_provider = std::make_unique<FakeProvider>();
        m_provider->setCatalogue(generateCatalogue({40, 30, 20}));
    }
    void cleanup() { m_provider.reset(); }

    void statusIsCheckedBeforeTheBody_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("ok") << 200;
        QTest::newRow("unauthorised") << 401;
        QTest::newRow("not found") << 404;
        QTest::newRow("server error") << 500;
    }
    void statusIsCheckedBeforeTheBody()
    {
        QFETCH(int, status);
        if (status != 200)
            m_provider->setFault(u"get_live_streams"_s, {.httpStatus = status});
        QList<int> seen;
        bool bodyBeforeStatus = false;
        const auto check = [&seen](int received) {
            seen.append(received);
            if (received != 200)
                throw Refused();
        };
        const auto consume = [&seen, &bodyBeforeStatus](QByteArrayView) { bodyBeforeStatus |= seen.isEmpty(); };
        const auto run = [&] { HttpClient::stream(request(listURL(*m_provider, u"get_live_streams"_s)), check, consume, {}); };
        if (status == 200)
            run();
        else
            QVERIFY_THROWS_EXCEPTION(Refused, run());
        QCOMPARE(seen, QList<int>{status});
        QVERIFY(!bodyBeforeStatus);
    }

    void emptyBodyStillHasItsStatusChecked()
    {
        m_provider->setCatalogue({});
        m_provider->setDocument(u"account"_s, {});
        QList<int> seen;
        const QByteArray body = HttpClient::get(request(apiURL(*m_provider)), [&seen](int status) { seen.append(status); }, {});
        QVERIFY(body.isEmpty());
        QCOMPARE(seen, QList<int>{200});
    }

    void redirectsAreFollowedUpToALimit()
    {
        m_provider->setFault(u"get_live_categories"_s, {.redirects = 3});
        const QByteArray body = streamWhole(request(listURL(*m_provider, u"get_live_categories"_s)));
        QVERIFY(body.startsWith("[{\"category_id\""));
        QCOMPARE(m_provider->requests().size(), 4);

        m_provider->setFault(u"get_live_categories"_s, {.redirects = 12});
        try {
            (void)streamWhole(request(listURL(*m_provider, u"get_live_categories"_s)));
            QFAIL("an endless redirect chain must fail");
        } catch (const TransportError &error) {
            QCOMPARE(error.kind(), TransportError::Kind::Other);
            QCOMPARE(error.code(), 47); // too many redirects
        }
    }

    void compressedBodiesArriveDecoded()
    {
        const QUrl url = listURL(*m_provider, u"get_vod_streams"_s);
        const QByteArray plain = streamWhole(request(url));
        m_provider->setFault(u"get_vod_streams"_s, {.gzip = true});
        m_provider->clearRequests();
        QCOMPARE(streamWhole(request(url)), plain);
        QVERIFY(m_provider->requests().constFirst().acceptEncoding.contains("gzip"));
    }

    void inactivityEndsAStalledBody_data()
    {
        QTest::addColumn<qint64>("stallAfter");
        QTest::newRow("headers only") << qint64(0);
        QTest::newRow("after some bytes") << qint64(500);
    }
    void inactivityEndsAStalledBody()
    {
        QFETCH(qint64, stallAfter);
        m_provider->setFault(u"get_series"_s, {.stallAfterBytes = stallAfter});
        qsizetype received = 0;
        const auto consume = [&received](QByteArrayView chunk) { received += chunk.size(); };
        const auto run = [&] { HttpClient::stream(request(listURL(*m_provider, u"get_series"_s), 1s), acceptAny, consume, {}); };
        QCOMPARE(transportFailure(run), TransportError::Kind::TimedOut);
        QCOMPARE(received, stallAfter);
    }

    // A stream's time-out measures silence, not the whole transfer, and a stream that keeps
    // coming, however slowly, passes its stall windows: it runs past both.
    void aSteadyStreamIsNotCutOff()
    {
        m_provider->setCatalogue(generateCatalogue({200, 0, 0}));
        m_provider->setFault(u"get_live_streams"_s, {.pieceBytes = 1024, .pause = 100ms});
        QByteArray body;
        try {
            body = streamWhole({listURL(*m_provider, u"get_live_streams"_s), 1s, 500ms});
        } catch (const std::exception &error) {
            // Failed here rather than left to end the whole test program.
            QFAIL(qPrintable(u"the steady stream was cut off: "_s + QString::fromUtf8(error.what())));
        }
        QVERIFY(body.endsWith("]\n"));
        // A pause after every piece: more than twenty pieces outlast the time-out and four windows.
        QVERIFY2(body.size() > 20 * 1024, "the stream must outlast the time limits for this test to mean anything");
    }

    // Bytes that never stop coming, yet come far too slowly: a whole body ends at its time-out,
    // a stream when a stall window brings too few of them.
    void aTrickleEndsAsTimedOut_data()
    {
        QTest::addColumn<bool>("wholeBody");
        QTest::newRow("whole body") << true;
        QTest::newRow("stream") << false;
    }
    void aTrickleEndsAsTimedOut()
    {
        QFETCH(bool, wholeBody);
        // Eight bytes every 20 ms: never a silence of the time-out, a fifth of the floor per window.
        m_provider->setDocument(u"account"_s, "{\"padding\": \"" + QByteArray(8 * 1024, '.') + "\"}");
        m_provider->setFault(u"account"_s, {.pieceBytes = 8, .pause = 20ms});
        const HttpClient::Request trickled{apiURL(*m_provider), 500ms, 500ms};
        const auto run = [&] {
            if (wholeBody)
                (void)HttpClient::get(trickled, acceptAny, {});
            else
                (void)streamWhole(trickled);
        };
        QCOMPARE(transportFailure(run), TransportError::Kind::TimedOut);
    }

    // The server stays silent for far longer than the test may run: only the stop can end it,
    // and it ends as a cancellation, not as a time-out.
    void cancellingAStalledTransferEndsIt()
    {
        m_provider->setFault(u"get_vod_streams"_s, {.stallAfterBytes = 0});
        std::stop_source source;
        // The stop comes once the server has the request and has fallen silent.
        std::thread canceller([&] {
            while (m_provider->requests().isEmpty())
                std::this_thread::yield();
            source.request_stop();
        });
        QVERIFY_THROWS_EXCEPTION(CancellationError,
                                 (void)streamWhole(request(listURL(*m_provider, u"get_vod_streams"_s), 1h), source.get_token()));
        canceller.join();
    }

    void anAlreadyCancelledTokenSendsNothing()
    {
        std::stop_source source;
        source.request_stop();
        QVERIFY_THROWS_EXCEPTION(CancellationError, (void)HttpClient::get(request(apiURL(*m_provider)), acceptAny, source.get_token()));
        QVERIFY(m_provider->requests().isEmpty());
    }

    void aConnectionCutMidBodyIsALostConnection()
    {
        m_provider->setFault(u"get_vod_streams"_s, {.cutAfterBytes = 3000});
        qsizetype received = 0;
        const auto run = [&] {
            HttpClient::stream(request(listURL(*m_provider, u"get_vod_streams"_s)), acceptAny,
                               [&received](QByteArrayView chunk) { received += chunk.size(); }, {});
        };
        QCOMPARE(transportFailure(run), TransportError::Kind::NetworkConnectionLost);
        QCOMPARE(received, 3000);
    }

    // A live stream taken off the air drops its connection mid-body; it comes back when restored.
    void aLiveStreamCutMidwayIsALostConnection()
    {
        QTemporaryFile media;
        QVERIFY(media.open());
        media.write(QByteArray(188 * 100, 'G'));
        media.flush();
        m_provider->setLiveStream(media.fileName(), 188 * 200);
        const XtreamCredentials login = m_provider->credentials();
        const QUrl url(m_provider->serverURL().toString() + u"/live/"_s + QString::fromLatin1(QUrl::toPercentEncoding(login.username))
                       + u'/' + QString::fromLatin1(QUrl::toPercentEncoding(login.password)) + u"/7.ts"_s);
        qsizetype received = 0;
        const auto run = [&] {
            HttpClient::stream(request(url), acceptAny, [&](QByteArrayView chunk) {
                received += chunk.size();
                if (received > 188 * 50)
                    m_provider->setLiveOnAir(false);
            }, {});
        };
        QCOMPARE(transportFailure(run), TransportError::Kind::NetworkConnectionLost);
        QList<int> statuses;
        const auto status = [&statuses](int code) { statuses.append(code); };
        (void)HttpClient::get(request(url), status, {});
        m_provider->setLiveOnAir(true);
        received = 0;
        QVERIFY_THROWS_EXCEPTION(Refused, HttpClient::stream(request(url), status, [&](QByteArrayView chunk) {
            received += chunk.size();
            if (received > 188 * 50)
                throw Refused();
        }, {}));
        QCOMPARE(statuses, (QList<int>{503, 200}));
    }

    void consumerErrorsPropagateUnchanged()
    {
        const auto run = [&] {
            HttpClient::stream(request(listURL(*m_provider, u"get_live_streams"_s)), acceptAny,
                               [](QByteArrayView) { throw Refused(); }, {});
        };
        QVERIFY_THROWS_EXCEPTION(Refused, run());
        // The abandoned transfer leaves the thread's session usable.
        QVERIFY(HttpClient::get(request(apiURL(*m_provider)), acceptAny, {}).contains("\"auth\":1"));
    }

    void aConsumerMayStartARequestOfItsOwn()
    {
        QByteArray inner;
        HttpClient::stream(request(listURL(*m_provider, u"get_live_categories"_s)), acceptAny,
                           [&](QByteArrayView) {
                               if (inner.isEmpty())
                                   inner = HttpClient::get(request(apiURL(*m_provider)), acceptAny, {});
                           },
                           {});
        QVERIFY(inner.contains("\"auth\":1"));
    }

    void onlyHttpAndHttpsAreSpoken_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("ftp") << u"ftp://127.0.0.1:%1/player_api.php"_s;
        QTest::newRow("file") << u"file:///etc/hostname"_s;
        QTest::newRow("dict") << u"dict://127.0.0.1:%1/"_s;
        QTest::newRow("gopher") << u"gopher://127.0.0.1:%1/"_s;
    }
    void onlyHttpAndHttpsAreSpoken()
    {
        QFETCH(QString, address);
        const QUrl url(m_provider->withPort(address));
        QCOMPARE(transportFailure([&] { (void)HttpClient::get(request(url), acceptAny, {}); }), TransportError::Kind::Other);
        QVERIFY(m_provider->requests().isEmpty());
    }

    void unreachableServersAreClassified()
    {
        QCOMPARE(transportFailure([] { (void)HttpClient::get(request(QUrl(u"http://no-such-host.invalid/"_s)), acceptAny, {}); }),
                 TransportError::Kind::CannotFindHost);
        const QUrl refused(u"http://127.0.0.1:%1/"_s.arg(closedPort()));
        QCOMPARE(transportFailure([&] { (void)HttpClient::get(request(refused), acceptAny, {}); }),
                 TransportError::Kind::CannotConnectToHost);
    }

    void queryValuesReachTheServerIntact_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("plus") << u"a+b"_s;
        QTest::newRow("ampersand and equals") << u"a&b=c"_s;
        QTest::newRow("hash") << u"x#y"_s;
        QTest::newRow("percent") << u"100%"_s;
        QTest::newRow("percent escape lookalike") << u"%2B%41"_s;
        QTest::newRow("space and slash") << u"a b/c?"_s;
        QTest::newRow("non-ASCII") << u"пароль-密码-é"_s;
    }
    void queryValuesReachTheServerIntact()
    {
        QFETCH(QString, password);
        m_provider->setLogin(u"user name+"_s, password);
        const QByteArray body = HttpClient::get(request(apiURL(*m_provider, {{u"series_id"_s, u"1&2"_s}})), acceptAny, {});
        QVERIFY(body.contains("\"auth\":1"));
        const FakeRequest received = m_provider->requests().constFirst();
        const QList<std::pair<QString, QString>> expected = {
            {u"username"_s, u"user name+"_s}, {u"password"_s, password}, {u"series_id"_s, u"1&2"_s}};
        QCOMPARE(received.query, expected);
    }

    void withQueryReplacesTheAddressQuery()
    {
        const QUrl url = HttpClient::withQuery(QUrl(u"http://example.test/p?old=1#frag"_s), {{u"a"_s, u"1"_s}, {u"b"_s, u"+"_s}});
        QCOMPARE(url.query(QUrl::FullyEncoded), u"a=1&b=%2B"_s);
    }

private:
    std::unique_ptr<FakeProvider> m_provider;
};

QTEST_GUILESS_MAIN(HttpClientTest)
#include "tst_httpclient.moc"
