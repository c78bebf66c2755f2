#include "PlaceholderPageModel.h"

#include "App/Route.h"

void PlaceholderPageModel::setPage(const QString &page)
{
    if (page == m_page)
        return;
    m_page = page;
    Q_EMIT pageChanged();
}

QString PlaceholderPageModel::title() const
{
    if (const std::optional<Route> route = routeFromText(m_page))
        return routeTitle(*route);
    return m_page.left(1).toUpper() + m_page.mid(1);
}

void PlaceholderPageModel::start(AppModel &)
{
    setReady();
}
