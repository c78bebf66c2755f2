#pragma once

#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/PlayerCommands.h"
#include "App/QmlSingletons.h"
#include "App/UpdateServiceClient.h"
#include "Artwork/ArtworkMemory.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "support/FakeMediaEngine.h"
#include "support/InMemoryKeyring.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <functional>

// Turns the event loop until `done` holds or `timeoutMs` passes; false on the time-out. Objects
// released meanwhile (delegates scrolled away, pages left) are deleted as a running program's
// event loop deletes them, which processEvents() alone never does outside exec().
inline bool spinUntil(const std::function<bool()> &done, int timeoutMs = 30'000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// The program's window in this process over a catalogue directory, built as main() builds it:
// the store, a playback window controller whose players play nothing, the application model, the
// update checker and the player commands, handed to QML with the artwork caches the benchmark
// keeps, and the main window (offscreen unless the platform says otherwise).
class BenchWindow final
{
public:
    BenchWindow(const QString &dataDirectory, ArtworkMemory &artwork)
        : m_store({dataDirectory, false}, m_keyring, m_clock)
        , m_playback([this](const QUrl &url, QObject *parent) {
            return new PlayerController(url, std::make_unique<FakeMediaEngine>(), m_clock, parent);
        })
        , m_app(m_store, m_playback)
        , m_updater(UpdateServiceClient(QUrl(QStringLiteral("http://127.0.0.1:9"))), m_clock, [](const QUrl &) {})
    {
        QmlSingletons::provide(m_app, m_store, m_updater, m_playback, m_commands, artwork);
        m_engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        m_engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quillmere/Shell/Main.qml")));
        if (!m_engine.rootObjects().isEmpty())
            m_window = qobject_cast<QQuickWindow *>(m_engine.rootObjects().constFirst());
    }

    // The window is up and the catalogue open.
    [[nodiscard]] bool open()
    {
        return m_window && spinUntil([this] { return !m_store.isInitializing(); });
    }

    [[nodiscard]] QQuickWindow &window() { return *m_window; }
    [[nodiscard]] AppModel &app() { return m_app; }
    [[nodiscard]] CatalogueStore &store() { return m_store; }

    [[nodiscard]] QString rendererName() const
    {
        switch (m_window->rendererInterface()->graphicsApi()) {
        case QSGRendererInterface::Software:
            return QStringLiteral("software");
        case QSGRendererInterface::OpenGL:
            return QStringLiteral("OpenGL");
        default:
            return QStringLiteral("another hardware API");
        }
    }

    // Waits for the next frame drawn; false when none comes.
    [[nodiscard]] bool nextFrame()
    {
        bool framed = false;
        const QMetaObject::Connection frames =
            QObject::connect(m_window, &QQuickWindow::frameSwapped, m_window, [&framed] { framed = true; });
        m_window->update();
        const bool drawn = spinUntil([&framed] { return framed; });
        QObject::disconnect(frames);
        return drawn;
    }

private:
    SystemClock m_clock;
    InMemoryKeyring m_keyring;
    CatalogueStore m_store;
    PlaybackWindowController m_playback;
    AppModel m_app;
    AppUpdater m_updater;
    PlayerCommands m_commands;
    QQmlApplicationEngine m_engine;
    QQuickWindow *m_window = nullptr;
};
