#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Catalogue/CredentialStore.h"
#include "Catalogue/SourceHealth.h"
#include "Catalogue/SqliteStatement.h"
#include "Support/Job.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

class CatalogueDatabase;
class CataloguePageReader;
class Clock;
class KeyringBackend;
struct sqlite3;

// Where the catalogue lives and whether sources refresh themselves; read from the process
// environment and launch arguments by the program entry.
struct CatalogueStoreOptions
{
    QString dataDirectory;
    bool autoRefresh = true;

    // QUILLMERE_DATA_DIRECTORY when set, else ~/.local/share/Quillmere; "--no-auto-refresh"
    // among the arguments turns the queued imports and the refresh scheduler off for this run.
    [[nodiscard]] static CatalogueStoreOptions fromEnvironment(const QStringList &arguments);
};

// The one observable model of the library, on the main thread: playlists and the active one,
// imports with progress and cancellation, guide refreshes, the refresh scheduler, library
// writes, health records, episode lists, playback addresses and the sentences users read when
// something fails. Its own SQLite connection serves short reads and single-row writes; every
// longer write runs off the main thread on a connection opened for it.
class CatalogueStore : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isInitializing READ isInitializing NOTIFY isInitializingChanged)
    Q_PROPERTY(int catalogueRevision READ catalogueRevision NOTIFY catalogueRevisionChanged)
    Q_PROPERTY(int libraryRevision READ libraryRevision NOTIFY libraryRevisionChanged)
    Q_PROPERTY(int categoryOrderRevision READ categoryOrderRevision NOTIFY categoryOrderRevisionChanged)

