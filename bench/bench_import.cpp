// Imports a large catalogue and a large guide end to end from the local provider running in a
// process of its own, and measures, in the same run, the raw limit of the database: the same
// rows inserted by a minimal prepared-statement loop into the same schema.
#include "BenchProcess.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "Catalogue/SqliteStatement.h"
#include "Provider/CatalogueImporter.h"
#include "Provider/GuideImporter.h"
#include "Support/Clock.h"
#include "Support/HttpClient.h"
#include "support/CatalogueGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <malloc.h>
#include <sqlite3.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr CatalogueSize catalogueSize{60'000, 200'000, 40'000};
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

class ProviderProcess final
{
public:
    explicit ProviderProcess(const QStringList &arguments)
    {
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

void printRate(const char *label, qint64 count, qint64 milliseconds, const char *unit)
{
    std::printf("%-34s %8.2f s  %10.0f %s/s  peak %6.1f MiB\n", label, double(milliseconds) / 1000.0,
                double(count) * 1000.0 / double(std::max<qint64>(milliseconds, 1)), unit, processMemoryMiB("VmHWM"));
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

// The floor: one prepared INSERT into content_items, a transaction per 100 rows. `tuned` gives
// the loop the importer's page cache and drops the sync at every commit, which leaves only the
// work of the inserts themselves.
qint64 rawInsert(const QString &path, const QList<ContentItem> &items, bool tuned)
{
    CatalogueDatabase database(path);
    sqlite3 *handle = database.handle();
    if (tuned)
        sqlite3_exec(handle, "PRAGMA cache_size = -131072; PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    SqliteStatement statement(handle,
                              u"INSERT OR REPLACE INTO content_items (playlist_id,kind,provider_id,category_id,title,subtitle,"
                              "epg_channel_id,epg_channel_key,artwork_url,container_extension,sort_number,rating,added_at,genre) "
                              "VALUES (1,?,?,?,?,?,?,?,?,?,?,?,?,?)"_s);
    const auto numberText = [](const auto &value) {
        return value ? std::optional(QString::number(*value)) : std::nullopt;
    };
    QElapsedTimer timer;
    timer.start();
    for (qsizetype index = 0; index < items.size(); ++index) {
        if (index % 100 == 0)
            sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        const ContentItem &item = items.at(index);
        statement.bind(1, kindText(item.kind));
        statement.bind(2, item.providerID);
        statement.bind(3, item.categoryID);
        statement.bind(4, item.title);
        statement.bind(5, item.subtitle);
        statement.bind(6, item.epgChannelID);
        statement.bind(7, guideChannelKey(item.epgChannelID.value_or(item.providerID)));
        statement.bind(8, item.artworkURL);
        statement.bind(9, item.containerExtension);
        statement.bind(10, numberText(item.sortNumber));
        statement.bind(11, numberText(item.rating));
        statement.bind(12, numberText(item.addedAt));
        statement.bind(13, item.genre);
        statement.step();
        statement.reset();
        if (index % 100 == 99 || index + 1 == items.size())
            sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    }
    return timer.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir directory;
    const qint64 items = qint64(catalogueSize.live) + catalogueSize.movies + catalogueSize.series;
    std::printf("catalogue: %lld items (%d live, %d films, %d series); guide: %d channels x %d programmes\n", items,
                catalogueSize.live, catalogueSize.movies, catalogueSize.series, guideChannels, programmesPerChannel);

    ProviderProcess provider({u"--live"_s, QString::number(catalogueSize.live), u"--movies"_s,
                              QString::number(catalogueSize.movies), u"--series"_s, QString::number(catalogueSize.series),
                              u"--guide-channels"_s, QString::number(guideChannels), u"--guide-programmes"_s,
                              QString::number(programmesPerChannel), u"--guide-minutes"_s, QString::number(programmeMinutes),
                              u"--guide-description"_s, QString::number(descriptionBytes)});
    if (!provider.isRunning()) {
        std::fprintf(stderr, "the local provider did not start\n");
        return 1;
    }

    const QString catalogue = freshCatalogue(directory, u"import.sqlite"_s);
    printRate("catalogue import (empty file)", items, importCatalogue(catalogue, provider.credentials()), "items");
    printRate("catalogue import (replacing it)", items, importCatalogue(catalogue, provider.credentials()), "items");

    resetPeak();
    SystemClock clock;
    QElapsedTimer timer;
    timer.start();
    GuideImporter guide(1, provider.credentials(), catalogue, clock);
    const int programmes = guide.importGuide(QDateTime::currentDateTimeUtc(), {});
    const qint64 guideTime = timer.elapsed();
    std::printf("guide document %.0f MiB, %d programmes kept in the window\n",
                double(guideBytes(provider.credentials())) / 1048576.0, programmes);
    printRate("guide import", qint64(guideChannels) * programmesPerChannel, guideTime, "programmes");

    // The raw limit runs last: the generated rows it inserts are held in memory.
    const QList<ContentItem> rows = generateCatalogue(catalogueSize).items;
    for (const bool tuned : {false, true}) {
        const qint64 raw = rawInsert(freshCatalogue(directory, tuned ? u"tuned.sqlite"_s : u"raw.sqlite"_s), rows, tuned);
        std::printf("%-34s %8.2f s  %10.0f items/s\n", tuned ? "raw floor (same, cache, no sync)" : "raw limit (prepared INSERT loop)",
                    double(raw) / 1000.0, double(rows.size()) * 1000.0 / double(std::max<qint64>(raw, 1)));
    }
    return 0;
}
