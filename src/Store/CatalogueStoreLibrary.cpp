// The user's own library data: hidden categories and languages, category order, watch
// history, favourites and live plays. Bulk changes run off the main thread on a connection of
// their own; every change moves a revision on, also a failed one, so observers reload what the
// database holds.
#include "CatalogueStore.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/ImmediateTransaction.h"
#include "Support/Async.h"
#include "Support/PrefKeys.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

using Binds = CatalogueDatabase::Binds;

// Runs one statement and counts the rows it changed.
qint64 changesOf(CatalogueDatabase &database, const QString &sql, const Binds &binds)
{
    const qint64 before = database.totalChanges();
    database.execute(sql, binds);
    return database.totalChanges() - before;
}

} // namespace

QCoro::Task<std::optional<qint64>> CatalogueStore::write(std::function<qint64(CatalogueDatabase &)> body,
                                                         Revision revision)
{
    QPointer<CatalogueStore> self(this);
    const QString path = m_databasePath;
    std::optional<qint64> changed;
    try {
        changed = co_await Async::detached([path, body] {
            CatalogueDatabase database(path);
            return body(database);
        });
    } catch (...) {
        const QString sentence = safeError(std::current_exception());
        if (self)
            self->setDatabaseError(sentence);
    }
    // After a failure too, so that observers reload what the database holds.
    if (self)
        (self->*revision)();
    co_return changed;
}

QCoro::Task<std::optional<qint64>> CatalogueStore::writeForActivePlaylist(
    std::function<qint64(CatalogueDatabase &, const QString &)> body, Revision revision)
{
    const std::optional<qint64> playlistID = activePlaylistID();
    if (!playlistID)
        co_return 0;
    const QString id = QString::number(*playlistID);
    co_return co_await write([body, id](CatalogueDatabase &database) { return body(database, id); }, revision);
}

QCoro::Task<bool> CatalogueStore::setCategoryHidden(BrowseCategory category, bool hidden)
{
    const QString sql = hidden ? u"INSERT OR IGNORE INTO category_hidden(playlist_id,kind,provider_id) VALUES(?,?,?)"_s
                               : u"DELETE FROM category_hidden WHERE playlist_id=? AND kind=? AND provider_id=?"_s;
    const QString kind = kindText(category.kind);
    const std::optional<qint64> changed = co_await writeForActivePlaylist(
        [sql, kind, category](CatalogueDatabase &database, const QString &id) {
            return changesOf(database, sql, {id, kind, category.providerID});
        },
        &CatalogueStore::bumpCategoryOrderRevision);
    co_return changed > 0;
}

QCoro::Task<bool> CatalogueStore::setLanguageHidden(QString key, bool hidden)
{
    const QString sql = hidden ? u"INSERT OR IGNORE INTO hidden_languages(key) VALUES(?)"_s
                               : u"DELETE FROM hidden_languages WHERE key=?"_s;
    const std::optional<qint64> changed =
        co_await write([sql, key](CatalogueDatabase &database) { return changesOf(database, sql, {key}); },
                       &CatalogueStore::bumpCategoryOrderRevision);
    co_return changed > 0;
}

QCoro::Task<void> CatalogueStore::saveCategoryOrder(CatalogueKind kind, QStringList ids)
{
    const QString kindName = kindText(kind);
    co_await writeForActivePlaylist(
        [kindName, ids](CatalogueDatabase &database, const QString &id) {
            qint64 changed = 0;
            inImmediateTransaction(database, [&] {
                changed = changesOf(database, u"DELETE FROM category_preferences WHERE playlist_id=? AND kind=?"_s,
                                    {id, kindName});
                for (qsizetype position = 0; position < ids.size(); ++position) {
                    changed += changesOf(
                        database,
                        u"INSERT INTO category_preferences(playlist_id,kind,provider_id,position) VALUES(?,?,?,?)"_s,
                        {id, kindName, ids.at(position), QString::number(position)});
                }
            });
            return changed;
        },
        &CatalogueStore::bumpCategoryOrderRevision);
}

