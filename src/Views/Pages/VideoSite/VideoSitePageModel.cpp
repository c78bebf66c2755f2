#include "VideoSitePageModel.h"

#include "VideoSiteAddresses.h"

#include <QDesktopServices>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

QVariantMap shortcut(const QString &title, const QString &icon, const QString &path)
{
    return {{u"title"_s, title}, {u"icon"_s, icon}, {u"address"_s, QString(VideoSiteAddresses::base() + path)}};
}

} // namespace

void VideoSitePageModel::start(AppModel &)
{
    setReady();
}

void VideoSitePageModel::setQuery(const QString &query)
{
    if (query == m_query)
        return;
    m_query = query;
    Q_EMIT queryChanged();
}

bool VideoSitePageModel::canSearch() const
{
    return VideoSiteAddresses::canSearch(m_query);
}

QVariantList VideoSitePageModel::shortcuts()
{
    return {
        shortcut(u"Home"_s, u"house"_s, QString()),
        shortcut(u"Subscriptions"_s, u"person.2"_s, u"/feed/subscriptions"_s),
        shortcut(u"History"_s, u"clock"_s, u"/feed/history"_s),
        shortcut(u"Watch later"_s, u"text.badge.plus"_s, u"/playlist?list=WL"_s),
    };
}

void VideoSitePageModel::openSearch()
{
    // Whether the browser opened is not ours to report: the page stays as it is either way.
    if (const std::optional<QUrl> url = VideoSiteAddresses::search(m_query))
        (void)QDesktopServices::openUrl(*url);
}

void VideoSitePageModel::open(const QString &address)
{
    if (const std::optional<QUrl> url = VideoSiteAddresses::shortcut(address))
        (void)QDesktopServices::openUrl(*url);
}
