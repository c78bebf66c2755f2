#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CataloguePageReader.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueFixture.h"
#include "support/CatalogueItems.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 playlist = 1;

ContentItem entry(CatalogueKind kind, const QString &id, const QString &title, std::optional<qint64> addedAt = {})
{
    ContentItem item;
    item.kind = kind;
    item.providerID = id;
    item.title = title;
    item.addedAt = addedAt;
    return item;
}

QStringList ids(const QList<LibraryEntry> &entries)
{
    QStringList result;
    for (const LibraryEntry &entry : entries)
        result.append(entry.id());
    return result;
}

} // namespace

class LibraryListsTest final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CatalogueFixture> m_catalogue;
    std::unique_ptr<CataloguePageReader> m_reader;

    void watched(CatalogueKind kind, const QString &id, int position, std::optional<int> duration, int updatedAt)
    {
        m_catalogue->database().execute(
            u"INSERT INTO watch_progress (playlist_id, content_provider_id, content_kind, position_seconds, "
            "duration_seconds, updated_at) VALUES (1, ?, ?, ?, ?, ?)"_s,
            {id, kindText(kind), QString::number(position),
             duration ? std::optional(QString::number(*duration)) : std::nullopt, QString::number(updatedAt)});
    }

    void episode(const QString &seriesID, const QString &id, const QString &title, const QString &artwork)
    {
        m_catalogue->database().execute(
            u"INSERT INTO series_episodes (playlist_id, series_id, provider_id, season_number, episode_number, title, "
            "artwork_url, duration_seconds) VALUES (1, ?, ?, 1, 2, ?, ?, 1500)"_s,
            {seriesID, id, title, artwork});
    }

