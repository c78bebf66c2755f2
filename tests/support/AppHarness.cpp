#include "AppHarness.h"

#include "FakeMediaEngine.h"

#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/PlayerCommands.h"
#include "App/QmlSingletons.h"
#include "App/UpdateServiceClient.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"

AppHarness::AppHarness(QUrl updateService, KeyringBackend *keyring, EngineFactory engines)
    : m_store(false, keyring)
    , m_playback(std::make_unique<PlaybackWindowController>([this, engines](const QUrl &url, QObject *parent) {
        std::unique_ptr<MediaEngine> engine = engines ? engines() : std::make_unique<FakeMediaEngine>();
        return new PlayerController(url, std::move(engine), m_store.clock(), parent);
    }))
    , m_updater(std::make_unique<AppUpdater>(UpdateServiceClient(std::move(updateService)), m_store.clock(),
                                             [](const QUrl &) {}))
    , m_commands(std::make_unique<PlayerCommands>())
{
}

AppHarness::~AppHarness()
{
    m_app.reset();
    m_playback.reset();
}

void AppHarness::start()
{
    if (!m_store.running())
        m_store.start();
    m_app = std::make_unique<AppModel>(m_store.store(), *m_playback);
    QmlSingletons::provide(*m_app, m_store.store(), *m_updater, *m_playback, *m_commands, m_artwork.memory());
}
