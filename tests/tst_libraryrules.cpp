#include "Catalogue/CatalogueModels.h"
#include "Pages/Detail/DetailBackdrop.h"
#include "Pages/Detail/DetailText.h"
#include "Pages/Detail/EpisodeChoice.h"
#include "Pages/Home/HomeText.h"
#include "Pages/Library/PosterGrid.h"
#include "Pages/Library/VodText.h"
#include "Pages/Search/RecentSearches.h"
#include "Pages/Search/SearchPageModel.h"
#include "Pages/VideoSite/VideoSiteAddresses.h"
#include "support/CatalogueItems.h"

#include <QTest>

using namespace Qt::StringLiterals;

using OptionalFraction = std::optional<double>;
using Positions = QList<std::pair<QString, EpisodeProgress>>;

Q_DECLARE_METATYPE(PosterGrid::Columns)
Q_DECLARE_METATYPE(CatalogueKind)

namespace {

// Two seasons of three episodes, then a special after them in list order.
QList<SeriesEpisode> twoSeasons()
{
    return {episode(u"7"_s, 1, 1), episode(u"7"_s, 1, 2), episode(u"7"_s, 1, 3), episode(u"7"_s, 2, 1), episode(u"7"_s, 2, 2), episode(u"7"_s, 2, 3)};
}

EpisodeChoice::ProgressMap positions(const Positions &entries)
{
    EpisodeChoice::ProgressMap map;
    for (const auto &[id, progress] : entries)
        map.insert(id, progress);
    return map;
}

LibraryEntry entry(std::optional<SeriesEpisode> episode, qint64 position, std::optional<qint64> duration)
{
    LibraryEntry entry;
    entry.item.kind = episode ? CatalogueKind::Series : CatalogueKind::Movie;
    entry.item.providerID = u"42"_s;
    entry.episode = std::move(episode);
    entry.position = position;
    entry.duration = duration;
    return entry;
}

} // namespace

