#include "Navigation.h"

#include "App/AppModel.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

// In the order of the routes.
const std::array<QString, allRoutes.size()> routeIcons{
    u"house.fill"_s, u"magnifyingglass"_s, u"tv"_s, u"calendar"_s, u"film.stack"_s,
    u"play.rectangle.on.rectangle"_s, u"play.rectangle"_s, u"list.bullet.rectangle"_s, u"gearshape"_s};

QVariantMap row(Route route)
{
    return {{u"route"_s, routeText(route)}, {u"title"_s, routeTitle(route)}, {u"icon"_s, Navigation::routeIcon(route)}};
}

} // namespace

void Navigation::start(AppModel &app)
{
    connect(&app, &AppModel::sidebarCollapsedChanged, this, &Navigation::sidebarCommandTitleChanged);
}

QString Navigation::routeIcon(Route route)
{
    return routeIcons.at(size_t(route));
}

QVariantList Navigation::mainPages() const
{
    QVariantList pages;
    for (size_t position = 0; position < mainRoutes.size(); ++position) {
        QVariantMap page = row(mainRoutes.at(position));
        page.insert(u"shortcut"_s, QString(u"Ctrl+"_s + QString::number(position + 1)));
        pages.append(page);
    }
    return pages;
}

QVariantList Navigation::upperPages() const
{
    QVariantList pages;
    for (const Route route : mainRoutes)
        pages.append(row(route));
    return pages;
}

QVariantList Navigation::lowerPages() const
{
    return {row(Route::Playlists), row(Route::Settings)};
}

QString Navigation::sidebarCommandTitle() const
{
    return app() && app()->isSidebarCollapsed() ? u"Show sidebar"_s : u"Hide sidebar"_s;
}

void Navigation::show(const QString &route)
{
    app()->setRouteName(route);
}

void Navigation::search()
{
    app()->setRoute(Route::Search);
    app()->setSearchFocusRequest(app()->searchFocusRequest() + 1);
}

void Navigation::choose(const QString &route)
{
    if (route == routeText(Route::Search))
        search();
    else
        show(route);
}

void Navigation::toggleSidebar()
{
    app()->setSidebarCollapsed(!app()->isSidebarCollapsed());
}
