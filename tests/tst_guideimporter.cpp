#include "Catalogue/CatalogueDatabase.h"
#include "Provider/GuideImporter.h"
#include "Provider/XtreamAPIError.h"
#include "Support/CancellationError.h"
#include "support/CatalogueFixture.h"
#include "support/FakeProvider.h"
#include "support/Outcome.h"
#include "support/TableSnapshot.h"
#include "support/VirtualClock.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 playlistID = 1;
const QDateTime now(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

QByteArray xmltvTime(const QDateTime &moment)
{
    return moment.toUTC().toString(u"yyyyMMddHHmmss"_s).toUtf8() + " +0000";
}

QByteArray programme(const QString &channel, const QDateTime &start, const QDateTime &end, const QString &title)
{
    return "<programme start=\"" + xmltvTime(start) + "\" stop=\"" + xmltvTime(end) + "\" channel=\"" + channel.toUtf8()
        + "\"><title>" + title.toUtf8() + "</title><desc>About " + title.toUtf8() + "</desc></programme>\n";
}

QByteArray guide(const QByteArray &programmes)
{
    return "<?xml version=\"1.0\"?>\n<tv>\n" + programmes + "</tv>\n";
}

// Back-to-back half-hour programmes on one channel from `first` on.
QByteArray schedule(const QString &channel, const QDateTime &first, int count)
{
    QByteArray programmes;
    for (int index = 0; index < count; ++index)
        programmes += programme(channel, first.addSecs(1800 * index), first.addSecs(1800 * (index + 1)),
                                u"Show %1"_s.arg(index));
    return programmes;
}

ContentItem channel(const QString &id, const QString &title, std::optional<QString> guideID = {})
{
    return {.providerID = id, .title = title, .epgChannelID = std::move(guideID)};
}

} // namespace

class GuideImporterTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<CatalogueFixture>();
        m_fixture->addPlaylist(playlistID);
        m_fixture->addPlaylist(2);
        m_fixture->addProgramme(playlistID, u"old.uk"_s, u"Old show"_s, now, now.addSecs(3600));
        m_fixture->addProgramme(2, u"other.uk"_s, u"Other playlist"_s, now, now.addSecs(3600));
        m_provider = std::make_unique<FakeProvider>();
    }
    void cleanup()
    {
        m_provider.reset();
        m_fixture.reset();
    }

    // Kept: on the air at `now`, or starting before the horizon seven days on.
    void onlyTheWindowIsKept()
    {
        const QDateTime horizon = now.addDays(7);
        m_provider->setDocument(u"xmltv"_s, guide(programme(u"a"_s, now.addSecs(-3600), now, u"Ended at now"_s)
                                                  + programme(u"a"_s, now.addSecs(-3600), now.addSecs(1), u"Ends just after"_s)
                                                  + programme(u"a"_s, now.addDays(-1), now.addSecs(3600), u"Since yesterday"_s)
                                                  + programme(u"a"_s, horizon.addSecs(-1), horizon.addSecs(1800), u"Before horizon"_s)
                                                  + programme(u"a"_s, horizon, horizon.addSecs(1800), u"At horizon"_s)));
        QCOMPARE(importNow(), 3);
        QCOMPARE(tableSnapshot(m_fixture->database(), u"SELECT title FROM epg_programmes WHERE playlist_id=1 ORDER BY starts_at"_s),
                 (QStringList{u"3:Since yesterday"_s, u"3:Ends just after"_s, u"3:Before horizon"_s}));
        QCOMPARE(m_fixture->database().integer(u"SELECT COUNT(*) FROM epg_programmes WHERE playlist_id=2"_s), 1);
    }

    void rowsCarryKeysTimesAndDescriptions()
    {
        m_provider->setDocument(u"xmltv"_s, guide(programme(u" News.UK "_s, now, now.addSecs(1800), u"News"_s)));
        QCOMPARE(importNow(), 1);
        QCOMPARE(tableSnapshot(m_fixture->database(), u"SELECT channel_id, channel_key, title, description, starts_at, ends_at "
                                                      "FROM epg_programmes WHERE playlist_id=1"_s),
                 QStringList{u"3:News.UK|3:news.uk|3:News|3:About News|2:%1.0|2:%2.0"_s.arg(now.toSecsSinceEpoch())
                                 .arg(now.toSecsSinceEpoch() + 1800)});
    }

    void manyProgrammesAndRepeatsAreCountedOnce()
    {
        const QByteArray repeated = programme(u"b"_s, now, now.addSecs(600), u"Twice"_s);
        m_provider->setDocument(u"xmltv"_s, guide(schedule(u"a"_s, now, 250) + repeated + repeated));
        QCOMPARE(importNow(), 251);
    }

    void aGuideThatCannotBeUsedKeepsThePreviousOne_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only past programmes") << guide(schedule(u"a"_s, now.addDays(-2), 20))
                                              << u"No current guide programmes were returned. The previous guide has been kept."_s;
        QTest::newRow("no programmes") << guide({})
                                       << u"No current guide programmes were returned. The previous guide has been kept."_s;
        QTest::newRow("cut off before its end") << QByteArray("<tv>" + schedule(u"a"_s, now, 150))
                                                << unreadableResponse;
    }
    void aGuideThatCannotBeUsedKeepsThePreviousOne()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, expected);
        m_provider->setDocument(u"xmltv"_s, document);
        const QStringList before = tableSnapshot(m_fixture->database(), u"SELECT * FROM epg_programmes ORDER BY playlist_id"_s);
        GuideImporter importer(playlistID, m_provider->credentials(), m_fixture->path(), m_clock);
        QCOMPARE(outcome([&] { (void)importer.importGuide(now, {}); }), expected);
        QCOMPARE(tableSnapshot(m_fixture->database(), u"SELECT * FROM epg_programmes ORDER BY playlist_id"_s), before);
    }

    void failuresBeforeTheDownload()
    {
        GuideImporter withoutLogin(playlistID, std::nullopt, m_fixture->path(), m_clock);
        QCOMPARE(outcome([&] { (void)withoutLogin.importGuide(now, {}); }), u"Guide credentials are unavailable."_s);

        m_provider->setFault(u"xmltv"_s, {.httpStatus = 404});
        GuideImporter importer(playlistID, m_provider->credentials(), m_fixture->path(), m_clock);
        QCOMPARE(outcome([&] { (void)importer.importGuide(now, {}); }), u"The Xtream server returned HTTP status 404."_s);

        m_provider->clearFaults();
        m_provider->setDocument(u"xmltv"_s, guide(schedule(u"a"_s, now, 10)));
        std::stop_source stop;
        stop.request_stop();
        QCOMPARE(outcome([&] { (void)importer.importGuide(now, stop.get_token()); }), u"CancellationError"_s);
        QCOMPARE(m_fixture->database().integer(u"SELECT COUNT(*) FROM epg_programmes WHERE title='Old show'"_s), 1);
    }

    // Channels with no guide id of their own are linked to the one guide channel their title
    // fits; a guide id the provider gave is never replaced.
    void channelsAreLinkedToTheGuideByTitle()
    {
        m_fixture->addItem(playlistID, channel(u"101"_s, u"101 News One HD"_s));
        m_fixture->addItem(playlistID, channel(u"102"_s, u"Sport Max"_s, u"sport.de"_s));
        m_fixture->addItem(playlistID, channel(u"103"_s, u"Unknown Channel"_s));
        m_provider->setDocument(u"xmltv"_s, guide(schedule(u"newsone.uk"_s, now, 2) + schedule(u"sportmax.uk"_s, now, 2)));
        QCOMPARE(importNow(), 4);
        QCOMPARE(tableSnapshot(m_fixture->database(), u"SELECT provider_id, epg_channel_id, epg_channel_key FROM content_items "
                                                      "ORDER BY provider_id"_s),
                 (QStringList{u"3:101|3:newsone.uk|3:newsone.uk"_s, u"3:102|3:sport.de|3:sport.de"_s, u"3:103|5:|3:103"_s}));
    }

    void runTakesTheWindowFromTheClock()
    {
        m_clock.setWallClock(now);
        m_provider->setDocument(u"xmltv"_s, guide(programme(u"a"_s, now.addSecs(-60), now.addSecs(60), u"On now"_s)
                                                  + programme(u"a"_s, now.addSecs(-120), now.addSecs(-60), u"Over"_s)));
        GuideImporter importer(playlistID, m_provider->credentials(), m_fixture->path(), m_clock);
        QCOMPARE(QCoro::waitFor(importer.run({})), 1);
    }

private:
    int importNow()
    {
        GuideImporter importer(playlistID, m_provider->credentials(), m_fixture->path(), m_clock);
        return importer.importGuide(now, {});
    }

    std::unique_ptr<CatalogueFixture> m_fixture;
    std::unique_ptr<FakeProvider> m_provider;
    VirtualClock m_clock;
};

QTEST_GUILESS_MAIN(GuideImporterTest)
#include "tst_guideimporter.moc"
