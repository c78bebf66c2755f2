// Imports large catalogues and a large guide end to end from the local provider running in a
// process of its own, and measures, in the same run, the raw limit of the database: the fastest
// plain way to the same catalogue in the file. That is one transaction with a 256 MiB page
// cache and typed binds, either into the schema with all its indexes and triggers in place, or
// with them dropped and built after the rows; the import is compared with the faster of the
// two, for an empty file and for replacing the catalogue it holds.
//
// Each catalogue size (300,000 items unless --items lists others, split as 20 % channels, two
// thirds films and the rest series) is imported with its time and this process's peak memory;
// with several sizes, the growth of the peak from the first to the last follows. --program has
// the program itself import each size too, for its own peak (it needs a Secret Service: run
// the benchmark through tests/support/with-keyring.sh). The guide is imported at the first size.
//
//     bench_import [--items N[,N...]] [--no-guide] [--program]
#include "BenchProcess.h"
#include "ImportingProgram.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "Catalogue/CategoryLanguage.h"
#include "Catalogue/ContentItemIndexes.h"
#include "Catalogue/SqliteStatement.h"
#include "Provider/CatalogueImporter.h"
#include "Provider/GuideImporter.h"
#include "Support/Clock.h"
#include "Support/HttpClient.h"
#include "support/CatalogueGenerator.h"
#include "support/FakeProviderCatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <malloc.h>
#include <sqlite3.h>

#include <cstdio>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 defaultItems = 300'000;
constexpr int guideChannels = 1'000;
constexpr int programmesPerChannel = 500;
constexpr int programmeMinutes = 20;
constexpr int descriptionBytes = 280;

