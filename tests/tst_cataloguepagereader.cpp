#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueDatabaseError.h"
#include "Catalogue/CataloguePageReader.h"
#include "Catalogue/CatalogueSchema.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueFixture.h"
#include "support/CatalogueItems.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 playlist = 1;

ContentItem entry(CatalogueKind kind, const QString &id, const QString &title,
                     std::optional<QString> category = std::nullopt)
{
    ContentItem item;
    item.kind = kind;
    item.providerID = id;
    item.title = title;
    item.categoryID = std::move(category);
    return item;
}

ContentItem channel(const QString &id, const QString &title, const QString &category, std::optional<qint64> number)
{
    ContentItem item = entry(CatalogueKind::Live, id, title, category.isEmpty() ? std::nullopt : std::optional(category));
    item.sortNumber = number;
    item.epgChannelID = title.toLower().remove(u' ') + u".example"_s;
    return item;
}

ContentItem film(const QString &id, const QString &title, std::optional<qint64> addedAt, std::optional<double> rating)
{
    ContentItem item = entry(CatalogueKind::Movie, id, title, u"M1"_s);
    item.addedAt = addedAt;
    item.rating = rating;
    item.sortNumber = id.toLongLong();
    return item;
}

} // namespace

Q_DECLARE_METATYPE(CatalogueKind)
Q_DECLARE_METATYPE(BrowseSort)

class CataloguePageReaderTest final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CatalogueFixture> m_catalogue;
    std::unique_ptr<CataloguePageReader> m_reader;

    QList<MediaItem> browse(CatalogueKind kind, const BrowseScope &scope, const QString &query = {},
                            BrowseSort sort = BrowseSort::Provider, int limit = 100, int offset = 0)
    {
        return awaitBlocking(m_reader->browseItems(playlist, kind, scope, query, sort, limit, offset));
    }
    qint64 count(CatalogueKind kind, const BrowseScope &scope, const QString &query = {})
    {
        return awaitBlocking(m_reader->browseCount(playlist, kind, scope, query));
    }