private Q_SLOTS:
    void init()
    {
        m_catalogue = std::make_unique<CatalogueFixture>();
        m_catalogue->addPlaylist(playlist);
        m_reader = std::make_unique<CataloguePageReader>(m_catalogue->path());
    }

    void cleanup()
    {
        m_reader.reset();
        m_catalogue.reset();
    }

    void continueWatchingKeepsWhatWasLeftPartWay()
    {
        for (const QString &id : {u"f25"_s, u"f31"_s, u"f95"_s, u"f600"_s})
            m_catalogue->addItem(playlist, entry(CatalogueKind::Movie, id, id));
        watched(CatalogueKind::Movie, u"f25"_s, 25, 100, 1);
        watched(CatalogueKind::Movie, u"f31"_s, 31, 100, 2);
        watched(CatalogueKind::Movie, u"f95"_s, 95, 100, 3);
        watched(CatalogueKind::Movie, u"f600"_s, 600, std::nullopt, 4);

        const QList<CatalogueKind> films{CatalogueKind::Movie, CatalogueKind::Series};
        const QList<LibraryEntry> recent = awaitBlocking(m_reader->library(playlist, films, false, 10));
        QCOMPARE(ids(recent), (QStringList{u"movie:f600"_s, u"movie:f95"_s, u"movie:f31"_s, u"movie:f25"_s}));
        QCOMPARE(recent.front().position, 600);
        QCOMPARE(recent.front().duration, std::nullopt);
        QCOMPARE(recent.front().updatedAt, QDateTime::fromSecsSinceEpoch(4, Qt::UTC));
        QCOMPARE(ids(awaitBlocking(m_reader->library(playlist, films, true, 10))),
                 (QStringList{u"movie:f600"_s, u"movie:f31"_s}));
        QCOMPARE(ids(awaitBlocking(m_reader->library(playlist, films, false, 2))),
                 (QStringList{u"movie:f600"_s, u"movie:f95"_s}));
        QVERIFY(awaitBlocking(m_reader->library(playlist, {CatalogueKind::Live}, false, 10)).isEmpty());
        QVERIFY(awaitBlocking(m_reader->library(std::nullopt, films, false, 10)).isEmpty());
    }

    void episodesAreShownUnderTheirSeriesEvenWhenItIsGone()
    {
        ContentItem show = entry(CatalogueKind::Series, u"S1"_s, u"The Show"_s);
        show.artworkURL = u"http://images.example/show.jpg"_s;
        m_catalogue->addItem(playlist, show);
        episode(u"S1"_s, u"e1"_s, u"Pilot"_s, u"http://images.example/e1.jpg"_s);
        episode(u"GONE"_s, u"e2"_s, u"Orphan"_s, u"http://images.example/e2.jpg"_s);
        watched(CatalogueKind::Series, u"e1"_s, 100, 1000, 5);
        watched(CatalogueKind::Series, u"e2"_s, 200, std::nullopt, 6);
        watched(CatalogueKind::Series, u"e3"_s, 300, std::nullopt, 7); // neither item nor episode

        const QList<LibraryEntry> entries =
            awaitBlocking(m_reader->library(playlist, {CatalogueKind::Series}, true, 10));
        QCOMPARE(ids(entries), (QStringList{u"ep:e2"_s, u"ep:e1"_s}));

        const LibraryEntry &orphan = entries.at(0);
        QCOMPARE(orphan.item.kind, CatalogueKind::Series);
        QCOMPARE(orphan.item.providerID, u"GONE"_s);
        QCOMPARE(orphan.item.title, u"Orphan"_s);
        QCOMPARE(orphan.item.artworkURL, QUrl(u"http://images.example/e2.jpg"_s));
        QCOMPARE(orphan.episode->seriesID, u"GONE"_s);

        const LibraryEntry &pilot = entries.at(1);
        QCOMPARE(pilot.item.title, u"The Show"_s);
        QCOMPARE(pilot.item.artworkURL, QUrl(u"http://images.example/show.jpg"_s));
        QCOMPARE(pilot.item.epgKey, QString());
        QCOMPARE(*pilot.episode, (SeriesEpisode{u"S1"_s, u"e1"_s, 1, 2, u"Pilot"_s, std::nullopt,
                                                   QUrl(u"http://images.example/e1.jpg"_s), std::nullopt, 1500}));
        QCOMPARE(pilot.position, 100);
        QCOMPARE(pilot.duration, 1000);
    }

    void favouritesFollowTheirItemsThroughRefreshes()
    {
        m_catalogue->addItem(playlist, entry(CatalogueKind::Live, u"c1"_s, u"One"_s));
        m_catalogue->addItem(playlist, entry(CatalogueKind::Live, u"c2"_s, u"Two"_s));
        m_catalogue->addFavourite(playlist, CatalogueKind::Live, u"c1"_s, 20);
        m_catalogue->addFavourite(playlist, CatalogueKind::Live, u"c2"_s, 10);
        QCOMPARE(ids(awaitBlocking(m_reader->favouriteItems(playlist, CatalogueKind::Live, 10))),
                 (QStringList{u"live:c1"_s, u"live:c2"_s}));

        m_catalogue->database().execute(u"DELETE FROM content_items WHERE provider_id='c1'"_s);
        QCOMPARE(ids(awaitBlocking(m_reader->favouriteItems(playlist, CatalogueKind::Live, 10))),
                 QStringList{u"live:c2"_s});

        m_catalogue->addItem(playlist, entry(CatalogueKind::Live, u"c1"_s, u"One again"_s));
        const QList<MediaItem> favourites = awaitBlocking(m_reader->favouriteItems(playlist, CatalogueKind::Live, 1));
        QCOMPARE(ids(favourites), QStringList{u"live:c1"_s});
        QVERIFY(favourites.front().isFavourite);
        QVERIFY(awaitBlocking(m_reader->favouriteItems(std::nullopt, CatalogueKind::Live, 10)).isEmpty());
    }

    void recentlyAddedLeavesHiddenCategoriesOut()
    {
        ContentItem hidden = entry(CatalogueKind::Movie, u"h"_s, u"Hidden"_s, 5000);
        hidden.categoryID = u"C9"_s;
        m_catalogue->addCategory(playlist, {CatalogueKind::Movie, u"C9"_s, u"XX: Hidden"_s, 1});
        m_catalogue->hideCategory(playlist, CatalogueKind::Movie, u"C9"_s);
        m_catalogue->addItem(playlist, hidden);
        m_catalogue->addItem(playlist, entry(CatalogueKind::Movie, u"old"_s, u"Old"_s, 1000));
        m_catalogue->addItem(playlist, entry(CatalogueKind::Movie, u"new"_s, u"New"_s, 3000));
        m_catalogue->addItem(playlist, entry(CatalogueKind::Movie, u"undated"_s, u"Undated"_s));
        QCOMPARE(ids(awaitBlocking(m_reader->recentlyAdded(playlist, CatalogueKind::Movie, 10))),
                 (QStringList{u"movie:new"_s, u"movie:old"_s, u"movie:undated"_s}));
        QCOMPARE(ids(awaitBlocking(m_reader->recentlyAdded(playlist, CatalogueKind::Movie, 1))),
                 QStringList{u"movie:new"_s});
    }

    void episodeProgressHasOnlySavedEpisodes()
    {
        watched(CatalogueKind::Series, u"e2"_s, 120, 1500, 1);
        watched(CatalogueKind::Movie, u"e1"_s, 50, std::nullopt, 1); // a film of the same id is no episode
        const QHash<QString, EpisodeProgress> progress =
            awaitBlocking(m_reader->episodeProgress(playlist, {u"e1"_s, u"e2"_s}));
        QCOMPARE(progress, (QHash<QString, EpisodeProgress>{{u"e2"_s, EpisodeProgress{120, 1500}}}));
        QVERIFY(awaitBlocking(m_reader->episodeProgress(playlist, {})).isEmpty());
        QVERIFY(awaitBlocking(m_reader->episodeProgress(std::nullopt, {u"e2"_s})).isEmpty());
    }
};

QTEST_GUILESS_MAIN(LibraryListsTest)
#include "tst_librarylists.moc"
