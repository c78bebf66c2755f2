#include "GuideKeys.h"

#include "Support/EpochSeconds.h"

using namespace Qt::StringLiterals;

namespace GuideKeys {

namespace {

QString playlistText(std::optional<qint64> playlistID)
{
    return QString::number(playlistID.value_or(0));
}

} // namespace

QString scopeText(const std::optional<BrowseScope> &scope)
{
    if (!scope)
        return u"-"_s;
    switch (scope->type()) {
    case BrowseScope::Type::All:
        return u"all"_s;
    case BrowseScope::Type::Favourites:
        return u"fav"_s;
    case BrowseScope::Type::Category:
        // Prefixed, so that a category whose id reads "all" or "fav" stays apart.
        return u"c:"_s + scope->categoryID();
    }
    Q_UNREACHABLE();
    return {};
}

QString taskKey(std::optional<qint64> playlistID, int catalogueRevision, int categoryOrderRevision,
                const std::optional<BrowseScope> &scope, const QString &query)
{
    return playlistText(playlistID) + u'|' + QString::number(catalogueRevision) + u'|'
        + QString::number(categoryOrderRevision) + u'|' + scopeText(scope) + u'|' + query;
}

QString loadedKey(std::optional<qint64> playlistID, int catalogueRevision, const std::optional<BrowseScope> &scope,
                  const QString &query)
{
    return playlistText(playlistID) + u'|' + QString::number(catalogueRevision) + u'|' + scopeText(scope) + u'|'
        + query;
}

QString cacheKey(const QString &epgKey, const QDateTime &dayStart)
{
    return epgKey + u'|' + epochSecondsText(dayStart);
}

} // namespace GuideKeys
