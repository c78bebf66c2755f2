#pragma once

#include "AppHarness.h"

#include "Catalogue/CatalogueModels.h"

#include <QList>
#include <QString>

#include <optional>

// An imported playlist from the local provider with the objects main() builds over it (see
// AppHarness), for the library pages, and helpers that read the catalogue and write watch history
// the way the player does.
class LibraryRig final
{
public:
    explicit LibraryRig(CatalogueSize size = {12, 40, 8});

    LibraryRig(const LibraryRig &) = delete;
    LibraryRig &operator=(const LibraryRig &) = delete;

    [[nodiscard]] StoreHarness &harness() { return m_app.storeHarness(); }
    [[nodiscard]] CatalogueStore &store() { return harness().store(); }
    [[nodiscard]] AppModel &app() { return m_app.app(); }
    [[nodiscard]] PlaybackWindowController &playback() { return m_app.playback(); }
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
    AppHarness m_app;
    Playlist m_playlist;
};
