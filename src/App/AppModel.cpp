#include "AppModel.h"

#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/Clock.h"
#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// The page the window opens on: the chosen start page, or the previous run's last page for
// "last". Search is never a start page: its field would open empty.
Route launchRoute()
{
    QString start = Prefs::read(PrefKeys::startPage);
    if (start == u"last"_s)
        start = Prefs::read(PrefKeys::lastPage);
    const Route route = routeFromText(start).value_or(Route::Home);
    return route == Route::Search ? Route::Home : route;
}

} // namespace

AppModel::AppModel(CatalogueStore &store, PlaybackWindowController &playback, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_playback(playback)
    , m_sidebarCollapsed(Prefs::read(PrefKeys::sidebarCollapsed))
    , m_live(CatalogueKind::Live, store, this)
    , m_movies(CatalogueKind::Movie, store, this)
    , m_series(CatalogueKind::Series, store, this)
    , m_guide(this)
{
    // Through the setter, so that the last page is rewritten with the launch page at every start.
    setRoute(launchRoute());
}

AppModel::~AppModel()
{
    m_toastWaits.request_stop();
}

void AppModel::setRoute(Route route)
{
    if (assignIfChanged(m_route, route)) {
        setDetail(std::nullopt);
        Q_EMIT routeChanged();
    }
    if (route != Route::Search)
        UserSettings::setValue(PrefKeys::lastPage.key.toString(), routeText(route));
}

void AppModel::setRouteName(const QString &name)
{
    if (const std::optional<Route> route = routeFromText(name))
        setRoute(*route);
}

void AppModel::setDetail(const std::optional<MediaItem> &item)
{
    if (assignIfChanged(m_detail, item))
        Q_EMIT detailChanged();
}

BrowseModel *AppModel::browse(CatalogueKind kind)
{
    switch (kind) {
    case CatalogueKind::Live:
        return &m_live;
    case CatalogueKind::Movie:
        return &m_movies;
    case CatalogueKind::Series:
        return &m_series;
    }
    return &m_movies;
}

std::optional<bool> AppModel::toggleFavourite(const MediaItem &item)
{
    const std::optional<bool> saved = m_store.toggleFavourite(item);
    if (saved)
        browse(item.kind)->updateFavourite(item, *saved);
    return saved;
}

void AppModel::toast(const QString &text, ToastKind kind)
{
    const ToastMessage message{QUuid::createUuid(), text, kind};
    m_toasts.append(message);
    Q_EMIT toastsChanged();
    expireToast(QPointer(this), m_store.clock(), message.id, kind == ToastKind::Error ? 6000ms : 3200ms,
                m_toastWaits.get_token());
}

QCoro::Task<void> AppModel::expireToast(QPointer<AppModel> self, Clock &clock, QUuid id,
                                        std::chrono::milliseconds lifetime, std::stop_token stop)
{
    (void)co_await clock.sleep(lifetime, std::move(stop));
    if (self)
        self->removeToast(id);
}

// A notice already removed by someone else is simply not found.
void AppModel::removeToast(const QUuid &id)
{
    if (m_toasts.removeIf([&id](const ToastMessage &message) { return message.id == id; }) > 0)
        Q_EMIT toastsChanged();
}

QVariantList AppModel::toastList() const
{
    QVariantList list;
    for (const ToastMessage &message : m_toasts) {
        list.append(QVariantMap{
            {u"id"_s, message.id.toString(QUuid::WithoutBraces)},
            {u"text"_s, message.text},
            {u"kind"_s, toastKindText(message.kind)},
        });
    }
    return list;
}

void AppModel::setSidebarCollapsed(bool collapsed)
{
    if (assignIfChanged(m_sidebarCollapsed, collapsed))
        Q_EMIT sidebarCollapsedChanged();
    UserSettings::setValue(PrefKeys::sidebarCollapsed.key.toString(), collapsed);
}

void AppModel::setSearchFocusRequest(int request)
{
    if (assignIfChanged(m_searchFocusRequest, request))
        Q_EMIT searchFocusRequestChanged();
}

void AppModel::setSearchText(const QString &text)
{
    if (assignIfChanged(m_searchText, text))
        Q_EMIT searchTextChanged();
}

void AppModel::setRequestedSettingsSection(const QString &section)
{
    if (assignIfChanged(m_requestedSettingsSection, section))
        Q_EMIT requestedSettingsSectionChanged();
}
