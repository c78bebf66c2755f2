#include "StoreHarness.h"

#include "AwaitBlocking.h"
#include "TableSnapshot.h"

#include "Catalogue/SqliteStatement.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"

#include <QStandardPaths>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

StoreHarness::StoreHarness(bool autoRefresh, KeyringBackend *keyring)
    : m_autoRefresh(autoRefresh)
    , m_storeKeyring(keyring)
{
    QStandardPaths::setTestModeEnabled(true);
    UserSettings::open()->clear();
}

StoreHarness::~StoreHarness()
{
    stop();
}

QString StoreHarness::databasePath() const
{
    return m_directory.filePath(u"quillmere_catalogue.sqlite"_s);
}

void StoreHarness::start()
{
    stop();
    CatalogueStoreOptions options;
    options.dataDirectory = m_directory.path();
    options.autoRefresh = m_autoRefresh;
    m_store = std::make_unique<CatalogueStore>(options, storeKeyring(), m_clock);
    awaitBlocking(m_store->started());
}

void StoreHarness::stop()
{
    if (!m_store)
        return;
    for (const Playlist &playlist : m_store->playlists())
        m_store->cancelRefresh(playlist.id);
    for (const Playlist &playlist : m_store->playlists())
        (void)waitUntilIdle(playlist.id);
    m_store.reset();
}

Playlist StoreHarness::addProviderPlaylist(const QString &name)
{
    const XtreamCredentials login = m_provider.credentials();
    const QString reference = awaitBlocking(m_store->credentialStore().save(login.serverURL, login.username, login.password));
    const std::optional<Playlist> added = m_store->addPlaylist(name, login.serverURL, reference);
    if (!added)
        qFatal("the playlist could not be added");
    return *added;
}

Playlist StoreHarness::startWithImportedPlaylist(CatalogueSize size, quint32 seed)
{
    start();
    m_provider.setCatalogue(generateCatalogue(size, seed));
    const Playlist added = addProviderPlaylist();
    if (!waitUntilIdle(added.id))
        qFatal("the first import did not end");
    return *listed(added.id);
}

bool StoreHarness::waitUntilIdle(qint64 playlistID, int timeoutMs)
{
    return QTest::qWaitFor([&] { return !m_store->isRefreshing(playlistID); }, timeoutMs);
}

std::optional<Playlist> StoreHarness::listed(qint64 playlistID) const
{
    for (const Playlist &playlist : m_store->playlists()) {
        if (playlist.id == playlistID)
            return playlist;
    }
    return std::nullopt;
}

void StoreHarness::addProgramme(qint64 playlistID, const QString &channelKey, const QString &title,
                                const QDateTime &start, const QDateTime &end, const std::optional<QString> &description)
{
    SqliteStatement statement = m_store->prepare(u"INSERT INTO epg_programmes (playlist_id, channel_id, channel_key, "
                                                 "title, description, starts_at, ends_at) VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
    statement.bind(1, playlistID);
    statement.bind(2, channelKey);
    statement.bind(3, channelKey);
    statement.bind(4, title);
    statement.bind(5, description);
    statement.bind(6, double(start.toSecsSinceEpoch()));
    statement.bind(7, double(end.toSecsSinceEpoch()));
    QCOMPARE(statement.step(), SQLITE_DONE);
}

QStringList StoreHarness::rows(const QString &sql) const
{
    return queryRows(databasePath(), sql);
}

QStringList StoreHarness::catalogueRows() const
{
    return rows(u"SELECT * FROM categories ORDER BY playlist_id, kind, provider_id"_s)
        + rows(u"SELECT * FROM content_items ORDER BY playlist_id, kind, provider_id"_s)
        + rows(u"SELECT * FROM epg_programmes ORDER BY playlist_id, channel_id, starts_at"_s);
}
