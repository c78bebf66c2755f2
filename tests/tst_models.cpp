#include "Catalogue/CatalogueModels.h"

#include <QTest>

using namespace Qt::StringLiterals;

class ModelsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identifiers()
    {
        MediaItem film;
        film.kind = CatalogueKind::Movie;
        film.providerID = u"77"_s;
        QCOMPARE(film.id(), u"movie:77"_s);

        LibraryEntry watched;
        watched.item = film;
        QCOMPARE(watched.id(), u"movie:77"_s);
        SeriesEpisode episode;
        episode.seriesID = u"12"_s;
        episode.providerID = u"9001"_s;
        watched.episode = episode;
        QCOMPARE(watched.id(), u"ep:9001"_s);
        QCOMPARE(episode.id(), u"12:9001"_s);

        GuideProgramme news;
        news.channelID = u"ch1"_s;
        news.title = u"News"_s;
        news.start = QDateTime::fromSecsSinceEpoch(3600, Qt::UTC);
        news.end = QDateTime::fromSecsSinceEpoch(7200, Qt::UTC);
        QCOMPARE(news.id(), u"ch1:3600.0:7200.0:News"_s);
        news.end = QDateTime::fromMSecsSinceEpoch(7200500, Qt::UTC);
        QCOMPARE(news.id(), u"ch1:3600.0:7200.5:News"_s);
        // Present-day times keep every digit: no exponent form.
        news.start = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
        news.end = QDateTime::fromMSecsSinceEpoch(1'765'432'100'500, Qt::UTC);
        QCOMPARE(news.id(), u"ch1:1700000000.0:1765432100.5:News"_s);
    }

    void kindsAndSortsParseExactTextsOnly()
    {
        QCOMPARE(catalogueKindFromText(u"live"), CatalogueKind::Live);
        QCOMPARE(catalogueKindFromText(u"series"), CatalogueKind::Series);
        QVERIFY(!catalogueKindFromText(u"Live"));
        QVERIFY(!catalogueKindFromText(u""));
        QCOMPARE(browseSortFromText(u"rating"), BrowseSort::Rating);
        QVERIFY(!browseSortFromText(u"Rating"));
        for (const CatalogueKind kind : allCatalogueKinds)
            QCOMPARE(catalogueKindFromText(kindText(kind)), kind);
    }

    void recordsCompareOverEveryField()
    {
        MediaItem a;
        a.providerID = u"1"_s;
        MediaItem b = a;
        QCOMPARE(a, b);
        b.now = NowProgramme{u"News"_s, QDateTime::currentDateTimeUtc(), QDateTime::currentDateTimeUtc()};
        QVERIFY(a != b);
        QCOMPARE(a.id(), b.id());

        QCOMPARE(BrowseScope::category(u"5"_s), BrowseScope::category(u"5"_s));
        QVERIFY(BrowseScope::category(u"5"_s) != BrowseScope::category(u"6"_s));
        QCOMPARE(BrowseScope::favourites().settingsText(), u"fav"_s);
        QCOMPARE(BrowseScope::all().settingsText(), u"all"_s);
        // A provider's category id never turns into a built-in scope when read back, and the
        // texts settings already hold read as before.
        for (const BrowseScope &scope : {BrowseScope::all(), BrowseScope::favourites(), BrowseScope::category(u"5"_s),
                                         BrowseScope::category(u"all"_s), BrowseScope::category(u"fav"_s),
                                         BrowseScope::category(u"category:all"_s)})
            QCOMPARE(BrowseScope::fromSettingsText(scope.settingsText()), scope);
        QCOMPARE(BrowseScope::category(u"5"_s).settingsText(), u"5"_s);
        QCOMPARE(BrowseScope::fromSettingsText(u"all"_s), BrowseScope::all());
        QCOMPARE(BrowseScope::fromSettingsText(u"fav"_s), BrowseScope::favourites());
    }

    void compactItemIsBuiltFromAMediaItem()
    {
        MediaItem item;
        item.kind = CatalogueKind::Movie;
        item.providerID = u"77"_s;
        item.title = u"Heat"_s;
        item.plot = u"A heist."_s;
        item.containerExtension = u"mkv"_s;
        item.isFavourite = true;
        const CatalogueItem compact = CatalogueItem::from(item);
        QCOMPARE(compact.id, u"77"_s);
        QCOMPARE(compact.subtitle, std::optional<QString>(u"A heist."_s));
        QCOMPARE(compact.containerExtension, std::optional<QString>(u"mkv"_s));
        QVERIFY(compact.isFavourite);
        QVERIFY(!compact.now && !compact.next);
    }
};

QTEST_GUILESS_MAIN(ModelsTest)
#include "tst_models.moc"