// The library pages' rules without a screen: wording, grid maths, the episode choice, recent
// search terms and the video site's addresses.
class LibraryRulesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void greetsByTheHour_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("greeting");
        for (const auto &[hour, text] : QList<std::pair<int, QString>>{{0, u"Good evening"_s},
                                                                        {4, u"Good evening"_s},
                                                                        {5, u"Good morning"_s},
                                                                        {11, u"Good morning"_s},
                                                                        {12, u"Good afternoon"_s},
                                                                        {17, u"Good afternoon"_s},
                                                                        {18, u"Good evening"_s},
                                                                        {23, u"Good evening"_s}})
            QTest::addRow("%d h", hour) << hour << text;
    }

    void greetsByTheHour()
    {
        QFETCH(int, hour);
        QFETCH(QString, greeting);
        QCOMPARE(HomeText::greeting(hour), greeting);
    }

    void summarisesTheDayThePlaylistAndTheCounts()
    {
        const QDateTime tuesday(QDate(2025, 3, 4), QTime(9, 0));
        CatalogueSnapshot snapshot;
        QCOMPARE(HomeText::summary(tuesday, std::nullopt, snapshot), u"Tuesday, 4 March"_s);
        // Any one count brings all three.
        snapshot.seriesCount = 1;
        QCOMPARE(HomeText::summary(tuesday, u"Provider"_s, snapshot),
                 u"Tuesday, 4 March  \u00B7  Provider  \u00B7  0 live \u00B7 0 movies \u00B7 1 series"_s);
        snapshot = {1, 1, 1204, 31000, 42};
        QCOMPARE(HomeText::summary(tuesday, std::nullopt, snapshot),
                 u"Tuesday, 4 March  \u00B7  1,204 live \u00B7 31,000 movies \u00B7 42 series"_s);
        // The tiles always use the plural.
        QCOMPARE(HomeText::tileDetail(1, u"channels"_s), u"1 channels"_s);
        QCOMPARE(HomeText::tileDetail(12345, u"titles"_s), u"12,345 titles"_s);
    }

    void describesWhereAnEntryStopped_data()
    {
        QTest::addColumn<LibraryEntry>("entry");
        QTest::addColumn<QString>("line");
        QTest::addColumn<OptionalFraction>("progress");

        QTest::newRow("special, four fifths") << entry(episode(u"7"_s, 0, 4), 2400, 3000) << u"E4 \u00B7 10m left"_s
                                              << OptionalFraction(0.8);
        QTest::newRow("episode of a season") << entry(episode(u"7"_s, 2, 5), 60, 2580) << u"S2 E5 \u00B7 42m left"_s
                                             << OptionalFraction(60.0 / 2580);
        QTest::newRow("at the end") << entry(std::nullopt, 5400, 5400) << QString() << OptionalFraction(1.0);
        QTest::newRow("past the end") << entry(episode(u"7"_s, 1, 1), 3100, 3000) << u"S1 E1"_s << OptionalFraction(1.0);
        QTest::newRow("no duration") << entry(std::nullopt, 600, std::nullopt) << QString() << OptionalFraction();
        QTest::newRow("under a minute left") << entry(std::nullopt, 5390, 5400) << u"1m left"_s
                                             << OptionalFraction(5390.0 / 5400);
        QTest::newRow("not started") << entry(std::nullopt, 0, 5400) << u"1h 30m left"_s << OptionalFraction();
        QTest::newRow("zero duration") << entry(std::nullopt, 20, 0) << QString() << OptionalFraction();
    }

    void describesWhereAnEntryStopped()
    {
        QFETCH(LibraryEntry, entry);
        QFETCH(QString, line);
        QFETCH(OptionalFraction, progress);
        QCOMPARE(HomeText::resumeLine(entry), line);
        QCOMPARE(HomeText::progress(entry), progress);
    }

    void fitsPosterColumnsToTheWidth_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("size");
        QTest::addColumn<PosterGrid::Columns>("columns");

        QTest::newRow("worked example") << 1000.0 << u"medium"_s << PosterGrid::Columns{5, 169};
        QTest::newRow("just under the sixth column") << 1157.0 << u"medium"_s << PosterGrid::Columns{5, 201};
        QTest::newRow("the sixth column") << 1158.0 << u"medium"_s << PosterGrid::Columns{6, 164};
        QTest::newRow("large at the same width") << 1158.0 << u"large"_s << PosterGrid::Columns{5, 201};
        QTest::newRow("small") << 1180.0 << u"small"_s << PosterGrid::Columns{7, 140};
        QTest::newRow("unknown size is medium") << 1000.0 << u"huge"_s << PosterGrid::Columns{5, 169};
        QTest::newRow("too narrow for two") << 300.0 << u"medium"_s << PosterGrid::Columns{2, 107};
        QTest::newRow("not measured yet") << 0.0 << u"medium"_s << PosterGrid::Columns{2, 0};
    }

    void fitsPosterColumnsToTheWidth()
    {
        QFETCH(double, width);
        QFETCH(QString, size);
        QFETCH(PosterGrid::Columns, columns);
        QCOMPARE(PosterGrid::columns(width, PosterGrid::posterWidth(size)), columns);
    }

    void countsTheTitlesOfAList_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<bool>("loading");
        QTest::addColumn<bool>("hasItems");
        QTest::addColumn<QString>("line");

        QTest::newRow("one movie") << CatalogueKind::Movie << qint64(1) << false << true << u"1 movie"_s;
        QTest::newRow("no shows") << CatalogueKind::Series << qint64(0) << false << false << u"0 shows"_s;
        QTest::newRow("one show") << CatalogueKind::Series << qint64(1) << false << true << u"1 show"_s;
        QTest::newRow("grouped") << CatalogueKind::Movie << qint64(200000) << false << true << u"200,000 movies"_s;
        QTest::newRow("first page loading") << CatalogueKind::Movie << qint64(0) << true << false
                                            << u"Loading\u2026"_s;
        // A reload keeps the old posters and the old total on screen.
        QTest::newRow("reloading") << CatalogueKind::Movie << qint64(12) << true << true << u"12 movies"_s;
    }

    void countsTheTitlesOfAList()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(qint64, total);
        QFETCH(bool, loading);
        QFETCH(bool, hasItems);
        QFETCH(QString, line);
        QCOMPARE(VodText::countLine(kind, total, loading, hasItems), line);
    }

    void explainsAnEmptyOrFailedList()
    {
        // The favourites scope says so whatever the query.
        QCOMPARE(VodText::emptyPanel(BrowseScope::favourites(), u"zzz"_s).title, u"Nothing saved yet"_s);
        QCOMPARE(VodText::emptyPanel(BrowseScope::all(), u"zzz"_s).title, u"Nothing matches \u201Czzz\u201D"_s);
        QCOMPARE(VodText::emptyPanel(BrowseScope::category(u"3"_s), QString()),
                 (VodText::Panel{u"film.stack"_s, u"Nothing here yet"_s, QString()}));
        QCOMPARE(VodText::errorPanel(CatalogueKind::Series, u"The catalogue could not be opened."_s),
                 (VodText::Panel{u"exclamationmark.triangle"_s, u"Series unavailable"_s,
                                 u"The catalogue could not be opened."_s}));
    }

    void choosesTheEpisodeToContinueWith_data()
    {
        QTest::addColumn<QList<SeriesEpisode>>("episodes");
        QTest::addColumn<Positions>("saved");
        QTest::addColumn<int>("next");
        QTest::addColumn<QString>("title");

        const QList<SeriesEpisode> series = twoSeasons();
        QTest::newRow("nothing watched") << series << Positions{} << 0 << u"Play S1 E1"_s;
        QTest::newRow("under way") << series << Positions{{u"7-103"_s, {600, 2400}}} << 2 << u"Continue S1 E3"_s;
        // 2300 of 2400 is past the limit of 2280: finished, so the following one.
        QTest::newRow("nearly finished") << series << Positions{{u"7-101"_s, {2300, 2400}}} << 1 << u"Play S1 E2"_s;
        // A false start still counts as the last one watched.
        QTest::newRow("false start") << series << Positions{{u"7-101"_s, {25, 2400}}} << 1 << u"Play S1 E2"_s;
        QTest::newRow("no duration anywhere") << series << Positions{{u"7-102"_s, {200, std::nullopt}}} << 1
                                              << u"Continue S1 E2"_s;
        // The first in list order wins, whatever was watched last in time.
        QTest::newRow("two under way") << series
                                       << Positions{{u"7-202"_s, {600, 2400}}, {u"7-102"_s, {600, 2400}}} << 1
                                       << u"Continue S1 E2"_s;
        QTest::newRow("season finished") << series << Positions{{u"7-103"_s, {2400, 2400}}} << 3
                                         << u"Play S2 E1"_s;
        // The last in list order, not the latest: an earlier rewatch does not move it back.
        QTest::newRow("last in list order") << series
                                            << Positions{{u"7-201"_s, {2400, 2400}}, {u"7-101"_s, {2400, 2400}}}
                                            << 4 << u"Play S2 E2"_s;
        QTest::newRow("final episode watched") << series << Positions{{u"7-203"_s, {2400, 2400}}} << 0
                                               << u"Play S1 E1"_s;
        QTest::newRow("specials") << QList<SeriesEpisode>{episode(u"7"_s, 0, 1), episode(u"7"_s, 0, 2)}
                                  << Positions{{u"7-1"_s, {2400, 2400}}} << 1 << u"Play E2"_s;
        QTest::newRow("next has history") << series
                                          << Positions{{u"7-101"_s, {2400, 2400}}, {u"7-102"_s, {10, 2400}}} << 2
                                          << u"Play S1 E3"_s;
    }

    void choosesTheEpisodeToContinueWith()
    {
        QFETCH(QList<SeriesEpisode>, episodes);
        QFETCH(Positions, saved);
        QFETCH(int, next);
        QFETCH(QString, title);
        const EpisodeChoice::ProgressMap progress = positions(saved);
        const std::optional<qsizetype> chosen = EpisodeChoice::nextEpisode(episodes, progress);
        QCOMPARE(chosen, std::optional<qsizetype>(next));
        const SeriesEpisode &offered = episodes.at(*chosen);
        QCOMPARE(DetailText::nextEpisodeTitle(offered, progress.contains(offered.providerID)), title);
        // The season shown first is the offered episode's, until the user picks one.
        QCOMPARE(EpisodeChoice::currentSeason(std::nullopt, episodes, progress), offered.seasonNumber);
        QCOMPARE(EpisodeChoice::currentSeason(7, episodes, progress), 7);
    }

    void anEmptyListOffersNothing()
    {
        QCOMPARE(EpisodeChoice::nextEpisode({}, {}), std::nullopt);
        QCOMPARE(EpisodeChoice::currentSeason(std::nullopt, {}, {}), std::nullopt);
        QVERIFY(EpisodeChoice::seasons({}).isEmpty());
    }

    void listsSeasonsInOrder()
    {
        const QList<SeriesEpisode> episodes{episode(u"7"_s, 2, 1), episode(u"7"_s, 0, 1), episode(u"7"_s, 1, 1), episode(u"7"_s, 2, 2)};
        QCOMPARE(EpisodeChoice::seasons(episodes), (QList<int>{0, 1, 2}));
        QCOMPARE(EpisodeChoice::seasonTitle(0), u"Specials"_s);
        QCOMPARE(EpisodeChoice::seasonTitle(3), u"Season 3"_s);
    }

    void measuresHowMuchOfAnEpisodeWasWatched_data()
    {
        QTest::addColumn<std::optional<qint64>>("ownDuration");
        QTest::addColumn<std::optional<EpisodeProgress>>("saved");
        QTest::addColumn<OptionalFraction>("fraction");
        QTest::addColumn<bool>("watched");

        using Saved = std::optional<EpisodeProgress>;
        using Own = std::optional<qint64>;
        QTest::newRow("no history") << Own(2400) << Saved() << OptionalFraction() << false;
        QTest::newRow("saved duration") << Own() << Saved({600, 2400}) << OptionalFraction(0.25) << false;
        QTest::newRow("episode's duration") << Own(2400) << Saved({2280, std::nullopt}) << OptionalFraction(0.95)
                                            << true;
        QTest::newRow("no duration anywhere") << Own() << Saved({200, std::nullopt}) << OptionalFraction() << false;
        QTest::newRow("zero duration") << Own(0) << Saved({200, 0}) << OptionalFraction() << false;
        QTest::newRow("past the end") << Own() << Saved({3000, 2400}) << OptionalFraction(1.0) << true;
    }

    void measuresHowMuchOfAnEpisodeWasWatched()
    {
        QFETCH(std::optional<qint64>, ownDuration);
        QFETCH(std::optional<EpisodeProgress>, saved);
        QFETCH(OptionalFraction, fraction);
        QFETCH(bool, watched);
        SeriesEpisode first = episode(u"7"_s, 1, 1);
        first.durationSeconds = ownDuration;
        const std::optional<double> measured = EpisodeChoice::watchedFraction(first, saved);
        QCOMPARE(measured, fraction);
        QCOMPARE(EpisodeChoice::isWatched(measured), watched);
    }

    void wordsTheDetailPagesRows()
    {
        QCOMPARE(DetailText::counts(1, 1), u"1 season \u00B7 1 episode"_s);
        QCOMPARE(DetailText::counts(3, 24), u"3 seasons \u00B7 24 episodes"_s);
        QCOMPARE(DetailText::resumeTitle(754), u"Resume from 12:34"_s);
        QCOMPARE(DetailText::resumeTitle(3725), u"Resume from 1:02:05"_s);
        QCOMPARE(EpisodeChoice::shortCode(episode(u"7"_s, 2, 5)), u"S2 E5"_s);
        QCOMPARE(EpisodeChoice::shortCode(episode(u"7"_s, 0, 5)), u"E5"_s);
    }

    void blursTheBackdropIntoFadingEdges()
    {
        QImage source(300, 200, QImage::Format_ARGB32_Premultiplied);
        source.fill(Qt::red);
        qreal margin = 0;
        // A 3:1 frame takes the middle 300 x 100 of the picture; 60 of the frame's 1200 points
        // are 15 of its pixels.
        const QImage blurred = DetailBackdrop::blurredFill(source, QSizeF(1200, 400), 60, margin);
        QCOMPARE(margin, 15.0);
        QCOMPARE(blurred.size(), QSize(330, 130));
        QCOMPARE(QColor(blurred.pixel(165, 65)), QColor(Qt::red));
        // Not smeared to the border: the blur fades out past the picture's edge.
        QVERIFY(qAlpha(blurred.pixel(0, 0)) < 40);
        QVERIFY(qAlpha(blurred.pixel(15, 65)) < 255);
        QVERIFY(DetailBackdrop::blurredFill(QImage(), QSizeF(100, 100), 60, margin).isNull());
    }

    void remembersRecentSearchTerms()
    {
        QStringList terms = RecentSearches::parse(u"matrix\n\nalien\n"_s);
        QCOMPARE(terms, (QStringList{u"matrix"_s, u"alien"_s}));
        // Another case of a kept term replaces it, newest first.
        terms = RecentSearches::remember(terms, u"Matrix"_s);
        QCOMPARE(terms, (QStringList{u"Matrix"_s, u"alien"_s}));
        QCOMPARE(RecentSearches::remember(terms, u"x"_s), terms);
        for (int i = 0; i < 9; ++i)
            terms = RecentSearches::remember(terms, u"term "_s + QString::number(i));
        QCOMPARE(terms.size(), 10);
        QCOMPARE(terms.last(), u"Matrix"_s);
        terms = RecentSearches::remember(terms, u"eleventh"_s);
        QCOMPARE(terms.size(), 10);
        QCOMPARE(terms.first(), u"eleventh"_s);
        QVERIFY(!terms.contains(u"Matrix"_s));
        QCOMPARE(RecentSearches::parse(RecentSearches::join(terms)), terms);

        // A pasted term of several lines is one term of one line, and the list stays at ten.
        QCOMPARE(RecentSearches::term(u" dark\nstorm\r\nrising\u2028 "_s), u"dark storm rising"_s);
        terms = RecentSearches::remember(terms, u"dark\nstorm\r\nrising\n"_s);
        QCOMPARE(terms.first(), u"dark storm rising"_s);
        QCOMPARE(RecentSearches::parse(RecentSearches::join(terms)), terms);
        QCOMPARE(RecentSearches::parse(RecentSearches::join(terms) + u"\nfrom\nan older\nlist"_s), terms);
    }

    void marksAFullResultShelf()
    {
        QCOMPARE(SearchPageModel::shelfSubtitle(39), u"39"_s);
        QCOMPARE(SearchPageModel::shelfSubtitle(40), u"40+"_s);
        QCOMPARE(SearchPageModel::shelfSubtitle(0), u"0"_s);
    }

    void encodesTheSearchAsOneQueryValue_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("address");

        const QString results = VideoSiteAddresses::base() + u"/results?search_query="_s;
        QTest::newRow("two words") << u"lo fi"_s << results + u"lo%20fi"_s;
        QTest::newRow("trimmed") << u"  news \n"_s << results + u"news"_s;
        // Delimiters stay inside the value: nothing can end it, add a parameter or start a fragment.
        QTest::newRow("delimiters") << u"c++ & more"_s << results + u"c%2B%2B%20%26%20more"_s;
        QTest::newRow("fragment and parameter") << u"a#b=c&list=WL"_s << results + u"a%23b%3Dc%26list%3DWL"_s;
        QTest::newRow("non-latin") << u"Привет"_s << results + u"%D0%9F%D1%80%D0%B8%D0%B2%D0%B5%D1%82"_s;
    }

    void encodesTheSearchAsOneQueryValue()
    {
        QFETCH(QString, query);
        QFETCH(QString, address);
        const std::optional<QUrl> url = VideoSiteAddresses::search(query);
        QVERIFY(url);
        QCOMPARE(QString::fromLatin1(url->toEncoded()), address);
        QCOMPARE(url->query(QUrl::FullyDecoded).section(u'=', 1), query.trimmed());
    }

    void searchesOnlyForText()
    {
        QCOMPARE(VideoSiteAddresses::search(u" \t "_s), std::nullopt);
        QCOMPARE(VideoSiteAddresses::search(u"\n\n"_s), std::nullopt);
        QVERIFY(!VideoSiteAddresses::canSearch(u" \t "_s));
        // Line breaks count for the button, yet the search itself trims them away.
        QVERIFY(VideoSiteAddresses::canSearch(u"\n"_s));
        QVERIFY(VideoSiteAddresses::canSearch(u" a "_s));
    }

    void opensOnlyWebAddresses()
    {
        QCOMPARE(VideoSiteAddresses::shortcut(VideoSiteAddresses::base() + u"/playlist?list=WL"_s)->toString(),
                 u"https://www.youtube.com/playlist?list=WL"_s);
        QCOMPARE(VideoSiteAddresses::shortcut(u"file:///etc/passwd"_s), std::nullopt);
        QCOMPARE(VideoSiteAddresses::shortcut(u"not an address"_s), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(LibraryRulesTest)
#include "tst_libraryrules.moc"