public:
    CatalogueStore(CatalogueStoreOptions options, KeyringBackend &keyring, Clock &clock, QObject *parent = nullptr);
    ~CatalogueStore() override;

    // Observable state. Each change is announced by the signal of the same name.
    [[nodiscard]] const CatalogueSnapshot &snapshot() const { return m_snapshot; }
    [[nodiscard]] const QList<Playlist> &playlists() const { return m_playlists; }
    [[nodiscard]] std::optional<qint64> selectedPlaylistID() const { return m_selectedPlaylistID; }
    [[nodiscard]] int categoryOrderRevision() const { return m_categoryOrderRevision; }
    [[nodiscard]] int libraryRevision() const { return m_libraryRevision; }
    [[nodiscard]] int catalogueRevision() const { return m_catalogueRevision; }
    [[nodiscard]] const QHash<qint64, SourceHealth> &health() const { return m_health; }
    [[nodiscard]] const QHash<qint64, QString> &activity() const { return m_activity; }
    [[nodiscard]] const std::optional<QString> &databaseError() const { return m_databaseError; }
    [[nodiscard]] bool isInitializing() const { return m_isInitializing; }
    // The shell shows the database sentence once and then clears it.
    void clearDatabaseError();

    [[nodiscard]] const QString &databasePath() const { return m_databasePath; }
    [[nodiscard]] CataloguePageReader &pageReader() const { return *m_pageReader; }
    [[nodiscard]] CredentialStore &credentialStore() { return m_credentials; }
    [[nodiscard]] Clock &clock() const { return m_clock; }
    // Ends when the start-up task has failed or has loaded playlists and health records.
    [[nodiscard]] QCoro::Task<void> started() const;

    // Statements on the store's own connection. They never throw: a failure becomes the
    // database sentence and the caller skips its work (an invalid statement) or goes on.
    [[nodiscard]] SqliteStatement prepare(const QString &sql);
    void checkWrite(SqliteStatement &statement);
    void refreshSnapshot();

    // Playlists.
    [[nodiscard]] std::optional<qint64> activePlaylistID() const;
    [[nodiscard]] std::optional<Playlist> activePlaylist() const;
    void selectPlaylist(qint64 id);
    std::optional<Playlist> addPlaylist(const QString &name, const QUrl &serverURL,
                                           const QString &credentialReference);

    // Catalogue imports.
    void startQueuedImports();
    void startImport(const Playlist &playlist);

    // The imported guide and the provider's short guide.
    [[nodiscard]] QCoro::Task<int> refreshGuide(qint64 playlistID, XtreamCredentials credentials);
    [[nodiscard]] QCoro::Task<QList<LiveProgramme>> fetchShortEPG(QString streamID,
                                                                    std::optional<QString> fallbackStreamID,
                                                                    std::stop_token stop = {});
    void rememberEPGChannelID(const QString &providerID, const QString &channelID, std::optional<qint64> playlistID);

    // Playback addresses, favourites and resume positions.
    [[nodiscard]] std::optional<XtreamCredentials> credentialsForSelectedPlaylist();
    [[nodiscard]] std::optional<QUrl> playbackURL(const CatalogueItem &item, CatalogueKind kind);
    [[nodiscard]] bool isFavourite(const CatalogueItem &item, CatalogueKind kind, std::optional<qint64> playlistID);
    void setFavourite(const CatalogueItem &item, CatalogueKind kind, bool isFavourite,
                      std::optional<qint64> playlistID);
    [[nodiscard]] double resumePosition(const QString &providerID, CatalogueKind kind);

    // A series' episodes: the saved list while fresh, else the provider's. A stop ends the
    // download, and a load stopped by the time it arrives saves nothing.
    [[nodiscard]] QCoro::Task<QList<SeriesEpisode>> loadSeriesEpisodes(QString seriesID, bool forceRefresh,
                                                                       std::stop_token stop = {});

    // Library writes. The ones that pages confirm with a notice say whether anything changed;
    // the clears say nothing when the write failed, so that no notice claims they happened.
    [[nodiscard]] QCoro::Task<bool> setCategoryHidden(BrowseCategory category, bool hidden);
    [[nodiscard]] QCoro::Task<bool> setLanguageHidden(QString key, bool hidden);
    [[nodiscard]] QCoro::Task<void> saveCategoryOrder(CatalogueKind kind, QStringList ids);
    [[nodiscard]] QCoro::Task<void> resetCategoryOrder(CatalogueKind kind);
    [[nodiscard]] QCoro::Task<std::optional<bool>> clearHistory(QList<CatalogueKind> kinds);
    [[nodiscard]] QCoro::Task<void> removeFromHistory(QString providerID, CatalogueKind kind);
    [[nodiscard]] QCoro::Task<std::optional<bool>> clearFavourites();
    // Flips the item's favourite state in the selected playlist. Returns the state the database
    // holds after the write, or nothing when the write changed nothing (no playlist is selected,
    // or it failed and the store has set its error sentence), so that no page announces a change
    // that did not happen.
    std::optional<bool> toggleFavourite(const MediaItem &item);
    void recordLivePlay(const MediaItem &item);
    // Writes one watch-history row on the store's connection; no duration is stored as NULL.
    // A statement that cannot be prepared writes nothing and moves no revision.
    void saveWatchPosition(qint64 playlistID, const QString &providerID, CatalogueKind kind, qint64 position,
                           std::optional<qint64> duration);

    // Automatic refresh.
    void startRefreshScheduler();
    void refreshDueSources();

    // Manual guide refresh, cancellation and the connection test.
    void refreshEPG(const Playlist &playlist);
    void cancelRefresh(qint64 playlistID);
    [[nodiscard]] bool isRefreshing(qint64 playlistID) const;
    // The playlists whose catalogue import runs now, and those whose guide refresh runs now.
    // A successful import starts the guide refresh before it ends, so a playlist whose refresh
    // goes on is always in one of them; each change is announced by refreshingChanged.
    [[nodiscard]] QSet<qint64> importingPlaylists() const;
    [[nodiscard]] QSet<qint64> guideRefreshingPlaylists() const;
    // The playlists being edited or removed; no refresh starts for them meanwhile.
    [[nodiscard]] const QSet<qint64> &sourceMutations() const { return m_sourceMutations; }
    void testConnection(const Playlist &playlist);

    // Edit and removal; both fail with an error that pages show through safeError.
    [[nodiscard]] QCoro::Task<void> editPlaylist(Playlist playlist, QString name, QUrl serverURL, QString username,
                                                 QString password);
    [[nodiscard]] QCoro::Task<void> removePlaylist(Playlist playlist);

    // The sentence a page shows for any failure.
    [[nodiscard]] static QString safeError(const std::exception_ptr &error);

Q_SIGNALS:
    void snapshotChanged();
    void playlistsChanged();
    void selectedPlaylistIDChanged();
    void categoryOrderRevisionChanged();
    void libraryRevisionChanged();
    void catalogueRevisionChanged();
    void healthChanged();
    void activityChanged();
    void databaseErrorChanged();
    void isInitializingChanged();
    // A playlist's import, guide refresh, connection test or edit/removal began or ended.
    void refreshingChanged();
    // Emitted before a playlist's data is deleted, so that whatever plays from it can stop.
    void playlistRemovalStarted(qint64 playlistID);

