#include "UpdateSettingsModel.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"

using namespace Qt::StringLiterals;

void UpdateSettingsModel::start(AppModel &app)
{
    CatalogueStore *store = app.store();
    for (const auto signal : {&CatalogueStore::playlistsChanged, &CatalogueStore::selectedPlaylistIDChanged,
                              &CatalogueStore::refreshingChanged})
        connect(store, signal, this, &UpdateSettingsModel::changed);
    Q_EMIT changed();
}

bool UpdateSettingsModel::hasActive() const
{
    return app() && app()->store()->activePlaylist();
}

QString UpdateSettingsModel::groupTitle() const
{
    const std::optional<Playlist> active = app() ? app()->store()->activePlaylist() : std::nullopt;
    return active ? u"Update now \u00b7 "_s + active->name : QString();
}

bool UpdateSettingsModel::isRefreshing() const
{
    const std::optional<qint64> id = app() ? app()->store()->activePlaylistID() : std::nullopt;
    return id && app()->store()->isRefreshing(*id);
}

void UpdateSettingsModel::refreshPlaylist()
{
    if (const std::optional<Playlist> active = app() ? app()->store()->activePlaylist() : std::nullopt)
        app()->store()->startImport(*active);
}

void UpdateSettingsModel::refreshGuide()
{
    if (const std::optional<Playlist> active = app() ? app()->store()->activePlaylist() : std::nullopt)
        app()->store()->refreshEPG(*active);
}
