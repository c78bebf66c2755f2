#pragma once

#include "StoreHarness.h"

#include "Catalogue/CatalogueModels.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

class AppModel;
class PlaybackWindowController;

// An imported playlist from the local provider with the application model over it, for the
// library pages: a playback window whose players play nothing, and helpers that read the
// catalogue and write watch history the way the player does.
class LibraryRig final
{
public:
    explicit LibraryRig(CatalogueSize size = {12, 40, 8});
    ~LibraryRig();

    LibraryRig(const LibraryRig &) = delete;
    LibraryRig &operator=(const LibraryRig &) = delete;

    [[nodiscard]] StoreHarness &harness() { return m_harness; }
    [[nodiscard]] CatalogueStore &store() { return m_harness.store(); }
    [[nodiscard]] AppModel &app() { return *m_app; }
    [[nodiscard]] PlaybackWindowController &playback() { return *m_playback; }
    [[nodiscard]] qint64 playlistID() const { return m_playlist.id; }

    // The first items of a kind in provider order, or those matching a query.
    [[nodiscard]] QList<MediaItem> items(CatalogueKind kind, const QString &query = {}, int limit = 40);
    [[nodiscard]] QList<SeriesEpisode> episodes(const QString &seriesID);
    // A series whose episodes span at least this many seasons.
    [[nodiscard]] MediaItem seriesWithSeasons(int seasons);
    // Saves a watch position as the player does (on the store's connection), `age` seconds old.
    void saveProgress(const QString &providerID, CatalogueKind kind, qint64 position, std::optional<qint64> duration,
                      int age = 0);
    // Runs a statement on a connection of its own (to damage a table, say).
    void execute(const QString &sql);

private:
    StoreHarness m_harness;
    Playlist m_playlist;
    std::unique_ptr<PlaybackWindowController> m_playback;
    std::unique_ptr<AppModel> m_app;
};
