#include "UpdateSettingsModel.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"

using namespace Qt::StringLiterals;

void UpdateSettingsModel::setApp(AppModel *app)
{
    if (m_app || !app)
        return;
    m_app = app;
    Q_EMIT appChanged();
    start(*app);
}

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
    return m_app && m_app->store()->activePlaylist();
}

QString UpdateSettingsModel::groupTitle() const
{
    const std::optional<Playlist> active = m_app ? m_app->store()->activePlaylist() : std::nullopt;
    return active ? u"Update now \u00b7 "_s + active->name : QString();
}

bool UpdateSettingsModel::isRefreshing() const
{
    const std::optional<qint64> id = m_app ? m_app->store()->activePlaylistID() : std::nullopt;
    return id && m_app->store()->isRefreshing(*id);
}

void UpdateSettingsModel::refreshPlaylist()
{
    if (const std::optional<Playlist> active = m_app ? m_app->store()->activePlaylist() : std::nullopt)
        m_app->store()->startImport(*active);
}

void UpdateSettingsModel::refreshGuide()
{
    if (const std::optional<Playlist> active = m_app ? m_app->store()->activePlaylist() : std::nullopt)
        m_app->store()->refreshEPG(*active);
}