private:
    using HealthChange = std::function<void(SourceHealth &)>;

    QCoro::Task<void> startUp();
    bool openConnection();
    void loadHealthRecords();
    void warmLoginCache();
    // Reads a login into the credential store's cache, remembering why when it cannot.
    void readLoginInBackground(const QString &reference);
    // The playlist's login as read in this run; a miss starts a fresh read for the next call.
    [[nodiscard]] std::optional<XtreamCredentials> cachedLogin(const Playlist &playlist);
    void execute(const QString &sql);

    QList<Playlist> loadPlaylists();
    [[nodiscard]] std::optional<Playlist> playlist(qint64 id) const;
    // The first ready playlist, else the first one: the active playlist when none is chosen.
    [[nodiscard]] std::optional<qint64> fallbackPlaylistID() const;
    [[nodiscard]] int readyPlaylistCount() const;

    QCoro::Task<void> runImport(Playlist playlist, std::stop_token stop);
    void finishImport(qint64 playlistID, const std::exception_ptr &failure, bool cancelled, bool jobCancelled);
    void updateSyncState(qint64 id, const QString &state, int progress);

    void insertGuideProgrammes(const QList<GuideProgramme> &programmes, qint64 playlistID);
    void endGuideRefresh(qint64 playlistID);

    QList<SeriesEpisode> cachedSeriesEpisodes(const QString &seriesID, qint64 playlistID);

    using Revision = void (CatalogueStore::*)();
    // Runs a bulk write on a connection of its own off the main thread, then moves the revision
    // on (after a failure too, whose sentence becomes the database error). Returns how many rows
    // changed, none when the write failed; without an active playlist, the playlist's writes run
    // nothing and move nothing.
    QCoro::Task<std::optional<qint64>> write(std::function<qint64(CatalogueDatabase &)> body, Revision revision);
    QCoro::Task<std::optional<qint64>> writeForActivePlaylist(std::function<qint64(CatalogueDatabase &, const QString &)> body,
                                               Revision revision);

    void updateHealth(qint64 playlistID, const HealthChange &change);
    void saveHealth(qint64 playlistID, const SourceHealth &record);

    // Starts a connection test of the playlist in place of any that runs.
    void restartConnectionTest(const Playlist &playlist);
    QCoro::Task<void> runConnectionTest(Playlist playlist, std::stop_token stop);
    QCoro::Task<void> runManualGuideRefresh(Playlist playlist);
    QCoro::Task<void> schedulerLoop(std::stop_token stop);

    void setSnapshot(const CatalogueSnapshot &snapshot);
    void setPlaylists(const QList<Playlist> &playlists);
    void setSelectedPlaylistID(std::optional<qint64> id);
    void setActivity(qint64 playlistID, const QString &text);
    void removeActivity(qint64 playlistID);
    void setDatabaseError(const QString &sentence);
    void setInitializing(bool initializing);
    void bumpCatalogueRevision();
    void bumpLibraryRevision();
    void bumpCategoryOrderRevision();

    const CatalogueStoreOptions m_options;
    Clock &m_clock;
    CredentialStore m_credentials;
    QString m_databasePath;
    std::unique_ptr<CataloguePageReader> m_pageReader;
    sqlite3 *m_database = nullptr;

    CatalogueSnapshot m_snapshot;
    QList<Playlist> m_playlists;
    std::optional<qint64> m_selectedPlaylistID;
    int m_categoryOrderRevision = 0;
    int m_libraryRevision = 0;
    int m_catalogueRevision = 0;
    QHash<qint64, SourceHealth> m_health;
    QHash<qint64, QString> m_activity;
    std::optional<QString> m_databaseError;
    bool m_isInitializing = true;

    QHash<qint64, Job<void>> m_importTasks;
    QHash<qint64, Job<int>> m_guideTasks;
    QHash<qint64, Job<void>> m_connectionTasks;
    QSet<qint64> m_sourceMutations;
    Job<void> m_scheduler;
    Job<void> m_startUp;
    // Why a playlist's login could not be read in this run, for the log line of a caller that
    // needed it at once.
    QHash<QString, QString> m_loginErrors;
};
