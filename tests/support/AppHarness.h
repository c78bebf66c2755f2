#pragma once

#include "ArtworkFixture.h"
#include "StoreHarness.h"

#include <QUrl>

#include <functional>
#include <memory>

class AppModel;
class MediaEngine;
class AppUpdater;
class PlaybackWindowController;
class PlayerCommands;

// The objects main() builds, over a StoreHarness: the application model, a playback window
// controller whose players play nothing (or play through the engines a test hands it), an
// update checker, the player commands and artwork caches in a temporary directory. Views and the
// screenshot runner are tested against these. Build the model with start() once the store is in
// the state the test needs.
class AppHarness final
{
public:
    using EngineFactory = std::function<std::unique_ptr<MediaEngine>()>;

    // The update checker asks `updateService`; by default an address where nothing answers.
    // Logins go to `keyring` when one is given (StoreHarness). Players play through `engines`
    // when given, and play nothing otherwise.
    explicit AppHarness(QUrl updateService = QUrl(QStringLiteral("http://127.0.0.1:9")),
                        KeyringBackend *keyring = nullptr, EngineFactory engines = {});
    ~AppHarness();

    AppHarness(const AppHarness &) = delete;
    AppHarness &operator=(const AppHarness &) = delete;

    [[nodiscard]] StoreHarness &storeHarness() { return m_store; }
    [[nodiscard]] AppModel &app() { return *m_app; }
    [[nodiscard]] AppUpdater &updater() { return *m_updater; }
    [[nodiscard]] PlaybackWindowController &playback() { return *m_playback; }
    [[nodiscard]] PlayerCommands &commands() { return *m_commands; }
    [[nodiscard]] ArtworkFixture &artwork() { return m_artwork; }
    [[nodiscard]] VirtualClock &clock() { return m_store.clock(); }

    // Starts the store when it is not running, then builds the application model on it and
    // hands the objects to the QML singletons.
    void start();

private:
    StoreHarness m_store;
    std::unique_ptr<PlaybackWindowController> m_playback;
    std::unique_ptr<AppUpdater> m_updater;
    std::unique_ptr<PlayerCommands> m_commands;
    ArtworkFixture m_artwork;
    std::unique_ptr<AppModel> m_app;
};
