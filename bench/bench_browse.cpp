// Browse speed on a large catalogue: the first page of every list a page can show, its count,
// the category lists and a search, each through the real reader on a real file. Prints the
// median and the 95th percentile per query group against a 95th-percentile target.
//
//     bench_browse [SIZE] [RUNS]
//
// SIZE is the catalogue: 300000 (the default: 60k live, 200k films, 40k series, target 20 ms),
// 1000000 (200k live, 650k films, 150k series, target 50 ms), or LIVE,FILMS,SERIES (target 50 ms).
// RUNS is the number of runs per group (30).

#include "BenchStatistics.h"
#include "LargeCatalogue.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CataloguePageReader.h"
#include "Catalogue/CatalogueSchema.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueFixture.h"
#include "support/CatalogueGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 playlist = LargeCatalogue::playlist;
int runs = 30;
double targetMs = 20;
// Groups that take seconds a run stop early, after at least this many runs, once this much time
// has gone, so that the whole table still comes out in minutes.
constexpr int minimumRuns = 5;
constexpr qint64 groupBudgetMs = 20'000;

struct Figures
{
    int runs = 0;
    double median = 0;
    double p95 = 0;
};

template<typename Query>
Figures measure(Query query)
{
    QList<double> times;
    QElapsedTimer group;
    group.start();
    while (times.size() < runs && (times.size() < minimumRuns || group.elapsed() < groupBudgetMs)) {
        QElapsedTimer timer;
        timer.start();
        query();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return {int(times.size()), median(times), percentile(times, 0.95)};
}

class Report
{
public:
    template<typename Query>
    void add(const QString &group, Query query)
    {
        const Figures figures = measure(query);
        m_worst = std::max(m_worst, figures.p95);
        const bool miss = figures.p95 >= targetMs;
        if (miss)
            ++m_misses;
        std::printf("%-44s median %9.2f ms   p95 %9.2f ms   (%2d runs)%s\n", qPrintable(group), figures.median,
                    figures.p95, figures.runs, miss ? "   MISS" : "");
        std::fflush(stdout);
    }

    void summary() const
    {
        std::printf("\nworst p95 %.2f ms; %d group(s) at or over %.0f ms\n", m_worst, m_misses, targetMs);
    }

private:
    double m_worst = 0;
    int m_misses = 0;
};

// Favourites, hidden categories and languages, and a guide with a programme running now on every
// guide channel, so that the filters and the current-programme column do real work.
void addLibrary(CatalogueFixture &fixture, const GeneratedCatalogue &catalogue)
{
    CatalogueDatabase &database = fixture.database();
    database.execute(u"BEGIN IMMEDIATE"_s);
    for (const CatalogueKind kind : allCatalogueKinds) {
        const QList<ContentItem> items = catalogue.itemsOf(kind);
        for (qsizetype index = 0; index < items.size(); index += items.size() / 300)
            fixture.addFavourite(playlist, kind, items.at(index).providerID, double(index));
        const QList<Category> categories = catalogue.categoriesOf(kind);
        for (qsizetype index = 3; index < categories.size(); index += 17)
            fixture.hideCategory(playlist, kind, categories.at(index).providerID);
    }
    fixture.hideLanguage(u"tr"_s);
    fixture.hideLanguage(u"ro"_s);

    QSet<QString> channels;
    for (const ContentItem &item : catalogue.itemsOf(CatalogueKind::Live)) {
        if (item.epgChannelID)
            channels.insert(*item.epgChannelID);
    }
    const QDateTime start = QDateTime::currentDateTimeUtc().addSecs(-12 * 3600);
    for (const QString &channel : std::as_const(channels)) {
        for (int slot = 0; slot < 48; ++slot) {
            fixture.addProgramme(playlist, channel, u"Programme "_s + QString::number(slot),
                                 start.addSecs(slot * 1800), start.addSecs((slot + 1) * 1800));
        }
    }
    database.execute(u"COMMIT"_s);
    std::printf("guide: %lld channels, %lld programmes\n", qint64(channels.size()), qint64(channels.size()) * 48);
}

// The catalogue named by the first argument, and the target that goes with its size.
std::optional<CatalogueSize> catalogueSize(const QString &argument)
{
    if (argument.isEmpty() || argument == u"300000")
        return CatalogueSize{60'000, 200'000, 40'000};
    targetMs = 50;
    if (argument == u"1000000")
        return CatalogueSize{200'000, 650'000, 150'000};
    const QStringList parts = argument.split(u',');
    if (parts.size() != 3)
        return std::nullopt;
    bool live = false;
    bool films = false;
    bool series = false;
    const CatalogueSize size{parts.at(0).toInt(&live), parts.at(1).toInt(&films), parts.at(2).toInt(&series)};
    if (!live || !films || !series || size.live < 1 || size.movies < 1 || size.series < 1)
        return std::nullopt;
    return size;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const std::optional<CatalogueSize> size = catalogueSize(arguments.value(1));
    if (!size) {
        std::fprintf(stderr, "usage: bench_browse [300000 | 1000000 | LIVE,FILMS,SERIES] [RUNS]\n");
        return 2;
    }
    if (arguments.size() > 2)
        runs = std::max(1, arguments.at(2).toInt());

    LargeCatalogue large(*size, addLibrary);
    const GeneratedCatalogue &catalogue = large.catalogue();
    CatalogueFixture &fixture = large.fixture();

    CataloguePageReader reader(fixture.path());
    Report report;
    const QString searches[] = {u"sport hd"_s, u"night city"_s, u"dark storm"_s};
    for (const CatalogueKind kind : allCatalogueKinds) {
        const QString kindName = kindText(kind);
        const int pageSize = kind == CatalogueKind::Live ? 150 : 120;
        const QList<Category> categories = catalogue.categoriesOf(kind);
        const QList<std::pair<QString, BrowseScope>> scopes = {
            {u"all"_s, BrowseScope::all()},
            {u"favourites"_s, BrowseScope::favourites()},
            {u"category"_s, BrowseScope::category(categories.at(categories.size() / 2).providerID)}};

        report.add(kindName + u" categories"_s,
                   [&] { (void)awaitBlocking(reader.browseCategories(playlist, kind)); });
        report.add(kindName + u" uncategorised count"_s,
                   [&] { (void)awaitBlocking(reader.uncategorisedCount(playlist, kind)); });
        for (const auto &named : scopes) {
            const QString &scopeName = named.first;
            const BrowseScope &scope = named.second;
            for (const BrowseSort sort : {BrowseSort::Provider, BrowseSort::Title, BrowseSort::Added, BrowseSort::Rating}) {
                report.add(kindName + u' ' + scopeName + u' ' + sortText(sort) + u" first page"_s, [&] {
                    (void)awaitBlocking(reader.browseItems(playlist, kind, scope, {}, sort, pageSize, 0));
                });
            }
            report.add(kindName + u' ' + scopeName + u" count"_s,
                       [&] { (void)awaitBlocking(reader.browseCount(playlist, kind, scope, {})); });
        }
        const QString &search = searches[int(kind)];
        report.add(kindName + u" search \""_s + search + u"\" first page"_s, [&] {
            (void)awaitBlocking(
                reader.browseItems(playlist, kind, BrowseScope::all(), search, BrowseSort::Title, pageSize, 0));
        });
        report.add(kindName + u" search \""_s + search + u"\" count"_s,
                   [&] { (void)awaitBlocking(reader.browseCount(playlist, kind, BrowseScope::all(), search)); });
    }
    report.summary();
    return 0;
}
