#include "PlayerRig.h"

#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

PlayerRig::PlayerRig(CatalogueSize size)
    : m_windows([this](const QUrl &url, QObject *parent) {
        auto *engine = new FakeMediaEngine;
        m_engines.append(engine);
        auto *player = new PlayerController(url, std::unique_ptr<MediaEngine>(engine), m_harness.clock(), parent);
        player->videoSurfaceDidBecomeReady(&m_surface);
        return player;
    })
{
    m_playlist = m_harness.startWithImportedPlaylist(size);
    m_harness.store().selectPlaylist(m_playlist.id);
    m_app = std::make_unique<AppModel>(m_harness.store(), m_windows);
    QObject::connect(&m_windows, &PlaybackWindowController::targetChanged, &m_windows, [this] {
        if (m_screen)
            m_retired.push_back(std::move(m_screen));
        if (m_windows.hasTarget())
            m_screen = std::make_unique<PlayerViewModel>(m_app.get(), &m_windows);
    });
}

PlayerRig::~PlayerRig()
{
    m_screen.reset();
    m_retired.clear();
    m_app.reset();
}

QList<PlayerViewModel *> PlayerRig::retired() const
{
    QList<PlayerViewModel *> screens;
    for (const std::unique_ptr<PlayerViewModel> &screen : m_retired)
        screens.append(screen.get());
    return screens;
}

void PlayerRig::settle()
{
    m_harness.clock().advance(0ms);
}

void PlayerRig::play(qint64 lengthMs, bool seekable)
{
    FakeMediaEngine &native = engine();
    native.lengthMs = lengthMs > 0 ? std::optional(lengthMs) : std::nullopt;
    native.seekable = seekable;
    native.playing = true;
    native.report(MediaEngine::Playing);
    settle();
}

void PlayerRig::at(double seconds)
{
    engine().reportTime(qint64(seconds * 1000));
}

void PlayerRig::confirmStop()
{
    engine().report(MediaEngine::Stopped);
    settle();
}

QStringList PlayerRig::progressRows() const
{
    return m_harness.rows(u"SELECT content_provider_id, content_kind, position_seconds, duration_seconds "
                          "FROM watch_progress WHERE content_kind<>'live' ORDER BY content_provider_id"_s);
}