private Q_SLOTS:
    void init()
    {
        m_catalogue = std::make_unique<CatalogueFixture>();
        CatalogueFixture &catalogue = *m_catalogue;
        catalogue.addPlaylist(playlist);
        catalogue.addCategory(playlist, {CatalogueKind::Live, u"L1"_s, u"UK: News"_s, 1}, 0);
        catalogue.addCategory(playlist, {CatalogueKind::Live, u"L2"_s, u"AR: Sports"_s, 1}, 1);
        catalogue.addCategory(playlist, {CatalogueKind::Live, u"L3"_s, u"FR: Cinéma"_s, 1}, 2);
        catalogue.addCategory(playlist, {CatalogueKind::Live, u"L4"_s, u"DE: Kinder"_s, 1}, 3);
        catalogue.database().execute(
            u"INSERT INTO category_preferences (playlist_id, kind, provider_id, position) VALUES (1, 'live', 'L4', 0)"_s);
        catalogue.hideCategory(playlist, CatalogueKind::Live, u"L3"_s);
        catalogue.hideLanguage(u"ar"_s);

        catalogue.addItem(playlist, channel(u"1"_s, u"BBC News"_s, u"L1"_s, 3));
        catalogue.addItem(playlist, channel(u"2"_s, u"Al Jazeera"_s, u"L2"_s, 1));
        catalogue.addItem(playlist, channel(u"3"_s, u"TF1"_s, u"L3"_s, 2));
        catalogue.addItem(playlist, channel(u"4"_s, u"Unnumbered"_s, QString(), std::nullopt));
        catalogue.addItem(playlist, channel(u"5"_s, u"ZDF"_s, u"L4"_s, 4));
        catalogue.addFavourite(playlist, CatalogueKind::Live, u"3"_s);

        catalogue.addItem(playlist, film(u"11"_s, u"Alpha"_s, 1000, 5.0));
        catalogue.addItem(playlist, film(u"12"_s, u"beta"_s, 3000, std::nullopt));
        catalogue.addItem(playlist, film(u"13"_s, u"Gamma"_s, std::nullopt, 9.0));
        catalogue.addItem(playlist, film(u"14"_s, u"delta"_s, 2000, 7.5));

        m_reader = std::make_unique<CataloguePageReader>(catalogue.path());
    }

    void cleanup()
    {
        m_reader.reset();
        m_catalogue.reset();
    }

    void scopesFilterHiddenCategoriesAndLanguagesOnlyInAll()
    {
        QCOMPARE(titles(browse(CatalogueKind::Live, BrowseScope::all())),
                 (QStringList{u"BBC News"_s, u"ZDF"_s, u"Unnumbered"_s}));
        QCOMPARE(titles(browse(CatalogueKind::Live, BrowseScope::category(u"L3"_s))), QStringList{u"TF1"_s});
        QCOMPARE(titles(browse(CatalogueKind::Live, BrowseScope::category(u"L2"_s))), QStringList{u"Al Jazeera"_s});
        const QList<MediaItem> favourites = browse(CatalogueKind::Live, BrowseScope::favourites());
        QCOMPARE(titles(favourites), QStringList{u"TF1"_s});
        QVERIFY(favourites.front().isFavourite);

        QCOMPARE(count(CatalogueKind::Live, BrowseScope::all()), 3);
        QCOMPARE(count(CatalogueKind::Live, BrowseScope::favourites()), 1);
        QCOMPARE(count(CatalogueKind::Live, BrowseScope::category(u"L3"_s)), 1);
        QCOMPARE(awaitBlocking(m_reader->hiddenLanguages()), QSet<QString>{u"ar"_s});
    }

    void sortsPutMissingValuesLast_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<BrowseSort>("sort");
        QTest::addColumn<QStringList>("expected");
        const QStringList channelsByNumber{u"Al Jazeera"_s, u"TF1"_s, u"BBC News"_s, u"ZDF"_s, u"Unnumbered"_s};
        QTest::newRow("live provider") << CatalogueKind::Live << BrowseSort::Provider << channelsByNumber;
        QTest::newRow("live title") << CatalogueKind::Live << BrowseSort::Title
                                    << QStringList{u"Al Jazeera"_s, u"BBC News"_s, u"TF1"_s, u"Unnumbered"_s, u"ZDF"_s};
        const QStringList newestFirst{u"beta"_s, u"delta"_s, u"Alpha"_s, u"Gamma"_s};
        QTest::newRow("films provider") << CatalogueKind::Movie << BrowseSort::Provider << newestFirst;
        QTest::newRow("films added") << CatalogueKind::Movie << BrowseSort::Added << newestFirst;
        QTest::newRow("films title") << CatalogueKind::Movie << BrowseSort::Title
                                     << QStringList{u"Alpha"_s, u"beta"_s, u"delta"_s, u"Gamma"_s};
        QTest::newRow("films rating") << CatalogueKind::Movie << BrowseSort::Rating
                                      << QStringList{u"Gamma"_s, u"delta"_s, u"Alpha"_s, u"beta"_s};
    }

    void sortsPutMissingValuesLast()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(BrowseSort, sort);
        QFETCH(QStringList, expected);
        // A category scope, so that hidden channels take part too.
        const BrowseScope scope = kind == CatalogueKind::Live ? BrowseScope::all() : BrowseScope::category(u"M1"_s);
        m_catalogue->database().execute(u"DELETE FROM hidden_languages"_s);
        m_catalogue->database().execute(u"DELETE FROM category_hidden"_s);
        QCOMPARE(titles(browse(kind, scope, {}, sort)), expected);
        QCOMPARE(titles(browse(kind, scope, {}, sort, 2, 1)), expected.mid(1, 2));
    }

    void searchMatchesEveryWordLiterally_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two words, any order, spaces around") << u"  news   SKY \n"_s
                                                              << QStringList{u"News at Sky"_s, u"Sky News Special"_s};
        QTest::newRow("only four words count") << u"a b c d zzz"_s << QStringList{u"Abcd"_s};
        QTest::newRow("percent and underscore are literal") << u"100%_off\\"_s << QStringList{u"100%_off\\"_s};
        QTest::newRow("underscore is no wildcard") << u"a_c"_s << QStringList();
        QTest::newRow("blank query lists all") << u"   "_s
                                               << QStringList{u"100 percent_off\\"_s, u"100%_off\\"_s, u"100x off"_s,
                                                              u"Abcd"_s,
                                                              u"News at Sky"_s, u"Sky News Special"_s, u"Sky Sports"_s};
    }

    void searchMatchesEveryWordLiterally()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        for (const QString &title : {u"Sky News Special"_s, u"News at Sky"_s, u"Sky Sports"_s, u"Abcd"_s,
                                     u"100%_off\\"_s, u"100 percent_off\\"_s, u"100x off"_s}) {
            m_catalogue->addItem(playlist, entry(CatalogueKind::Series, title, title));
        }
        QCOMPARE(titles(browse(CatalogueKind::Series, BrowseScope::all(), query, BrowseSort::Title)), expected);
        QCOMPARE(count(CatalogueKind::Series, BrowseScope::all(), query), expected.size());
    }

    void liveRowsCarryTheProgrammeRunningNow()
    {
        const QDateTime now = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
        const auto minutesFromNow = [&now](int minutes) { return now.addSecs(minutes * 60); };
        CatalogueFixture &catalogue = *m_catalogue;
        catalogue.addProgramme(playlist, u"BBCNews.example"_s, u"Earlier"_s, minutesFromNow(-20), minutesFromNow(20));
        catalogue.addProgramme(playlist, u"bbcnews.example"_s, u"Headlines"_s, minutesFromNow(-10), minutesFromNow(10));
        catalogue.addProgramme(playlist, u"bbcnews.example"_s, u"Later"_s, minutesFromNow(10), minutesFromNow(40));
        catalogue.addProgramme(playlist, u"zdf.example"_s, QString(), minutesFromNow(-5), minutesFromNow(5));
        catalogue.addProgramme(playlist, u"unnumbered.example"_s, u"Over"_s, minutesFromNow(-60), minutesFromNow(-1));
        catalogue.addProgramme(playlist, u"tf1.example"_s, u"Split"_s + QChar(31) + u"99"_s, minutesFromNow(-5),
                               minutesFromNow(5));

        QHash<QString, std::optional<NowProgramme>> running;
        for (const MediaItem &item : browse(CatalogueKind::Live, BrowseScope::category(u"L3"_s))
                 + browse(CatalogueKind::Live, BrowseScope::all()))
            running.insert(item.title, item.now);
        QCOMPARE(running.value(u"BBC News"_s), (NowProgramme{u"Headlines"_s, minutesFromNow(-10), minutesFromNow(10)}));
        QCOMPARE(running.value(u"ZDF"_s), (NowProgramme{QString(), minutesFromNow(-5), minutesFromNow(5)}));
        QCOMPARE(running.value(u"Unnumbered"_s), std::nullopt);
        QCOMPARE(running.value(u"TF1"_s), std::nullopt);

        // The player's channel list carries none, and schedules come in start order.
        for (const MediaItem &item : awaitBlocking(m_reader->channelQueue(playlist, BrowseScope::all())))
            QCOMPARE(item.now, std::nullopt);
        const QList<GuideProgramme> schedule =
            awaitBlocking(m_reader->schedule(playlist, u"bbcnews.example"_s, now, 2));
        QCOMPARE(schedule.size(), 2);
        QCOMPARE(schedule.at(0).title, u"Earlier"_s);
        QCOMPARE(schedule.at(0).channelID, u"BBCNews.example"_s);
        QCOMPARE(schedule.at(1).title, u"Headlines"_s);
        const QList<GuideProgramme> window = awaitBlocking(
            m_reader->programmes(playlist, u"bbcnews.example"_s, minutesFromNow(15), minutesFromNow(60)));
        QCOMPARE(window.size(), 2);
        QCOMPARE(window.at(1), (GuideProgramme{u"bbcnews.example"_s, u"Later"_s, std::nullopt, minutesFromNow(10),
                                                   minutesFromNow(40)}));
    }

    // A time far beyond any calendar is damage, not a moment: such a programme is neither
    // running nor listed.
    void aProgrammeWithADamagedTimeIsLeftOut()
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        m_catalogue->database().execute(u"INSERT INTO epg_programmes (playlist_id, channel_id, channel_key, title, starts_at, "
                                        "ends_at) VALUES (1, 'zdf.example', 'zdf.example', 'Damaged', ?, 1e300)"_s,
                                        {QString::number(now.toSecsSinceEpoch() - 60)});
        QCOMPARE(browse(CatalogueKind::Live, BrowseScope::category(u"L4"_s)).constFirst().now, std::nullopt);
        QCOMPARE(awaitBlocking(m_reader->schedule(playlist, u"zdf.example"_s, now, 5)), QList<GuideProgramme>());
    }

    void itemsDecodeEveryColumn()
    {
        ContentItem item = film(u"77"_s, u"Heat (1995)"_s, 1'600'000'000, 8.25);
        item.subtitle = u" \n"_s;
        item.artworkURL = u"http://images.example/heat poster.jpg"_s;
        item.containerExtension = u"mkv"_s;
        item.genre = u"Crime"_s;
        m_catalogue->addItem(playlist, item);
        m_catalogue->addFavourite(playlist, CatalogueKind::Movie, u"77"_s);

        const QList<MediaItem> items = browse(CatalogueKind::Movie, BrowseScope::favourites());
        QCOMPARE(items.size(), 1);
        const MediaItem &heat = items.front();
        QCOMPARE(heat.id(), u"movie:77"_s);
        QCOMPARE(heat.plot, std::nullopt);
        QCOMPARE(heat.artworkURL, QUrl(u"http://images.example/heat%20poster.jpg"_s));
        QCOMPARE(heat.containerExtension, u"mkv"_s);
        QCOMPARE(heat.epgKey, u"77"_s);
        QCOMPARE(heat.number, 77);
        QCOMPARE(heat.rating, 8.25);
        QCOMPARE(heat.addedAt, QDateTime::fromSecsSinceEpoch(1'600'000'000, Qt::UTC));
        QCOMPARE(heat.genre, u"Crime"_s);
        QCOMPARE(heat.categoryID, u"M1"_s);
        QVERIFY(heat.isFavourite);
        QCOMPARE(heat.now, std::nullopt);
    }

    void categoriesComeInTheUsersOrderFirst()
    {
        const QList<BrowseCategory> categories =
            awaitBlocking(m_reader->browseCategories(playlist, CatalogueKind::Live));
        QStringList ids;
        for (const BrowseCategory &category : categories)
            ids.append(category.providerID);
        QCOMPARE(ids, (QStringList{u"L4"_s, u"L1"_s, u"L2"_s, u"L3"_s}));
        QCOMPARE(categories.at(2), (BrowseCategory{CatalogueKind::Live, u"L2"_s, u"AR: Sports"_s, 1, u"ar"_s, false}));
        QVERIFY(categories.at(3).hidden);
    }

    void countsOfThePlaylistByKind()
    {
        QCOMPARE(awaitBlocking(m_reader->counts(playlist)), (std::array<qint64, 3>{5, 4, 0}));
        QCOMPARE(awaitBlocking(m_reader->counts(2)), (std::array<qint64, 3>{0, 0, 0}));
    }

    void noPlaylistReadsNothing()
    {
        CataloguePageReader reader(m_catalogue->path() + u".missing"_s);
        QCOMPARE(awaitBlocking(reader.counts(std::nullopt)), (std::array<qint64, 3>{0, 0, 0}));
        QVERIFY(awaitBlocking(reader.browseItems(std::nullopt, CatalogueKind::Live, BrowseScope::all(), {},
                                                 BrowseSort::Provider, 10, 0))
                    .isEmpty());
        QVERIFY(awaitBlocking(reader.browseCategories(std::nullopt, CatalogueKind::Live)).isEmpty());
        QVERIFY(awaitBlocking(reader.channelQueue(std::nullopt, BrowseScope::all())).isEmpty());
    }

    void aMissingFileIsOpenedOnceItExists()
    {
        const QString path = m_catalogue->path() + u".later"_s;
        CataloguePageReader reader(path);
        QCOMPARE(failureSentence<CatalogueDatabaseError>(reader.browseCategories(playlist, CatalogueKind::Live)),
                 u"The catalogue could not be opened."_s);
        QCOMPARE(failureSentence<CatalogueDatabaseError>(reader.counts(playlist)), u"The catalogue could not be opened."_s);
        CatalogueSchema::prepare(path);
        QVERIFY(awaitBlocking(reader.browseCategories(playlist, CatalogueKind::Live)).isEmpty());
    }

    void aDamagedFileFailsWithASentence()
    {
        const QString path = m_catalogue->path() + u".damaged"_s;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, '\x5a'));
        file.close();
        CataloguePageReader reader(path);
        QCOMPARE(failureSentence<CatalogueDatabaseError>(reader.browseItems(playlist, CatalogueKind::Movie, BrowseScope::all(),
                                                                      {}, BrowseSort::Title, 10, 0)),
                 u"The catalogue query failed (file is not a database)."_s);
        QCOMPARE(failureSentence<CatalogueDatabaseError>(reader.counts(playlist)), u"Catalogue counts could not be read."_s);
    }

    void readsGoOnWhileAWriterHoldsItsTransaction()
    {
        QCOMPARE(count(CatalogueKind::Movie, BrowseScope::all()), 4);
        CatalogueDatabase writer(m_catalogue->path());
        writer.execute(u"BEGIN IMMEDIATE"_s);
        writer.execute(u"DELETE FROM content_items WHERE kind='movie'"_s);
        QCOMPARE(count(CatalogueKind::Movie, BrowseScope::all()), 4);
        writer.execute(u"COMMIT"_s);
        QCOMPARE(count(CatalogueKind::Movie, BrowseScope::all()), 0);
    }
};

QTEST_GUILESS_MAIN(CataloguePageReaderTest)
#include "tst_cataloguepagereader.moc"
