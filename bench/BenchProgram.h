#pragma once

#include "EventLoopWaits.h"

#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/PlayerCommands.h"
#include "App/QmlSingletons.h"
#include "App/UpdateServiceClient.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "support/FakeMediaEngine.h"
#include "support/InMemoryKeyring.h"

#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <memory>

// What main() builds, over the catalogue in `dataDirectory`, on the system clock, with players
// that play nothing and no automatic refresh, for benchmarks that time pages in this process.
class BenchProgram final
{
public:
    explicit BenchProgram(const QString &dataDirectory)
        : m_store(options(dataDirectory), m_keyring, m_clock)
        , m_playback([this](const QUrl &url, QObject *parent) {
            return new PlayerController(url, std::make_unique<FakeMediaEngine>(), m_clock, parent);
        })
        , m_app(m_store, m_playback)
        , m_updater(UpdateServiceClient(QUrl(QStringLiteral("http://127.0.0.1:9"))), m_clock, [](const QUrl &) {})
    {
    }

    [[nodiscard]] CatalogueStore &store() { return m_store; }
    [[nodiscard]] AppModel &app() { return m_app; }

    // Waits for the store to open; false when it does not.
    [[nodiscard]] bool open() { return spinUntil([this] { return !m_store.isInitializing(); }); }

    // The program's main window over these objects, loaded once the store is open; null when it
    // could not be loaded.
    [[nodiscard]] QQuickWindow *openWindow()
    {
        QmlSingletons::provide(m_app, m_updater, m_playback, m_commands);
        m_engine = std::make_unique<QQmlApplicationEngine>();
        m_engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
        m_engine->load(QUrl(QStringLiteral("qrc:/qt/qml/Quillmere/Shell/Main.qml")));
        auto *window = m_engine->rootObjects().isEmpty()
            ? nullptr
            : qobject_cast<QQuickWindow *>(m_engine->rootObjects().constFirst());
        return window && open() ? window : nullptr;
    }

    [[nodiscard]] static QString rendererName(const QQuickWindow &window)
    {
        switch (window.rendererInterface()->graphicsApi()) {
        case QSGRendererInterface::Software:
            return QStringLiteral("software");
        case QSGRendererInterface::OpenGL:
            return QStringLiteral("OpenGL");
        default:
            return QStringLiteral("another hardware API");
        }
    }

private:
    static CatalogueStoreOptions options(const QString &dataDirectory)
    {
        CatalogueStoreOptions options;
        options.dataDirectory = dataDirectory;
        options.autoRefresh = false;
        return options;
    }

    SystemClock m_clock;
    InMemoryKeyring m_keyring;
    CatalogueStore m_store;
    PlaybackWindowController m_playback;
    AppModel m_app;
    AppUpdater m_updater;
    PlayerCommands m_commands;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
};

// The benchmarks draw offscreen unless told otherwise; the first argument sets the number of
// runs.
inline int prepareBench(int argc, char *argv[], int defaultRuns)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : defaultRuns;
}