QCoro::Task<void> CatalogueStore::resetCategoryOrder(CatalogueKind kind)
{
    const QString kindName = kindText(kind);
    co_await writeForActivePlaylist(
        [kindName](CatalogueDatabase &database, const QString &id) {
            // In two statements: the operands of "+" may run in either order, and the hidden
            // categories must go only once the order has gone.
            qint64 changed =
                changesOf(database, u"DELETE FROM category_preferences WHERE playlist_id=? AND kind=?"_s, {id, kindName});
            changed += changesOf(database, u"DELETE FROM category_hidden WHERE playlist_id=? AND kind=?"_s, {id, kindName});
            return changed;
        },
        &CatalogueStore::bumpCategoryOrderRevision);
}

QCoro::Task<std::optional<bool>> CatalogueStore::clearHistory(QList<CatalogueKind> kinds)
{
    QStringList quoted;
    for (const CatalogueKind kind : std::as_const(kinds))
        quoted.append(u'\'' + kindText(kind) + u'\'');
    const QString sql = u"DELETE FROM watch_progress WHERE playlist_id=? AND content_kind IN ("_s + quoted.join(u',') + u')';
    const std::optional<qint64> changed = co_await writeForActivePlaylist(
        [sql](CatalogueDatabase &database, const QString &id) { return changesOf(database, sql, {id}); },
        &CatalogueStore::bumpLibraryRevision);
    if (!changed)
        co_return std::nullopt;
    co_return *changed > 0;
}

QCoro::Task<void> CatalogueStore::removeFromHistory(QString providerID, CatalogueKind kind)
{
    const QString kindName = kindText(kind);
    co_await writeForActivePlaylist(
        [providerID, kindName](CatalogueDatabase &database, const QString &id) {
            return changesOf(database,
                             u"DELETE FROM watch_progress WHERE playlist_id=? AND content_provider_id=? AND content_kind=?"_s,
                             {id, providerID, kindName});
        },
        &CatalogueStore::bumpLibraryRevision);
}

QCoro::Task<std::optional<bool>> CatalogueStore::clearFavourites()
{
    const std::optional<qint64> changed = co_await writeForActivePlaylist(
        [](CatalogueDatabase &database, const QString &id) {
            return changesOf(database, u"DELETE FROM favourites WHERE playlist_id=?"_s, {id});
        },
        &CatalogueStore::bumpLibraryRevision);
    if (!changed)
        co_return std::nullopt;
    co_return *changed > 0;
}

std::optional<bool> CatalogueStore::toggleFavourite(const MediaItem &item)
{
    const CatalogueItem compact = CatalogueItem::from(item);
    const bool wasFavourite = isFavourite(compact, item.kind, std::nullopt);
    setFavourite(compact, item.kind, !wasFavourite, std::nullopt);
    // What the database holds now tells whether the write happened.
    const bool favourite = isFavourite(compact, item.kind, std::nullopt);
    if (favourite == wasFavourite)
        return std::nullopt;
    return favourite;
}

void CatalogueStore::recordLivePlay(const MediaItem &item)
{
    if (!Prefs::read(PrefKeys::keepWatchHistory))
        return;
    if (m_selectedPlaylistID)
        saveWatchPosition(*m_selectedPlaylistID, item.providerID, CatalogueKind::Live, 0, std::nullopt);
}

void CatalogueStore::saveWatchPosition(qint64 playlistID, const QString &providerID, CatalogueKind kind,
                                       qint64 position, std::optional<qint64> duration)
{
    SqliteStatement statement = prepare(
        u"INSERT OR REPLACE INTO watch_progress (playlist_id, content_provider_id, content_kind, position_seconds, duration_seconds, updated_at) VALUES (?, ?, ?, ?, ?, strftime('%s', 'now'))"_s);
    if (!statement)
        return;
    statement.bind(1, playlistID);
    statement.bind(2, providerID);
    statement.bind(3, kindText(kind));
    statement.bind(4, position);
    if (duration)
        statement.bind(5, *duration);
    else
        statement.bindNull(5);
    checkWrite(statement);
    // Also after a failed step: pages showing the history reload what the database holds.
    bumpLibraryRevision();
}
