#include "Playback/LiveEPGController.h"
#include "support/FakeProvider.h"
#include "support/VirtualClock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int timeoutMs = 10'000;

// The virtual clock starts at noon.
const QDateTime noon(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC);

QJsonObject listing(const QString &title, const QDateTime &start, int minutes)
{
    return {{u"id"_s, title},
            {u"title"_s, title},
            {u"start_timestamp"_s, start.toSecsSinceEpoch()},
            {u"stop_timestamp"_s, start.addSecs(minutes * 60).toSecsSinceEpoch()}};
}

QByteArray shortGuide(const QJsonArray &listings)
{
    return QJsonDocument(QJsonObject{{u"epg_listings"_s, listings}}).toJson(QJsonDocument::Compact);
}

// The guide of the morning, around noon: one that ends as noon begins, one that starts at noon.
const QByteArray aroundNoon = shortGuide({listing(u"Morning show"_s, noon.addSecs(-1800), 30),
                                          listing(u"Noon news"_s, noon, 30),
                                          listing(u"Afternoon film"_s, noon.addSecs(1800), 90)});

std::optional<QString> titleOf(const std::optional<LiveProgramme> &programme)
{
    return programme ? std::optional<QString>(programme->title) : std::nullopt;
}

} // namespace

class LiveGuideTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_provider.clearFaults();
        m_provider.clearRequests();
        m_provider.setDocument(u"get_short_epg"_s, aroundNoon);
    }

    void nowAndNextFollowTheClockAndRefreshEveryMinute()
    {
        VirtualClock clock(noon);
        LiveEPGController guide(u"7"_s, m_provider.credentials(), std::nullopt, clock);
        guide.start();
        QTRY_VERIFY_WITH_TIMEOUT(guide.lastUpdated().isValid(), timeoutMs);
        QVERIFY(!guide.isLoading());
        QCOMPARE(titleOf(guide.now()), std::optional<QString>(u"Noon news"_s));
        QCOMPARE(titleOf(guide.next()), std::optional<QString>(u"Afternoon film"_s));
        QVERIFY(guide.errorMessage().isEmpty());
        QCOMPARE(shortGuideRequests(), QStringList({u"7|24"_s}));

        // A second start while the loop runs starts nothing: a refresh begun would be loading
        // until its answer is handled.
        guide.start();
        clock.advance(59s);
        QVERIFY(!guide.isLoading());
        QCOMPARE(shortGuideRequests().size(), 1);
        clock.advance(1s);
        QTRY_COMPARE_WITH_TIMEOUT(shortGuideRequests().size(), 2, timeoutMs);

        // Half an hour on, the film is on air and nothing follows it.
        QTRY_VERIFY_WITH_TIMEOUT(!guide.isLoading(), timeoutMs);
        clock.advance(30min);
        QTRY_COMPARE_WITH_TIMEOUT(titleOf(guide.now()), std::optional<QString>(u"Afternoon film"_s), timeoutMs);
        QCOMPARE(guide.next(), std::nullopt);
    }

    void nothingStartsWithoutAStreamOrALogin()
    {
        VirtualClock clock(noon);
        LiveEPGController withoutStream(std::nullopt, m_provider.credentials(), u"7"_s, clock);
        LiveEPGController withoutLogin(u"7"_s, std::nullopt, u"7"_s, clock);
        withoutStream.start();
        withoutLogin.start();
        clock.advance(2min);
        QVERIFY(!withoutStream.isLoading() && !withoutLogin.isLoading());
        QCOMPARE(clock.pendingSleeps(), 0);
        QVERIFY(m_provider.requests().isEmpty());
        QVERIFY(!withoutStream.lastUpdated().isValid() && !withoutLogin.lastUpdated().isValid());
    }

    void emptyGuideAsksTheAlternativeOnlyWhenItDiffers_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<std::optional<QString>>("alternative");
        QTest::addColumn<QStringList>("requests");
        const QByteArray empty = shortGuide({});
        QTest::newRow("programmes") << aroundNoon << std::optional<QString>(u"epg.seven"_s) << QStringList{u"7|24"_s};
        QTest::newRow("empty, same id") << empty << std::optional<QString>(u"7"_s) << QStringList{u"7|24"_s};
        QTest::newRow("empty, no alternative") << empty << std::optional<QString>() << QStringList{u"7|24"_s};
        QTest::newRow("empty, alternative") << empty << std::optional<QString>(u"epg.seven"_s)
                                            << QStringList{u"7|24"_s, u"epg.seven|24"_s};
    }

    void emptyGuideAsksTheAlternativeOnlyWhenItDiffers()
    {
        QFETCH(QByteArray, document);
        QFETCH(std::optional<QString>, alternative);
        QFETCH(QStringList, requests);
        m_provider.setDocument(u"get_short_epg"_s, document);
        VirtualClock clock(noon);
        LiveEPGController guide(u"7"_s, m_provider.credentials(), alternative, clock);
        guide.start();
        QTRY_VERIFY_WITH_TIMEOUT(guide.lastUpdated().isValid(), timeoutMs);
        QCOMPARE(shortGuideRequests(), requests);
        QVERIFY(guide.errorMessage().isEmpty());
    }

    void failedRefreshKeepsTheListUntilTheNextSuccess()
    {
        VirtualClock clock(noon);
        LiveEPGController guide(u"7"_s, m_provider.credentials(), std::nullopt, clock);
        guide.start();
        QTRY_VERIFY_WITH_TIMEOUT(guide.lastUpdated().isValid(), timeoutMs);
        const QDateTime firstUpdate = guide.lastUpdated();

        FakeFault failure;
        failure.httpStatus = 500;
        m_provider.setFault(u"get_short_epg"_s, failure);
        // A refresh ends in real time (the provider is asked on a worker thread) and the next wait
        // begins only then, so time moves a minute at a time, each step waiting for its refresh.
        for (int refresh = 1; refresh <= 31; ++refresh) {
            clock.advance(1min);
            QTRY_COMPARE_WITH_TIMEOUT(shortGuideRequests().size(), refresh + 1, timeoutMs);
            QTRY_VERIFY_WITH_TIMEOUT(!guide.isLoading(), timeoutMs);
        }
        QCOMPARE(guide.errorMessage(), u"The Xtream server returned HTTP status 500."_s);
        QCOMPARE(guide.lastUpdated(), firstUpdate);
        // What is on now moves on with the clock over the list kept from before.
        QCOMPARE(titleOf(guide.now()), std::optional<QString>(u"Afternoon film"_s));

        m_provider.clearFaults();
        clock.advance(1min);
        QTRY_VERIFY_WITH_TIMEOUT(guide.errorMessage().isEmpty(), timeoutMs);
        QVERIFY(guide.lastUpdated() > firstUpdate);
    }

    void stopDropsAnAnswerStillOnItsWay()
    {
        FakeFault silence;
        silence.stallAfterBytes = 0;
        m_provider.setFault(u"get_short_epg"_s, silence);
        VirtualClock clock(noon);
        LiveEPGController guide(u"7"_s, m_provider.credentials(), std::nullopt, clock);
        guide.start();
        QTRY_VERIFY_WITH_TIMEOUT(guide.isLoading(), timeoutMs);
        guide.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!guide.isLoading(), timeoutMs);
        QCOMPARE(guide.now(), std::nullopt);
        QVERIFY(!guide.lastUpdated().isValid());
        QVERIFY(guide.errorMessage().isEmpty());

        // A stopped controller may be started again.
        m_provider.clearFaults();
        guide.start();
        QTRY_COMPARE_WITH_TIMEOUT(titleOf(guide.now()), std::optional<QString>(u"Noon news"_s), timeoutMs);
    }

private:
    // Each short-guide request as "stream id|limit".
    [[nodiscard]] QStringList shortGuideRequests() const
    {
        QStringList seen;
        for (const FakeRequest &request : m_provider.requests()) {
            QString streamID;
            QString limit;
            bool isShortGuide = false;
            for (const auto &[name, value] : request.query) {
                if (name == "action"_L1)
                    isShortGuide = value == "get_short_epg"_L1;
                else if (name == "stream_id"_L1)
                    streamID = value;
                else if (name == "limit"_L1)
                    limit = value;
            }
            if (isShortGuide)
                seen.append(streamID + u'|' + limit);
        }
        return seen;
    }

    FakeProvider m_provider;
};

QTEST_GUILESS_MAIN(LiveGuideTest)
#include "tst_liveguide.moc"
