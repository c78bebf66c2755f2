#pragma once

#include "FakeMediaEngine.h"
#include "StoreHarness.h"

#include "App/AppModel.h"
#include "Playback/PlaybackWindowController.h"
#include "Views/Player/PlayerViewModel.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <memory>
#include <vector>

// The player screen as the program builds it, on fakes: a store over an imported playlist of the
// local provider, the application model, a playback window controller whose one player runs on a
// fake engine in virtual time, and a fresh screen for every target shown. A replaced screen stays
// alive until the rig goes, as one that the shell still fades out.
class PlayerRig final
{
public:
    explicit PlayerRig(CatalogueSize size = {4, 2, 2});
    ~PlayerRig();

    PlayerRig(const PlayerRig &) = delete;
    PlayerRig &operator=(const PlayerRig &) = delete;

    [[nodiscard]] CatalogueStore &store() { return m_harness.store(); }
    [[nodiscard]] StoreHarness &harness() { return m_harness; }
    [[nodiscard]] VirtualClock &clock() { return m_harness.clock(); }
    [[nodiscard]] AppModel &app() { return *m_app; }
    [[nodiscard]] PlaybackWindowController &windows() { return m_windows; }
    [[nodiscard]] qint64 playlistID() const { return m_playlist.id; }
    // The screen of the target shown now; null when none is shown.
    [[nodiscard]] PlayerViewModel *screen() const { return m_screen.get(); }
    // The screens replaced or closed so far, oldest first.
    [[nodiscard]] QList<PlayerViewModel *> retired() const;
    [[nodiscard]] PlayerController &player() { return *m_windows.playerController(); }
    // The one engine of the one player.
    [[nodiscard]] FakeMediaEngine &engine() { return *m_engines.constFirst(); }

    // Lets queued work run without moving time.
    void settle();
    // The engine starts playing a medium of that length (0 for a live stream).
    void play(qint64 lengthMs, bool seekable = true);
    // The engine reports a position.
    void at(double seconds);
    // The engine confirms the stop asked of it.
    void confirmStop();
    // Saved progress rows of films and episodes: provider id, kind, position, duration.
    [[nodiscard]] QStringList progressRows() const;

private:
    StoreHarness m_harness;
    Playlist m_playlist;
    QList<FakeMediaEngine *> m_engines;
    QObject m_surface;
    PlaybackWindowController m_windows;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<PlayerViewModel> m_screen;
    std::vector<std::unique_ptr<PlayerViewModel>> m_retired;
};
