#pragma once

#include "CatalogueGenerator.h"
#include "FakeProvider.h"
#include "InMemoryKeyring.h"
#include "VirtualClock.h"

#include "Catalogue/CatalogueModels.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class CatalogueStore;

// A catalogue store on a temporary data directory, with an in-memory keyring, virtual time and
// a local provider, started the way the program starts it.
class StoreHarness final
{
public:
    // The store keeps its logins in `keyring` when one is given (a real Secret Service), else in
    // the harness's in-memory keyring.
    explicit StoreHarness(bool autoRefresh = false, KeyringBackend *keyring = nullptr);
    ~StoreHarness();

    StoreHarness(const StoreHarness &) = delete;
    StoreHarness &operator=(const StoreHarness &) = delete;

    [[nodiscard]] CatalogueStore &store() { return *m_store; }
    [[nodiscard]] bool running() const { return bool(m_store); }
    [[nodiscard]] FakeProvider &provider() { return m_provider; }
    [[nodiscard]] InMemoryKeyring &keyring() { return m_keyring; }
    // The keyring the store uses.
    [[nodiscard]] KeyringBackend &storeKeyring() { return m_storeKeyring ? *m_storeKeyring : m_keyring; }
    [[nodiscard]] VirtualClock &clock() { return m_clock; }
    [[nodiscard]] QString dataDirectory() const { return m_directory.path(); }
    [[nodiscard]] QString databasePath() const;

    // Creates the store and waits for its start-up task; a running store is replaced first,
    // as a restart of the program would.
    void start();
    void stop();

    // Saves the provider's login in the keyring and adds a playlist for it (its import starts).
    Playlist addProviderPlaylist(const QString &name = QStringLiteral("Provider"));
    // Starts the store with one playlist whose import of a generated catalogue has finished.
    Playlist startWithImportedPlaylist(CatalogueSize size, quint32 seed = 1);
    // Waits until no import, guide refresh, test, edit or removal of the playlist runs.
    [[nodiscard]] bool waitUntilIdle(qint64 playlistID, int timeoutMs = 30000);
    [[nodiscard]] std::optional<Playlist> listed(qint64 playlistID) const;

    // Adds a programme of the channel with that guide key to the playlist's guide, as a guide
    // import leaves it.
    void addProgramme(qint64 playlistID, const QString &channelKey, const QString &title, const QDateTime &start,
                      const QDateTime &end, const std::optional<QString> &description = std::nullopt);

    // The rows of a query, each as its columns joined by "|", through a connection of its own.
    [[nodiscard]] QStringList rows(const QString &sql) const;
    // Everything a catalogue import replaces, for before/after comparisons.
    [[nodiscard]] QStringList catalogueRows() const;

private:
    QTemporaryDir m_directory;
    bool m_autoRefresh;
    InMemoryKeyring m_keyring;
    KeyringBackend *m_storeKeyring;
    VirtualClock m_clock;
    FakeProvider m_provider;
    std::unique_ptr<CatalogueStore> m_store;
};
