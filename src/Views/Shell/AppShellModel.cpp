#include "AppShellModel.h"

#include "App/AppModel.h"
#include "App/WakeNotifier.h"
#include "DatabaseErrorToasts.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "SyncToasts.h"

using namespace Qt::StringLiterals;

AppShellModel::AppShellModel(QObject *parent)
    : ViewModel(parent)
{
}

AppShellModel::~AppShellModel() = default;

QString AppShellModel::pageFor(Route route, bool hasPlaylists, bool initializing)
{
    if (!hasPlaylists && !initializing && route != Route::Settings)
        return u"welcome"_s;
    return routeText(route);
}

void AppShellModel::start(AppModel &app)
{
    CatalogueStore &store = *app.store();
    connect(&app, &AppModel::routeChanged, this, &AppShellModel::updatePage);
    connect(&store, &CatalogueStore::playlistsChanged, this, &AppShellModel::updatePage);
    connect(&store, &CatalogueStore::isInitializingChanged, this, &AppShellModel::updatePage);
    updatePage();

    m_toasts.follow(app);
    m_syncToasts = std::make_unique<SyncToasts>(app);
    m_databaseErrorToasts = std::make_unique<DatabaseErrorToasts>(app);
    // The store's own scheduler makes the first check; a wake only catches up on what fell due
    // while the computer slept.
    m_wake = std::make_unique<WakeNotifier>();
    connect(m_wake.get(), &WakeNotifier::woke, &store, &CatalogueStore::refreshDueSources);
}

void AppShellModel::updatePage()
{
    const CatalogueStore &store = *app()->store();
    if (assignIfChanged(m_page, pageFor(app()->route(), !store.playlists().isEmpty(), store.isInitializing())))
        Q_EMIT pageChanged();
}
