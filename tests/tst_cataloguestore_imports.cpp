#include "Provider/JSONObjectStream.h"
#include "Provider/XMLTVGuideStream.h"
#include "Provider/XtreamClient.h"
#include "Store/CatalogueStore.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueGenerator.h"
#include "support/OpenFiles.h"
#include "support/Outcome.h"
#include "support/StoreHarness.h"

#include <QScopeGuard>
#include <QSet>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(FakeFault)

namespace {

FakeGuide guideFrom(const QDateTime &now, const QStringList &channels)
{
    FakeGuide guide;
    guide.start = now.addSecs(-3600);
    guide.channelIDs = channels;
    guide.programmesPerChannel = 12;
    return guide;
}

// Every (state, progress) the playlist shows, in order, without repeats.
class SyncRecorder final
{
public:
    SyncRecorder(CatalogueStore &store, qint64 playlistID)
    {
        QObject::connect(&store, &CatalogueStore::playlistsChanged, &m_context, [this, &store, playlistID] {
            for (const Playlist &playlist : store.playlists()) {
                const QString seen = playlist.syncState + u' ' + QString::number(playlist.syncProgress);
                if (playlist.id == playlistID && (states.isEmpty() || states.constLast() != seen))
                    states.append(seen);
            }
        });
    }
    QStringList states;

private:
    QObject m_context;
};

// The limits of streamed bodies are this many times shorter where a test shortens them: a list
// then takes 20,000 objects, the guide 80,000 programmes or 16 MiB. That is still enough for the
// staged rows to outgrow the importer's page cache, so that they reach its temporary file.
constexpr int bodyLimitDivisor = 250;

// How many bytes a body source of the provider yields.
qint64 bodySize(FakeResponse::BodySource body)
{
    qint64 size = 0;
    FakeResponse::Step step = FakeResponse::Step::More;
    while (step == FakeResponse::Step::More) {
        QByteArray piece;
        step = body(piece);
        size += piece.size();
    }
    return size;
}

// SQLite's temporary files that this process still holds open (deleted as soon as made, they
// last as long as a connection keeps them).
QStringList heldTemporaryFiles()
{
    return openFileTargets().filter(u"/etilqs_"_s);
}

// Imports a playlist, then refreshes it with the provider's limits divided by `divisor` while
// `endpoint` misbehaves. The refresh must end with `sentence`: a failed catalogue leaves the
// playlist in error, a failed guide leaves it ready. Either way the data the refresh would have
// replaced stay as they were, and no importer still holds its temporary file.
void refreshFailsAndKeepsTheData(const QString &endpoint, const FakeFault &fault, const QString &sentence,
                                 void (*setLimitDivisor)(int), int divisor)
{
    StoreHarness harness;
    harness.start();
    harness.provider().setCatalogue(generateCatalogue({30, 50, 10}));
    harness.provider().setGuide(guideFrom(harness.clock().now(), {u"news.uk"_s, u"sport.uk"_s}));
    const qint64 id = harness.addProviderPlaylist().id;
    QVERIFY(harness.waitUntilIdle(id));
    const QStringList before = harness.catalogueRows();

    setLimitDivisor(divisor);
    const auto restore = qScopeGuard([setLimitDivisor] { setLimitDivisor(1); });
    harness.provider().setFault(endpoint, fault);
    harness.store().startImport(*harness.listed(id));
    QVERIFY(harness.waitUntilIdle(id));

    const SourceHealth health = harness.store().health().value(id);
    QCOMPARE(health.guideInProgress, std::optional(false));
    if (endpoint == u"xmltv"_s) {
        QCOMPARE(harness.listed(id)->syncState, u"ready"_s);
        QCOMPARE(health.guideError, std::optional(sentence));
    } else {
        QCOMPARE(harness.listed(id)->syncState, u"error"_s);
        QCOMPARE(health.catalogueError, std::optional(sentence));
    }
    QCOMPARE(harness.catalogueRows(), before);
    QCOMPARE(heldTemporaryFiles(), QStringList());
}

} // namespace

class CatalogueStoreImportsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addingAPlaylistImportsItsCatalogueAndGuide()
    {
        StoreHarness harness;
        harness.start();
        harness.provider().setCatalogue(generateCatalogue({40, 60, 20}));
        harness.provider().setGuide(guideFrom(harness.clock().now(), {u"news.uk"_s, u"sport.uk"_s}));
        CatalogueStore &store = harness.store();
        SyncRecorder recorder(store, 1);
        QStringList activity;
        connect(&store, &CatalogueStore::activityChanged, this, [&] {
            const QString text = store.activity().value(1);
            if (activity.isEmpty() || activity.constLast() != text)
                activity.append(text);
        });

        const Playlist added = harness.addProviderPlaylist();
        QCOMPARE(added.syncState, u"queued"_s);
        QCOMPARE(store.selectedPlaylistID(), std::optional<qint64>(added.id));
        QVERIFY(store.isRefreshing(added.id));
        QCOMPARE(store.activity().value(added.id), u"Connecting to provider"_s);
        QVERIFY(harness.waitUntilIdle(added.id));

        QCOMPARE(recorder.states, (QStringList{u"queued 0"_s, u"syncing 1"_s, u"syncing 2"_s, u"syncing 10"_s, u"syncing 32"_s,
                                               u"syncing 40"_s, u"syncing 62"_s, u"syncing 70"_s, u"syncing 95"_s,
                                               u"ready 100"_s}));
        QCOMPARE(activity, (QStringList{u"Connecting to provider"_s, u"Downloading live tv categories"_s,
                                        u"Downloading live tv"_s, u"Downloading movies categories"_s,
                                        u"Downloading movies"_s, u"Downloading series categories"_s,
                                        u"Downloading series"_s, u"Saving catalogue"_s, u"Refreshing TV guide"_s,
                                        QString()}));
        QVERIFY(store.activity().isEmpty());
        QCOMPARE(store.catalogueRevision(), 2); // the catalogue, then the guide
        QVERIFY(harness.listed(added.id)->lastSyncedAt.has_value());
        QTRY_COMPARE(store.snapshot().liveCount, qint64(40));
        QCOMPARE(store.snapshot().readyPlaylistCount, 1);

        const SourceHealth health = store.health().value(added.id);
        QVERIFY(health.catalogueAttempt && health.lastCatalogueSuccess && health.lastGuideSuccess);
        QCOMPARE(health.catalogueError, std::nullopt);
        QCOMPARE(health.guideProgrammeCount, std::optional<qint64>(20)); // what has not ended yet
        QCOMPARE(health.guideInProgress, std::optional(false));

        // The records come back at the next start.
        harness.start();
        QCOMPARE(harness.store().health().value(added.id), health);
    }

    void aSecondGuideRequestJoinsTheRunningOne()
    {
        StoreHarness harness;
        const Playlist playlist = harness.startWithImportedPlaylist({10, 0, 0});
        harness.provider().setGuide(guideFrom(harness.clock().now(), {u"a"_s, u"b"_s, u"c"_s}));
        FakeFault slow;
        slow.pieceBytes = 512;
        slow.pause = 5ms;
        harness.provider().setFault(u"xmltv"_s, slow);
        harness.provider().clearRequests();

        CatalogueStore &store = harness.store();
        const int revision = store.catalogueRevision();
        const XtreamCredentials login = harness.provider().credentials();
        QList<int> counts;
        auto ask = [&]() -> QCoro::Task<> {
            const int count = co_await store.refreshGuide(playlist.id, login);
            counts.append(count);
        };
        ask();
        ask();
        QTRY_COMPARE_WITH_TIMEOUT(counts.size(), 2, 30000);
        QCOMPARE(counts, (QList<int>{30, 30})); // the two programmes that ended by now are left out
        QCOMPARE(store.catalogueRevision(), revision + 1);
        int guideRequests = 0;
        for (const FakeRequest &request : harness.provider().requests())
            guideRequests += request.path.endsWith(u"xmltv.php"_s) ? 1 : 0;
        QCOMPARE(guideRequests, 1);
    }

    void aCancelledImportKeepsThePreviousCatalogue()
    {
        StoreHarness harness;
        const Playlist playlist = harness.startWithImportedPlaylist({30, 50, 10});
        const QStringList before = harness.catalogueRows();
        const SourceHealth healthBefore = harness.store().health().value(playlist.id);

        harness.provider().setCatalogue(generateCatalogue({31, 51, 11}, 2));
        FakeFault trickle;
        trickle.pieceBytes = 64;
        trickle.pause = 20ms;
        harness.provider().setFault(u"get_vod_streams"_s, trickle);
        CatalogueStore &store = harness.store();
        store.startImport(*harness.listed(playlist.id));
        QTRY_COMPARE_WITH_TIMEOUT(store.activity().value(playlist.id), u"Downloading movies"_s, 30000);
        store.cancelRefresh(playlist.id);
        QVERIFY(harness.waitUntilIdle(playlist.id));

        QCOMPARE(harness.listed(playlist.id)->syncState, u"interrupted"_s);
        QCOMPARE(harness.listed(playlist.id)->syncProgress, 0);
        const SourceHealth health = store.health().value(playlist.id);
        QCOMPARE(health.catalogueError,
                 std::optional(u"Refresh cancelled. The last completed catalogue is still available."_s));
        QCOMPARE(health.lastCatalogueSuccess, healthBefore.lastCatalogueSuccess);
        QCOMPARE(harness.catalogueRows(), before);
    }

    // After the new catalogue is in, the guide step may fail or be cancelled. The catalogue
    // stays, and a channel linked to the guide by its title keeps that link, so the guide that
    // was kept still reaches it.
    void aGuideStepEndingEarlyKeepsTheCatalogueAndTheGuideLinks_data()
    {
        QTest::addColumn<FakeFault>("fault");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("state");
        QTest::addColumn<std::optional<QString>>("catalogueError");
        QTest::newRow("guide fails") << FakeFault{.httpStatus = 500} << false << u"ready"_s << std::optional<QString>();
        QTest::newRow("guide cancelled")
            << FakeFault{.stallAfterBytes = 0} << true << u"interrupted"_s
            << std::optional(u"Refresh cancelled. The last completed catalogue is still available."_s);
    }
    void aGuideStepEndingEarlyKeepsTheCatalogueAndTheGuideLinks()
    {
        QFETCH(FakeFault, fault);
        QFETCH(bool, cancel);
        QFETCH(QString, state);
        QFETCH(std::optional<QString>, catalogueError);
        StoreHarness harness;
        harness.start();
        GeneratedCatalogue catalogue = generateCatalogue({5, 5, 2});
        ContentItem &channel = catalogue.items.first();
        channel.title = u"101 News One HD"_s;
        channel.epgChannelID.reset();
        harness.provider().setCatalogue(catalogue);
        harness.provider().setGuide(guideFrom(harness.clock().now(), {u"newsone.uk"_s}));
        const qint64 id = harness.addProviderPlaylist().id;
        QVERIFY(harness.waitUntilIdle(id));
        const QString link = u"SELECT epg_channel_id, epg_channel_key FROM content_items WHERE kind='live' AND provider_id='"_s
            + channel.providerID + u'\'';
        QCOMPARE(harness.rows(link), QStringList{u"newsone.uk|newsone.uk"_s});
        const QStringList guide = harness.rows(u"SELECT * FROM epg_programmes"_s);

        CatalogueStore &store = harness.store();
        harness.provider().setFault(u"xmltv"_s, fault);
        store.startImport(*harness.listed(id));
        if (cancel) {
            QTRY_COMPARE(store.activity().value(id), u"Refreshing TV guide"_s);
            store.cancelRefresh(id);
        }
        QVERIFY(harness.waitUntilIdle(id));
        QCOMPARE(harness.listed(id)->syncState, state);
        QCOMPARE(store.health().value(id).catalogueError, catalogueError);
        QVERIFY(store.health().value(id).guideError.has_value());
        QCOMPARE(harness.rows(link), QStringList{u"newsone.uk|newsone.uk"_s});
        QCOMPARE(harness.rows(u"SELECT * FROM epg_programmes"_s), guide);
    }

    void aFailingProviderLeavesItsSentenceAndTheCatalogue_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<FakeFault>("fault");
        QTest::addColumn<QString>("sentence");
        FakeFault serverError;
        serverError.httpStatus = 500;
        QTest::newRow("HTTP error") << u"get_live_streams"_s << serverError
                                    << u"The Xtream server returned HTTP status 500."_s;
        FakeFault cut;
        cut.cutAfterBytes = 2000;
        QTest::newRow("connection cut") << u"get_vod_streams"_s << cut
                                        << u"The network connection is unavailable. Your saved catalogue is still available."_s;
        FakeFault malformed;
        malformed.array.malformedAt = 5;
        QTest::newRow("malformed JSON") << u"get_series"_s << malformed
                                        << u"The refresh could not be completed. Your previous data has been kept."_s;
        FakeFault refused;
        refused.httpStatus = 404;
        QTest::newRow("account check") << u"account"_s << refused << u"The Xtream server returned HTTP status 404."_s;
    }

    void aFailingProviderLeavesItsSentenceAndTheCatalogue()
    {
        QFETCH(QString, endpoint);
        QFETCH(FakeFault, fault);
        QFETCH(QString, sentence);
        StoreHarness harness;
        const Playlist playlist = harness.startWithImportedPlaylist({30, 50, 10});
        const QStringList before = harness.catalogueRows();

        harness.provider().setFault(endpoint, fault);
        harness.store().startImport(*harness.listed(playlist.id));
        QVERIFY(harness.waitUntilIdle(playlist.id));
        QCOMPARE(harness.listed(playlist.id)->syncState, u"error"_s);
        QCOMPARE(harness.store().health().value(playlist.id).catalogueError, std::optional(sentence));
        QCOMPARE(harness.catalogueRows(), before);
    }

    // A provider that keeps answering a byte at a time, or falls silent after its headers and
    // never ends the body, still ends the refresh with the time-out sentence.
    void aProviderThatNeverFinishesTimesOut_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<FakeFault>("fault");
        for (const QString &endpoint : {u"account"_s, u"get_vod_streams"_s, u"xmltv"_s}) {
            QTest::addRow("%s slow", qPrintable(endpoint)) << endpoint << FakeFault{.pieceBytes = 1, .pause = 50ms};
            QTest::addRow("%s stall", qPrintable(endpoint)) << endpoint << FakeFault{.stallAfterBytes = 0};
        }
    }
    void aProviderThatNeverFinishesTimesOut()
    {
        QFETCH(QString, endpoint);
        QFETCH(FakeFault, fault);
        // The account check may then take 750 ms, a list or the guide stalls within 3 s.
        const QString timedOut = u"The provider did not respond in time. Try again or test the connection."_s;
        refreshFailsAndKeepsTheData(endpoint, fault, timedOut, &XtreamClient::setTimeDivisorForTesting, 20);
    }

    // A provider that sends a list or the guide at full speed and never ends it is cut off once
    // the body passes its limits, long before any time-out, with the unreadable-response sentence.
    void aProviderThatNeverEndsABodyIsCutOff_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::newRow("film list") << u"get_vod_streams"_s;
        QTest::newRow("guide") << u"xmltv"_s;
    }
    void aProviderThatNeverEndsABodyIsCutOff()
    {
        QFETCH(QString, endpoint);
        refreshFailsAndKeepsTheData(endpoint, {.endless = true}, unreadableResponse,
                                    &XtreamClient::setBodyLimitDivisorForTesting, bodyLimitDivisor);
    }

    // A film list of as many objects as its limit allows and a guide just under its byte limit
    // import in full.
    void bodiesWithinTheirLimitsImport()
    {
        StoreHarness harness;
        harness.start();
        const GeneratedCatalogue catalogue =
            generateCatalogue({30, int(JSONObjectStream::maximumObjectCount / bodyLimitDivisor), 10});
        QStringList channels;
        for (int channel = 0; channel < 160; ++channel)
            channels.append(u"channel%1.uk"_s.arg(channel));
        FakeGuide guide = guideFrom(harness.clock().now(), channels);
        guide.programmesPerChannel = 420;
        guide.minutesPerProgramme = 20;
        const qint64 guideBytes = bodySize(guide.source());
        const qint64 guideByteLimit = XMLTVGuideStream::maximumBodyBytes / bodyLimitDivisor;
        QVERIFY2(guideBytes <= guideByteLimit && guideBytes > guideByteLimit * 9 / 10,
                 qPrintable(u"the guide must fill most of its limit: %1 of %2 bytes"_s.arg(guideBytes)
                                .arg(guideByteLimit)));
        QVERIFY(guide.programmeCount() <= XMLTVGuideStream::maximumProgrammeCount / bodyLimitDivisor);

        XtreamClient::setBodyLimitDivisorForTesting(bodyLimitDivisor);
        const auto restore = qScopeGuard([] { XtreamClient::setBodyLimitDivisorForTesting(1); });
        harness.provider().setCatalogue(catalogue);
        harness.provider().setGuide(guide);
        const qint64 id = harness.addProviderPlaylist().id;
        QVERIFY(harness.waitUntilIdle(id));

        QCOMPARE(harness.listed(id)->syncState, u"ready"_s);
        const SourceHealth health = harness.store().health().value(id);
        QCOMPARE(health.catalogueError, std::nullopt);
        QCOMPARE(health.guideError, std::nullopt);
        QSet<QString> films;
        for (const ContentItem &film : catalogue.itemsOf(CatalogueKind::Movie))
            films.insert(film.providerID);
        QCOMPARE(harness.rows(u"SELECT COUNT(*) FROM content_items WHERE kind='movie'"_s),
                 QStringList{QString::number(films.size())});
        // Every programme but the three of each channel that ended by now.
        QCOMPARE(health.guideProgrammeCount, std::optional<qint64>(channels.size() * (guide.programmesPerChannel - 3)));
    }

    void aMissingKeyringItemFailsTheImportWithItsSentence()
    {
        StoreHarness harness;
        const Playlist playlist = harness.startWithImportedPlaylist({5, 5, 5});
        QVERIFY(awaitBlocking([&]() -> QCoro::Task<bool> {
            co_await harness.store().credentialStore().remove(playlist.credentialReference);
            co_return true;
        }()));
        QTest::ignoreMessage(QtWarningMsg, "Keyring read failed for credential reference <private>; status=-25300");
        harness.store().startImport(*harness.listed(playlist.id));
        QVERIFY(harness.waitUntilIdle(playlist.id));
        QCOMPARE(harness.listed(playlist.id)->syncState, u"error"_s);
        QCOMPARE(harness.store().health().value(playlist.id).catalogueError,
                 std::optional(u"Could not read playlist credentials (keyring status -25300)."_s));
    }

    void aSecondImportRequestChangesNothing()
    {
        StoreHarness harness;
        harness.start();
        harness.provider().setCatalogue(generateCatalogue({5, 5, 5}));
        FakeFault stall;
        stall.stallAfterBytes = 0;
        harness.provider().setFault(u"account"_s, stall);
        const Playlist playlist = harness.addProviderPlaylist();
        const SourceHealth first = harness.store().health().value(playlist.id);
        harness.clock().advance(5s);
        harness.store().startImport(playlist);
        QCOMPARE(harness.store().health().value(playlist.id), first);
        harness.store().cancelRefresh(playlist.id);
        QVERIFY(harness.waitUntilIdle(playlist.id));
    }

    void theWindowKeepsRespondingDuringALargeImport()
    {
        StoreHarness harness;
        harness.start();
        harness.provider().setCatalogue(generateCatalogue({60000, 200000, 40000}));
        CatalogueStore &store = harness.store();
        // Count timer ticks between consecutive progress reports: a main thread blocked by the
        // import would deliver none in between.
        QList<int> ticksPerStep{0};
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { ++ticksPerStep.last(); });
        connect(&store, &CatalogueStore::activityChanged, this, [&] { ticksPerStep.append(0); });
        ticker.start(2);
        const Playlist playlist = harness.addProviderPlaylist();
        QVERIFY(harness.waitUntilIdle(playlist.id, 300000));
        ticker.stop();
        QCOMPARE(harness.listed(playlist.id)->syncState, u"ready"_s);
        // The long steps (the three downloads and the save) each saw the event loop turn.
        int busySteps = 0;
        for (const int ticks : std::as_const(ticksPerStep))
            busySteps += ticks > 0 ? 1 : 0;
        QVERIFY2(busySteps >= 4, qPrintable(u"ticks per step: "_s + QString::number(ticksPerStep.size())));
    }
};

QTEST_GUILESS_MAIN(CatalogueStoreImportsTest)
#include "tst_cataloguestore_imports.moc"
