#include "Route.h"

using namespace Qt::StringLiterals;

namespace {

// In the order of the enumeration.
const std::array<QString, allRoutes.size()> routeTexts{u"home"_s,   u"search"_s, u"live"_s,
                                                       u"guide"_s,  u"movies"_s, u"series"_s,
                                                       u"youtube"_s, u"playlists"_s, u"settings"_s};

const std::array<QString, allRoutes.size()> routeTitles{u"Home"_s,    u"Search"_s, u"Live TV"_s,
                                                        u"TV Guide"_s, u"Movies"_s, u"Series"_s,
                                                        u"YouTube"_s,  u"Playlists"_s, u"Settings"_s};

} // namespace

QString routeText(Route route)
{
    return routeTexts.at(size_t(route));
}

QString routeTitle(Route route)
{
    return routeTitles.at(size_t(route));
}

std::optional<Route> routeFromText(QStringView text)
{
    for (const Route route : allRoutes) {
        if (text == routeText(route))
            return route;
    }
    return std::nullopt;
}
