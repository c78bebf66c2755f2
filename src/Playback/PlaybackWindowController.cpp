#include "PlaybackWindowController.h"

#include "Playback/LibVlcMediaEngine.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/Clock.h"

#include <QFileInfo>
#include <QPointer>

using namespace Qt::StringLiterals;

PlaybackWindowController &PlaybackWindowController::shared()
{
    static PlaybackWindowController instance([](const QUrl &url, QObject *parent) {
        auto *clock = new SystemClock;
        auto *controller = new PlayerController(url, std::make_unique<LibVlcMediaEngine>(), *clock, parent);
        // The clock goes with the controller, after it.
        clock->setParent(controller);
        return controller;
    });
    return instance;
}

PlaybackWindowController::PlaybackWindowController(ControllerFactory factory, QObject *parent)
    : QObject(parent)
    , m_factory(std::move(factory))
{
}

PlaybackWindowController::~PlaybackWindowController() = default;

void PlaybackWindowController::setPlayerEnteredFullScreen(bool entered)
{
    if (assignIfChanged(m_playerEnteredFullScreen, entered))
        Q_EMIT playerEnteredFullScreenChanged();
}

void PlaybackWindowController::show(PlaybackTarget target)
{
    if (m_target && m_playerController)
        recordStop();
    if (!m_playerController) {
        m_playerController = m_factory(target.url, this);
        Q_EMIT playerControllerChanged();
    }
    if (CatalogueStore *store = target.catalogueStore) {
        target.playlistID = store->selectedPlaylistID();
        target.resumePosition = target.allowResume ? store->resumePosition(target.providerID, target.kind) : 0;
    } else {
        target.playlistID.reset();
        target.resumePosition = 0;
    }
    m_target = std::move(target);
    Q_EMIT targetChanged();
}

void PlaybackWindowController::openFile(const QUrl &url)
{
    const QFileInfo file(url.path());
    PlaybackTarget target;
    target.url = url;
    target.title = file.completeBaseName();
    target.kind = CatalogueKind::Movie;
    target.containerExtension = file.suffix();
    target.subtitle = u"Local media"_s;
    target.providerID = file.fileName();
    show(std::move(target));
}

void PlaybackWindowController::close()
{
    if (m_playerController)
        recordStop();
    if (!m_target)
        return;
    m_target.reset();
    Q_EMIT targetChanged();
}

QCoro::Task<> PlaybackWindowController::waitForPreviousStop()
{
    if (!m_pendingStop)
        co_return;
    const QPointer<PlaybackWindowController> self(this);
    const PendingStop awaited = *m_pendingStop;
    co_await awaited.task.finished();
    // A stop recorded meanwhile stays pending for the next waiter.
    if (self && m_pendingStop && m_pendingStop->generation == awaited.generation)
        m_pendingStop.reset();
}

std::optional<quint64> PlaybackWindowController::pendingStopGeneration() const
{
    return m_pendingStop ? std::optional<quint64>(m_pendingStop->generation) : std::nullopt;
}

void PlaybackWindowController::recordStop()
{
    Job<> task = m_playerController->stop();
    ++m_stopGeneration;
    m_pendingStop = PendingStop{m_stopGeneration, std::move(task)};
}
