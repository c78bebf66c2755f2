// The composition root: builds the clock, the keyring, the catalogue store, the playback window
// controller, the application model and the update checker in that order, then opens the window.
#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/LaunchArguments.h"
#include "App/ServiceConfig.h"
#include "App/UpdateServiceClient.h"
#include "Catalogue/SecretServiceKeyring.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"

#include <QCoroTask>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// What runs once the window is up, each step awaited: the daily update check, then the file
// named on the command line.
QCoro::Task<void> launch(AppUpdater &updater, PlaybackWindowController &playback, QStringList arguments)
{
    co_await updater.checkIfDue(false);
    if (const std::optional<QUrl> file = LaunchArguments::fileToPlay(arguments))
        playback.openFile(*file);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"Quillmere"_s);
    QGuiApplication::setOrganizationName(u"Quillmere"_s);
    QGuiApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    const QStringList arguments = QCoreApplication::arguments();

    SystemClock clock;
    SecretServiceKeyring keyring;
    CatalogueStore store(CatalogueStoreOptions::fromEnvironment(arguments), keyring, clock);
    PlaybackWindowController &playback = PlaybackWindowController::shared();
    // Removing the playlist that is playing stops its playback first.
    QObject::connect(&store, &CatalogueStore::playlistRemovalStarted, &playback, [&playback](qint64 playlistID) {
        if (playback.target() && playback.target()->playlistID == playlistID)
            playback.close();
    });
    AppModel model(store, playback);
    AppUpdater updater(UpdateServiceClient(ServiceConfig::baseURL()), clock);

    QQmlApplicationEngine engine;
    // Where the view module's QML files lie; Qt 6.5 looks there by itself, 6.4 must be told.
    engine.addImportPath(u"qrc:/qt/qml"_s);
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreationFailed, &app,
                     [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    engine.load(QUrl(u"qrc:/qt/qml/Quillmere/Shell/Main.qml"_s));
    launch(updater, playback, arguments);
    return QGuiApplication::exec();
}