// Lets the next peak reading measure only what follows: memory the previous phase freed is
// handed back to the system first, so that it does not count again.
void resetPeak()
{
    malloc_trim(0);
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// The catalogue of that many items in the proportions of the benchmark's default one.
CatalogueSize catalogueOf(qint64 items)
{
    const int live = int(items / 5);
    const int series = int(items * 2 / 15);
    return {live, int(items) - live - series, series};
}

qint64 itemsIn(const CatalogueSize &size)
{
    return qint64(size.live) + size.movies + size.series;
}

enum class Guide { Without, Served };

class ProviderProcess final
{
public:
    ProviderProcess(const CatalogueSize &size, Guide guide)
    {
        QStringList arguments{u"--live"_s, QString::number(size.live), u"--movies"_s, QString::number(size.movies),
                              u"--series"_s, QString::number(size.series)};
        if (guide == Guide::Served) {
            arguments += {u"--guide-channels"_s, QString::number(guideChannels), u"--guide-programmes"_s,
                          QString::number(programmesPerChannel), u"--guide-minutes"_s, QString::number(programmeMinutes),
                          u"--guide-description"_s, QString::number(descriptionBytes)};
        }
        m_process.setProgram(QStringLiteral(FAKE_PROVIDER_PATH));
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        m_process.waitForReadyRead(120'000);
        const QByteArray line = m_process.readLine().trimmed();
        m_port = line.startsWith("port=") ? line.mid(5).toUShort() : 0;
    }
    ~ProviderProcess()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5'000))
            m_process.kill();
        m_process.waitForFinished();
    }

    [[nodiscard]] XtreamCredentials credentials() const
    {
        return {QUrl(u"http://127.0.0.1:%1"_s.arg(m_port)), u"demo"_s, u"pa+ss&w=rd#%/ é"_s};
    }
    [[nodiscard]] bool isRunning() const { return m_port != 0; }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

QString freshCatalogue(const QTemporaryDir &directory, const QString &name)
{
    const QString path = directory.filePath(name);
    CatalogueSchema::prepare(path);
    CatalogueDatabase(path).execute(u"INSERT INTO playlists (id, name, server_url, credential_ref) VALUES (1, 'Bench', 'http://x', 'r')"_s);
    return path;
}

// Prints the rate and this process's peak since the last reset, and returns the peak.
double printRate(const char *label, qint64 count, qint64 milliseconds, const char *unit)
{
    const double peak = processMemoryMiB("VmHWM");
    std::printf("%-38s %8.2f s  %10.0f %s/s  peak %6.1f MiB\n", label, double(milliseconds) / 1000.0,
                double(count) * 1000.0 / double(std::max<qint64>(milliseconds, 1)), unit, peak);
    return peak;
}

// The size of the guide document as served.
qint64 guideBytes(const XtreamCredentials &login)
{
    const QUrl url = HttpClient::withQuery(QUrl(login.serverURL.toString() + u"/xmltv.php"_s),
                                           {{u"username"_s, login.username}, {u"password"_s, login.password}});
    qint64 bytes = 0;
    HttpClient::stream({url}, [](int) {}, [&bytes](QByteArrayView chunk) { bytes += chunk.size(); }, {});
    return bytes;
}

qint64 importCatalogue(const QString &path, const XtreamCredentials &login)
{
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    CatalogueImporter importer(path, 1);
    importer.importCatalogue(login, [](const QString &, int) {}, {});
    return timer.elapsed();
}

// The rows an import of the generated catalogue leaves: decoded as the provider sends them,
// one per kind and provider id with the later one winning, each category with its item count.
struct ImportedRows
{
    QList<Category> categories;
    QList<ContentItem> items;
};

ImportedRows importedRows(const GeneratedCatalogue &catalogue)
{
    ImportedRows rows;
    QHash<std::pair<int, QString>, qsizetype> position;
    for (const ContentItem &sent : catalogue.items) {
        const auto key = std::pair(int(sent.kind), sent.providerID);
        const ContentItem decoded = FakeProviderCatalogue::decodedItem(sent);
        if (const auto found = position.constFind(key); found != position.constEnd()) {
            rows.items[*found] = decoded;
        } else {
            position.insert(key, rows.items.size());
            rows.items.append(decoded);
        }
    }
    QHash<std::pair<int, QString>, int> counts;
    for (const ContentItem &item : std::as_const(rows.items)) {
        if (item.categoryID)
            ++counts[std::pair(int(item.kind), *item.categoryID)];
    }
    rows.categories = catalogue.categories;
    for (Category &category : rows.categories)
        category.itemCount = counts.value(std::pair(int(category.kind), category.providerID));
    return rows;
}

void insertCategories(sqlite3 *handle, const QList<Category> &categories)
{
    SqliteStatement statement(handle, u"INSERT INTO categories (playlist_id,kind,provider_id,name,item_count,sort_order,"
                                      "language) VALUES (1,?,?,?,?,?,?)"_s);
    qint64 order = 0;
    for (const Category &category : categories) {
        statement.bind(1, kindText(category.kind));
        statement.bind(2, category.providerID);
        statement.bind(3, category.name);
        statement.bind(4, qint64(category.itemCount));
        statement.bind(5, ++order);
        statement.bind(6, CategoryLanguage::detect(category.name).key);
        statement.step();
        statement.reset();
    }
}

void bindNumber(SqliteStatement &statement, int index, const auto &value)
{
    if (value)
        statement.bind(index, *value);
    else
        statement.bindNull(index);
}

void insertItems(sqlite3 *handle, const QList<ContentItem> &items)
{
    SqliteStatement statement(handle, u"INSERT INTO content_items (playlist_id,kind,provider_id,category_id,title,subtitle,"
                                      "epg_channel_id,epg_channel_key,artwork_url,container_extension,sort_number,rating,"
                                      "added_at,genre) VALUES (1,?,?,?,?,?,?,?,?,?,?,?,?,?)"_s);
    for (const ContentItem &item : items) {
        statement.bind(1, kindText(item.kind));
        statement.bind(2, item.providerID);
        statement.bind(3, item.categoryID);
        statement.bind(4, item.title);
        statement.bind(5, item.subtitle);
        statement.bind(6, item.epgChannelID);
        statement.bind(7, guideChannelKey(item.epgChannelID.value_or(item.providerID)));
        statement.bind(8, item.artworkURL);
        statement.bind(9, item.containerExtension);
        bindNumber(statement, 10, item.sortNumber);
        bindNumber(statement, 11, item.rating);
        bindNumber(statement, 12, item.addedAt);
        statement.bind(13, item.genre);
        statement.step();
        statement.reset();
    }
}

void importGuide(const QString &catalogue, const XtreamCredentials &login)
{
    resetPeak();
    SystemClock clock;
    QElapsedTimer timer;
    timer.start();
    GuideImporter guide(1, login, catalogue, clock);
    const int programmes = guide.importGuide(QDateTime::currentDateTimeUtc(), {});
    const qint64 guideTime = timer.elapsed();
    std::printf("guide document %.0f MiB, %d programmes kept in the window\n",
                double(guideBytes(login)) / 1048576.0, programmes);
    printRate("guide import", qint64(guideChannels) * programmesPerChannel, guideTime, "programmes");
}

void printRaw(const char *label, const ImportedRows &rows, qint64 milliseconds)
{
    std::printf("%-38s %8.2f s  %10.0f items/s\n", label, double(milliseconds) / 1000.0,
                double(rows.items.size()) * 1000.0 / double(std::max<qint64>(milliseconds, 1)));
}

enum class Indexes { InPlace, BuiltAfter };

// The catalogue of playlist 1 replaced by the rows in one transaction, ending in the state an
// import leaves: categories counted, summaries and statistics up to date, the playlist ready.
qint64 rawImport(const QString &path, const ImportedRows &rows, Indexes indexes)
{
    CatalogueDatabase database(path);
    database.execute(u"PRAGMA cache_size = -262144"_s);
    QElapsedTimer timer;
    timer.start();
    database.execute(u"BEGIN IMMEDIATE"_s);
    database.execute(u"DELETE FROM categories WHERE playlist_id = 1"_s);
    const ContentItemIndexes::Suspended suspended =
        indexes == Indexes::BuiltAfter ? ContentItemIndexes::suspend(database) : ContentItemIndexes::Suspended();
    database.execute(u"DELETE FROM content_items WHERE playlist_id = 1"_s);
    insertCategories(database.handle(), rows.categories);
    insertItems(database.handle(), rows.items);
    if (indexes == Indexes::BuiltAfter)
        ContentItemIndexes::restore(database, suspended);
    database.execute(u"UPDATE playlists SET sync_state='ready',sync_progress=100,last_sync_at=unixepoch() WHERE id=1"_s);
    CatalogueSchema::updateStatistics(database);
    database.execute(u"COMMIT"_s);
    return timer.elapsed();
}

// The sizes to import, from --items (a comma-separated list), else the default one.
QList<qint64> catalogueSizes(const QStringList &arguments)
{
    const qsizetype option = arguments.indexOf(u"--items"_s);
    QList<qint64> sizes;
    if (option >= 0) {
        for (const QString &size : arguments.value(option + 1).split(u',')) {
            if (size.toLongLong() > 0)
                sizes.append(size.toLongLong());
        }
    }
    return sizes.isEmpty() ? QList<qint64>{defaultItems} : sizes;
}

// One size's imports: their times and this process's peaks.
struct SizeRun
{
    CatalogueSize size;
    QString catalogue;
    qint64 emptyMs = 0;
    qint64 replacingMs = 0;
    double emptyPeakMiB = 0;
    double replacingPeakMiB = 0;
};

// The program itself importing the catalogue, when asked.
void importInProgram(const XtreamCredentials &login, qint64 items)
{
    if (!ImportingProgram::isAvailable()) {
        std::printf("the program's import needs a session bus with a Secret Service: run through with-keyring.sh\n");
    } else if (const auto figures = ImportingProgram::import(login)) {
        std::printf("%-38s %8.2f s  %10.0f items/s  peak %6.1f MiB, settled %.1f MiB\n", "the program importing it",
                    figures->seconds, double(items) / std::max(figures->seconds, 0.001), figures->peakMiB,
                    figures->settledMiB);
    } else {
        std::printf("the program did not finish the import\n");
    }
}

// When asked, has the program import the catalogue; then imports it here into an empty file and
// again over itself. The program goes first: what talking to the keyring leaves in this process
// would otherwise count in the next size's peaks. Empty when the local provider did not start.
std::optional<SizeRun> importCatalogues(const QString &catalogue, const CatalogueSize &size, bool program)
{
    std::printf("\ncatalogue: %lld items (%d live, %d films, %d series)\n", itemsIn(size), size.live, size.movies,
                size.series);
    const ProviderProcess provider(size, Guide::Without);
    if (!provider.isRunning())
        return std::nullopt;
    if (program)
        importInProgram(provider.credentials(), itemsIn(size));
    SizeRun run{size, catalogue};
    run.emptyMs = importCatalogue(catalogue, provider.credentials());
    run.emptyPeakMiB = printRate("catalogue import (empty file)", itemsIn(size), run.emptyMs, "items");
    run.replacingMs = importCatalogue(catalogue, provider.credentials());
    run.replacingPeakMiB = printRate("catalogue import (replacing it)", itemsIn(size), run.replacingMs, "items");
    return run;
}

// The raw limits for the size, and the size's imports against them. They hold the generated rows
// in memory, so they run after every import.
void compareWithRawLimit(const QTemporaryDir &directory, const SizeRun &run)
{
    const ImportedRows rows = importedRows(generateCatalogue(run.size));
    std::printf("\nraw limit: %lld items in one transaction, 256 MiB page cache\n", qint64(rows.items.size()));
    qint64 fastestEmpty = std::numeric_limits<qint64>::max();
    qint64 fastestReplacing = fastestEmpty;
    for (const Indexes indexes : {Indexes::InPlace, Indexes::BuiltAfter}) {
        const bool inPlace = indexes == Indexes::InPlace;
        const QString path = freshCatalogue(directory, (inPlace ? u"in-place-%1.sqlite"_s : u"built-after-%1.sqlite"_s)
                                                           .arg(itemsIn(run.size)));
        const qint64 empty = rawImport(path, rows, indexes);
        printRaw(inPlace ? "  indexes in place (empty file)" : "  indexes built after (empty file)", rows, empty);
        const qint64 replacing = rawImport(path, rows, indexes);
        printRaw(inPlace ? "  indexes in place (replacing it)" : "  indexes built after (replacing it)", rows, replacing);
        fastestEmpty = std::min(fastestEmpty, empty);
        fastestReplacing = std::min(fastestReplacing, replacing);
    }
    std::printf("import / raw limit: %.2f for an empty file, %.2f replacing it\n",
                double(run.emptyMs) / double(std::max<qint64>(fastestEmpty, 1)),
                double(run.replacingMs) / double(std::max<qint64>(fastestReplacing, 1)));
}

void printGrowth(const char *label, double first, double last)
{
    std::printf("  %-36s %+6.1f %%\n", label, (last / std::max(first, 1.0) - 1.0) * 100.0);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir directory;
    const QStringList arguments = application.arguments();

    QList<SizeRun> runs;
    for (const qint64 items : catalogueSizes(arguments)) {
        const auto run = importCatalogues(freshCatalogue(directory, u"import-%1.sqlite"_s.arg(items)),
                                          catalogueOf(items), arguments.contains(u"--program"_s));
        if (!run) {
            std::fprintf(stderr, "the local provider did not start\n");
            return 1;
        }
        runs.append(*run);
    }
    if (runs.size() > 1) {
        std::printf("\npeak from %lld to %lld items:\n", itemsIn(runs.first().size), itemsIn(runs.last().size));
        printGrowth("empty file", runs.first().emptyPeakMiB, runs.last().emptyPeakMiB);
        printGrowth("replacing it", runs.first().replacingPeakMiB, runs.last().replacingPeakMiB);
    }

    if (!arguments.contains(u"--no-guide"_s)) {
        std::printf("\nguide: %d channels x %d programmes\n", guideChannels, programmesPerChannel);
        const ProviderProcess provider(runs.first().size, Guide::Served);
        if (!provider.isRunning()) {
            std::fprintf(stderr, "the local provider did not start\n");
            return 1;
        }
        importGuide(runs.first().catalogue, provider.credentials());
    }

    for (const SizeRun &run : std::as_const(runs))
        compareWithRawLimit(directory, run);
    return 0;
}
