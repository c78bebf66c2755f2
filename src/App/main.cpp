// The composition root: builds the clock, the keyring, the catalogue store, the playback window
// controller, the application model, the update checker, the screenshot runner and the artwork
// caches in that order, hands them to the views and opens the one window.
#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/LaunchArguments.h"
#include "App/LaunchTask.h"
#include "App/PlayerCommands.h"
#include "App/QmlSingletons.h"
#include "App/ServiceConfig.h"
#include "App/ShotRunner.h"
#include "App/SingleInstance.h"
#include "App/UpdateServiceClient.h"
#include "Artwork/ArtworkCache.h"
#include "Artwork/ArtworkMemory.h"
#include "Catalogue/SecretServiceKeyring.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/Logging.h"

#include <QCoroTask>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// Files handed to the program (at its start or by a later start) play one after the other; the
// last one stays.
void openFiles(PlaybackWindowController &playback, const QList<QUrl> &files)
{
    for (const QUrl &file : files)
        playback.openFile(file);
}

// File > Open media file shows the desktop's own dialog through its portal where the desktop
// offers one; Qt takes the portal by itself only inside a sandbox. Everything else still comes
// from the desktop's own theme, Qt's own dialog (in the window's dark look) stands in where no
// portal answers, and a theme the user chose stays.
void preferDesktopPortal()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME"))
        qputenv("QT_QPA_PLATFORMTHEME", "xdgdesktopportal");
}

// Notes in the log how long the start took, at the first frame drawn after the catalogue opened
// (the frames before show the start-up placeholder).
void logFirstLibraryFrame(QQuickWindow &window, const CatalogueStore &store, QElapsedTimer started)
{
    const auto awaitFrame = [&window, started] {
        QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [started] {
            qCInfo(lcShell).nospace() << "The library was shown " << started.elapsed() << " ms after start.";
        }, Qt::SingleShotConnection);
    };
    if (!store.isInitializing())
        awaitFrame();
    else
        QObject::connect(&store, &CatalogueStore::isInitializingChanged, &window, awaitFrame, Qt::SingleShotConnection);
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer started;
    started.start();
    preferDesktopPortal();
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(u"Quillmere"_s);
    QGuiApplication::setOrganizationName(u"Quillmere"_s);
    QGuiApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    QGuiApplication::setDesktopFileName(u"com.zel.Quillmere"_s);
    const LaunchArguments arguments(QCoreApplication::arguments());

    // A screenshot run is a world of its own: it neither hands its work to a running program
    // nor takes files from later starts.
    SingleInstance instance;
    if (!arguments.contains(u"--shots"_s)
        && instance.start(arguments.filesForRunningProgram()) == SingleInstance::Role::Secondary)
        return 0;

    SystemClock clock;
    SecretServiceKeyring keyring;
    CatalogueStore store(CatalogueStoreOptions::fromEnvironment(arguments.all()), keyring, clock);
    PlaybackWindowController &playback = PlaybackWindowController::shared();
    // Removing the playlist that is playing stops its playback first.
    QObject::connect(&store, &CatalogueStore::playlistRemovalStarted, &playback, [&playback](qint64 playlistID) {
        if (playback.target() && playback.target()->playlistID == playlistID)
            playback.close();
    });
    AppModel model(store, playback);
    AppUpdater updater(UpdateServiceClient(ServiceConfig::baseURL()), clock);
    PlayerCommands playerCommands;
    ShotRunner shots(model, updater, playback, playerCommands, clock);
    ArtworkCache artworkDisk(ArtworkCache::defaultRoot());
    ArtworkMemory artwork(artworkDisk);

    QmlSingletons::provide(model, store, updater, playback, playerCommands, artwork);
    QQmlApplicationEngine engine;
    // Where the view module's QML files lie; Qt 6.5 looks there by itself, 6.4 must be told.
    engine.addImportPath(u"qrc:/qt/qml"_s);
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreationFailed, &application,
                     [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    engine.load(QUrl(u"qrc:/qt/qml/Quillmere/Shell/Main.qml"_s));
    auto *window = engine.rootObjects().isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window)
        return 1;

    logFirstLibraryFrame(*window, store, started);
    QObject::connect(&instance, &SingleInstance::activated, window, [window, &playback](const QList<QUrl> &files) {
        openFiles(playback, files);
        window->show();
        window->raise();
        window->requestActivate();
    });
    // The launch work starts once the window's content has first been drawn.
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] {
        openFiles(playback, arguments.handedFiles());
        runLaunchTask(arguments, updater, playback, shots);
    }, Qt::SingleShotConnection);
    return QGuiApplication::exec();
}
