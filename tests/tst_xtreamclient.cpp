#include "Provider/JSONParseError.h"
#include "Provider/XtreamAPIError.h"
#include "Provider/XtreamClient.h"
#include "Support/CancellationError.h"
#include "Support/TransportError.h"
#include "support/CatalogueGenerator.h"
#include "support/FakeProvider.h"
#include "support/Outcome.h"

#include <QLoggingCategory>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(FakeFault)
Q_DECLARE_METATYPE(CatalogueKind)

namespace {

using QueryItems = QList<std::pair<QString, QString>>;

XtreamCredentials withServer(XtreamCredentials login, const QString &address)
{
    login.serverURL = QUrl(address);
    return login;
}

} // namespace

class XtreamClientTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_provider = std::make_unique<FakeProvider>();
        m_provider->setCatalogue(generateCatalogue({250, 40, 30}));
    }
    void cleanup() { m_provider.reset(); }

    void requestsAreBuiltFromTheServerAddress_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("apiPath");
        QTest::addColumn<QString>("guidePath");
        QTest::newRow("no path") << u""_s << u"/player_api.php"_s << u"/xmltv.php"_s;
        QTest::newRow("root") << u"/"_s << u"/player_api.php"_s << u"/xmltv.php"_s;
        QTest::newRow("sub folder") << u"/sub/"_s << u"/sub/player_api.php"_s << u"/sub/xmltv.php"_s;
        QTest::newRow("nested, slashes") << u"//a/b//"_s << u"/a/b/player_api.php"_s << u"/a/b/xmltv.php"_s;
        QTest::newRow("endpoint in any case") << u"/sub/Player_API.php"_s << u"/sub/Player_API.php"_s << u"/sub/xmltv.php"_s;
        QTest::newRow("query dropped") << u"/player_api.php?username=x&password=y&action=z"_s << u"/player_api.php"_s
                                       << u"/xmltv.php"_s;
    }
    void requestsAreBuiltFromTheServerAddress()
    {
        QFETCH(QString, path);
        QFETCH(QString, apiPath);
        QFETCH(QString, guidePath);
        const XtreamCredentials login = m_provider->credentials();
        const XtreamClient client(withServer(login, m_provider->serverURL().toString() + path));
        client.consumeCategories(CatalogueKind::Movie, [](const QList<Category> &) {}, {});
        client.consumeXMLTVGuide([](const GuideProgramme &) {}, {});
        const QList<FakeRequest> requests = m_provider->requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests.at(0).path, apiPath);
        QCOMPARE(requests.at(0).query, (QueryItems{{u"username"_s, login.username},
                                                   {u"password"_s, login.password},
                                                   {u"action"_s, u"get_vod_categories"_s}}));
        QCOMPARE(requests.at(1).path, guidePath);
        QCOMPARE(requests.at(1).query, (QueryItems{{u"username"_s, login.username}, {u"password"_s, login.password}}));
    }

    void extraQueryItemsFollowTheAction()
    {
        const XtreamClient client(m_provider->credentials());
        (void)client.fetchSeriesEpisodes(u"7 & 8"_s, {});
        (void)client.fetchShortEPG(u"42"_s, 24, {});
        const QList<FakeRequest> requests = m_provider->requests();
        QCOMPARE(requests.at(0).query.mid(2), (QueryItems{{u"action"_s, u"get_series_info"_s}, {u"series_id"_s, u"7 & 8"_s}}));
        QCOMPARE(requests.at(1).query.mid(2),
                 (QueryItems{{u"action"_s, u"get_short_epg"_s}, {u"stream_id"_s, u"42"_s}, {u"limit"_s, u"24"_s}}));
    }

    void unusableServerAddressesSendNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("ftp") << u"ftp://127.0.0.1:%1/"_s;
        QTest::newRow("file") << u"file:///tmp/player_api.php"_s;
        QTest::newRow("no scheme") << u"127.0.0.1:%1"_s;
        QTest::newRow("no host") << u"http://"_s;
        QTest::newRow("empty") << u""_s;
    }
    void unusableServerAddressesSendNothing()
    {
        QFETCH(QString, address);
        const XtreamClient client(withServer(m_provider->credentials(), m_provider->withPort(address)));
        QCOMPARE(outcome([&] { client.verifyCredentials({}); }), u"The Xtream server URL is invalid."_s);
        QCOMPARE(outcome([&] { client.consumeXMLTVGuide([](const GuideProgramme &) {}, {}); }),
                 u"The Xtream server URL is invalid."_s);
        QVERIFY(m_provider->requests().isEmpty());
    }

    void accountCheckOutcomes_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("expected");
        const auto account = [](const QByteArray &userInfo, const QByteArray &root = {}) -> QByteArray {
            return "{\"user_info\":{" + userInfo + "}" + root + "}";
        };
        QTest::newRow("auth number 1") << account("\"auth\":1") << QString();
        QTest::newRow("auth text 1") << account("\"auth\":\"1\"") << QString();
        QTest::newRow("auth TRUE") << account("\"auth\":\"TRUE\"") << QString();
        QTest::newRow("auth true literal") << account("\"auth\":true") << QString();
        QTest::newRow("auth 0") << account("\"auth\":0") << rejectedLogin;
        QTest::newRow("auth false") << account("\"auth\":\"false\"") << rejectedLogin;
        QTest::newRow("auth yes") << account("\"auth\":\"yes\"") << rejectedLogin;
        QTest::newRow("auth empty") << account("\"auth\":\"\"") << rejectedLogin;
        QTest::newRow("no user_info") << QByteArray("{\"server_info\":{}}") << rejectedLogin;
        QTest::newRow("user_info not an object") << QByteArray("{\"user_info\":[]}") << rejectedLogin;
        QTest::newRow("status Active") << account("\"auth\":1,\"status\":\"ACTIVE\"") << QString();
        QTest::newRow("status Expired") << account("\"auth\":1,\"status\":\"Expired\"") << inactiveAccount;
        QTest::newRow("root message") << account("\"auth\":1", ",\"message\":\"Renew now\"") << accountError;
        QTest::newRow("root error") << account("\"auth\":1", ",\"error\":\"Banned\"") << accountError;
        QTest::newRow("message inside user_info") << account("\"auth\":1,\"message\":\"Welcome\"") << QString();
        QTest::newRow("refused before inactive") << account("\"auth\":0,\"status\":\"Expired\"") << rejectedLogin;
        QTest::newRow("root not an object") << QByteArray("[1,2]") << unreadableResponse;
        QTest::newRow("not JSON") << QByteArray("<html>Welcome</html>") << parseError;
    }
    void accountCheckOutcomes()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, expected);
        m_provider->setDocument(u"account"_s, reply);
        const XtreamClient client(m_provider->credentials());
        QCOMPARE(outcome([&] { client.verifyCredentials({}); }), expected);
    }

    // A whole reply is held in memory, so one that decodes past 64 MiB is refused as it arrives,
    // however small it is on the wire: the gzip row is a compression bomb.
    void anOversizedReplyIsUnreadable_data()
    {
        QTest::addColumn<bool>("gzip");
        QTest::newRow("plain") << false;
        QTest::newRow("compressed") << true;
    }
    void anOversizedReplyIsUnreadable()
    {
        QFETCH(bool, gzip);
        const QByteArray padding(64 * 1024 * 1024, ' ');
        m_provider->setDocument(u"account"_s, "{\"user_info\":{\"auth\":1}" + padding + '}');
        m_provider->setFault(u"account"_s, {.gzip = gzip});
        const XtreamClient client(m_provider->credentials());
        QCOMPARE(outcome([&] { client.verifyCredentials({}); }), unreadableResponse);
    }

    void aWrongLoginIsRefusedByTheProvider()
    {
        XtreamCredentials login = m_provider->credentials();
        QCOMPARE(outcome([&] { XtreamClient(login).verifyCredentials({}); }), QString());
        login.password += u'x';
        QCOMPARE(outcome([&] { XtreamClient(login).verifyCredentials({}); }), rejectedLogin);
    }

    void statusesOutsideTwoHundredAreProviderErrors_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<int>("status");
        QTest::newRow("account 401") << u"account"_s << 401;
        QTest::newRow("account 404") << u"account"_s << 404;
        QTest::newRow("streams 503") << u"get_live_streams"_s << 503;
        QTest::newRow("guide 404") << u"xmltv"_s << 404;
    }
    void statusesOutsideTwoHundredAreProviderErrors()
    {
        QFETCH(QString, endpoint);
        QFETCH(int, status);
        m_provider->setFault(endpoint, {.httpStatus = status});
        const XtreamClient client(m_provider->credentials());
        QString result;
        if (endpoint == "account"_L1)
            result = outcome([&] { client.verifyCredentials({}); });
        else if (endpoint == "xmltv"_L1)
            result = outcome([&] { client.consumeXMLTVGuide([](const GuideProgramme &) {}, {}); });
        else
            result = outcome([&] { client.consumeContent(CatalogueKind::Live, [](const QList<ContentItem> &) {}, {}); });
        QCOMPARE(result, u"The Xtream server returned HTTP status %1."_s.arg(status));
    }

    void listsArriveInBatchesOfAHundred()
    {
        const GeneratedCatalogue catalogue = generateCatalogue({250, 40, 30});
        const XtreamClient client(m_provider->credentials());
        QList<qsizetype> sizes;
        QList<ContentItem> received;
        client.consumeContent(CatalogueKind::Live, [&](const QList<ContentItem> &batch) {
            sizes.append(batch.size());
            received.append(batch);
        }, {});
        QCOMPARE(sizes, (QList<qsizetype>{100, 100, 50}));
        const QList<ContentItem> sent = catalogue.itemsOf(CatalogueKind::Live);
        for (qsizetype index = 0; index < sent.size(); ++index)
            QCOMPARE(received.at(index), FakeProviderCatalogue::decodedItem(sent.at(index)));

        for (const CatalogueKind kind : allCatalogueKinds) {
            QList<Category> categories;
            client.consumeCategories(kind, [&](const QList<Category> &batch) { categories.append(batch); }, {});
            QCOMPARE(categories, catalogue.categoriesOf(kind));
        }
    }

    void filmsAndSeriesRoundTrip_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<bool>("gzip");
        QTest::newRow("films") << CatalogueKind::Movie << false;
        QTest::newRow("series, compressed") << CatalogueKind::Series << true;
    }
    void filmsAndSeriesRoundTrip()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(bool, gzip);
        m_provider->setFault(kind == CatalogueKind::Movie ? u"get_vod_streams"_s : u"get_series"_s, {.gzip = gzip});
        QList<ContentItem> received;
        XtreamClient(m_provider->credentials())
            .consumeContent(kind, [&](const QList<ContentItem> &batch) { received.append(batch); }, {});
        QList<ContentItem> expected = generateCatalogue({250, 40, 30}).itemsOf(kind);
        std::transform(expected.begin(), expected.end(), expected.begin(), FakeProviderCatalogue::decodedItem);
        QCOMPARE(received, expected);
    }

    // Batches handed over before a failure stay with the consumer; the failure ends the download.
    void brokenListsFailAfterTheirGoodBatches_data()
    {
        QTest::addColumn<FakeFault>("fault");
        QTest::addColumn<QList<qsizetype>>("batches");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cut off after 150 objects") << FakeFault{.array = {.truncateAfter = 150}} << QList<qsizetype>{100} << unreadableResponse;
        QTest::newRow("object over 4 MiB") << FakeFault{.array = {.oversizedAt = 120}} << QList<qsizetype>{100} << unreadableResponse;
        QTest::newRow("malformed object") << FakeFault{.array = {.malformedAt = 205}} << QList<qsizetype>{100, 100}
                                          << parseError;
        QTest::newRow("connection cut") << FakeFault{.cutAfterBytes = 40'000} << QList<qsizetype>{100} << u"TransportError %1"_s.arg(int(TransportError::Kind::NetworkConnectionLost));
    }
    void brokenListsFailAfterTheirGoodBatches()
    {
        QFETCH(FakeFault, fault);
        QFETCH(QList<qsizetype>, batches);
        QFETCH(QString, expected);
        m_provider->setFault(u"get_live_streams"_s, fault);
        QList<qsizetype> sizes;
        const XtreamClient client(m_provider->credentials());
        QCOMPARE(outcome([&] {
                     client.consumeContent(CatalogueKind::Live, [&](const QList<ContentItem> &batch) { sizes.append(batch.size()); }, {});
                 }),
                 expected);
        QCOMPARE(sizes, batches);
    }

    void aConsumerErrorOrAStopEndsTheDownload()
    {
        const XtreamClient client(m_provider->credentials());
        int calls = 0;
        QCOMPARE(outcome([&] {
                     client.consumeContent(CatalogueKind::Live, [&](const QList<ContentItem> &) {
                         ++calls;
                         throw XtreamAPIError::providerMessage(u"stop here"_s);
                     }, {});
                 }),
                 u"stop here"_s);
        QCOMPARE(calls, 1);

        std::stop_source stop;
        calls = 0;
        QCOMPARE(outcome([&] {
                     client.consumeContent(CatalogueKind::Live, [&](const QList<ContentItem> &) {
                         ++calls;
                         stop.request_stop();
                     }, stop.get_token());
                 }),
                 u"CancellationError"_s);
        QCOMPARE(calls, 1);
    }

    void anEmptyListIsNoBatchAtAll()
    {
        m_provider->setCatalogue({});
        int calls = 0;
        XtreamClient(m_provider->credentials()).consumeContent(CatalogueKind::Movie, [&](const QList<ContentItem> &) { ++calls; }, {});
        QCOMPARE(calls, 0);
    }

    void seriesEpisodesRoundTrip()
    {
        const QList<SeriesEpisode> episodes = XtreamClient(m_provider->credentials()).fetchSeriesEpisodes(u"12"_s, {});
        QVERIFY(!episodes.isEmpty());
        const SeriesEpisode &first = episodes.constFirst();
        QCOMPARE(first.seriesID, u"12"_s);
        QCOMPARE(first.providerID, u"12-101"_s);
        QCOMPARE(first.seasonNumber, 1);
        QCOMPARE(first.episodeNumber, 1);
        QCOMPARE(first.title, u"Episode 1 of season 1"_s);
        QCOMPARE(first.plot, std::optional(u"Plot 1"_s));
        QCOMPARE(first.containerExtension, std::optional(u"mkv"_s));
        QVERIFY(std::is_sorted(episodes.begin(), episodes.end(), [](const SeriesEpisode &a, const SeriesEpisode &b) {
            return std::pair(a.seasonNumber, a.episodeNumber) < std::pair(b.seasonNumber, b.episodeNumber);
        }));
    }

    void shortGuideLimitIsClamped_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("sent");
        QTest::newRow("zero") << 0 << 1;
        QTest::newRow("negative") << -5 << 1;
        QTest::newRow("usual") << 24 << 24;
        QTest::newRow("too many") << 100 << 48;
    }
    void shortGuideLimitIsClamped()
    {
        QFETCH(int, limit);
        QFETCH(int, sent);
        const QList<LiveProgramme> programmes = XtreamClient(m_provider->credentials()).fetchShortEPG(u"9"_s, limit, {});
        QCOMPARE(m_provider->requests().constFirst().query.constLast(), std::pair(u"limit"_s, QString::number(sent)));
        QCOMPARE(programmes.size(), sent);
        QCOMPARE(programmes.constFirst().title, u"Programme 1 on 9"_s); // sent as Base64
    }

    void guideProgrammesArriveWhateverTheChunking_data()
    {
        QTest::addColumn<FakeFault>("fault");
        QTest::newRow("tiny chunks") << FakeFault{.pieceBytes = 7, .pause = 1ms};
        QTest::newRow("compressed") << FakeFault{.gzip = true};
    }
    void guideProgrammesArriveWhateverTheChunking()
    {
        QFETCH(FakeFault, fault);
        FakeGuide guide;
        guide.start = QDateTime(QDate(2026, 3, 1), QTime(6, 0), Qt::UTC);
        guide.channelIDs = {u"news.uk"_s, u"sport.de"_s, u"films.us"_s};
        guide.programmesPerChannel = 6;
        m_provider->setGuide(guide);
        m_provider->setFault(u"xmltv"_s, fault);
        QList<GuideProgramme> programmes;
        XtreamClient(m_provider->credentials()).consumeXMLTVGuide([&](const GuideProgramme &programme) {
            programmes.append(programme);
        }, {});
        QCOMPARE(programmes.size(), 18);
        QCOMPARE(programmes.at(0).channelID, u"news.uk"_s);
        QCOMPARE(programmes.at(0).start, guide.start);
        QCOMPARE(programmes.at(0).title, u"News & Weather 0"_s);
        QCOMPARE(programmes.at(1).title, u"Show & Tell 1"_s);
        // Every channel writes its times in another zone; all land on the same grid.
        QCOMPARE(programmes.at(6).start, guide.start);
        QCOMPARE(programmes.at(13).start, guide.start.addSecs(30 * 60));
    }

    void aGuideWithoutItsEndFailsAfterItsProgrammes()
    {
        FakeGuide guide;
        guide.start = QDateTime(QDate(2026, 3, 1), QTime(6, 0), Qt::UTC);
        guide.channelIDs = {u"news.uk"_s};
        guide.programmesPerChannel = 5;
        guide.truncated = true;
        m_provider->setGuide(guide);
        int count = 0;
        QCOMPARE(outcome([&] {
                     XtreamClient(m_provider->credentials()).consumeXMLTVGuide([&](const GuideProgramme &) { ++count; }, {});
                 }),
                 unreadableResponse);
        QCOMPARE(count, 5);
    }

    // No login ever reaches a log line, whatever the client does and however it fails.
    void loginsNeverReachTheLog()
    {
        static QStringList lines;
        lines.clear();
        QLoggingCategory::setFilterRules(u"*.debug=true"_s);
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            lines.append(text);
        });
        m_provider->setLogin(u"secret-user"_s, u"pass+word&more"_s);
        FakeGuide guide;
        guide.start = QDateTime::currentDateTimeUtc();
        guide.channelIDs = {u"news.uk"_s};
        m_provider->setGuide(guide);
        const XtreamClient client(m_provider->credentials());
        client.verifyCredentials({});
        for (const CatalogueKind kind : allCatalogueKinds) {
            client.consumeCategories(kind, [](const QList<Category> &) {}, {});
            client.consumeContent(kind, [](const QList<ContentItem> &) {}, {});
        }
        (void)client.fetchSeriesEpisodes(u"3"_s, {});
        (void)client.fetchShortEPG(u"3"_s, 4, {});
        client.consumeXMLTVGuide([](const GuideProgramme &) {}, {});
        m_provider->setFault(u"get_vod_streams"_s, {.cutAfterBytes = 100});
        (void)outcome([&] { client.consumeContent(CatalogueKind::Movie, [](const QList<ContentItem> &) {}, {}); });
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules({});

        QVERIFY(!lines.isEmpty()); // the guide's completion line at least
        const QString all = lines.join(u'\n');
        for (const QString &secret : {u"secret-user"_s, u"pass+word"_s, u"pass%2Bword"_s, u"secret%2Duser"_s})
            QVERIFY2(!all.contains(secret), qPrintable(secret));
    }

private:
    std::unique_ptr<FakeProvider> m_provider;
};

QTEST_GUILESS_MAIN(XtreamClientTest)
#include "tst_xtreamclient.moc"
