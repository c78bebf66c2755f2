#include "CatalogueModels.h"

#include "Support/EpochSeconds.h"

using namespace Qt::StringLiterals;

QString kindText(CatalogueKind kind)
{
    switch (kind) {
    case CatalogueKind::Live:
        return u"live"_s;
    case CatalogueKind::Movie:
        return u"movie"_s;
    case CatalogueKind::Series:
        return u"series"_s;
    }
    Q_UNREACHABLE();
    return {};
}

QString kindTitle(CatalogueKind kind)
{
    // In the order of CatalogueKind.
    static const std::array<QString, 3> titles{u"Live TV"_s, u"Movies"_s, u"Series"_s};
    return titles.at(size_t(kind));
}

std::optional<CatalogueKind> catalogueKindFromText(QStringView text)
{
    for (const CatalogueKind kind : allCatalogueKinds) {
        if (text == kindText(kind))
            return kind;
    }
    return std::nullopt;
}

QString guideChannelKey(const QString &channelID)
{
    return channelID.trimmed().toLower();
}

std::optional<QUrl> optionalAddress(const std::optional<QString> &text)
{
    if (!text || text->isEmpty())
        return std::nullopt;
    QUrl url(*text);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

QString MediaItem::id() const
{
    return kindText(kind) + u':' + providerID;
}

CatalogueItem CatalogueItem::from(const MediaItem &item)
{
    CatalogueItem compact;
    compact.id = item.providerID;
    compact.title = item.title;
    compact.subtitle = item.plot;
    compact.epgChannelID = item.epgChannelID;
    compact.artworkURL = item.artworkURL;
    compact.containerExtension = item.containerExtension;
    compact.isFavourite = item.isFavourite;
    return compact;
}

QString BrowseCategory::id() const
{
    return kindText(kind) + u':' + providerID;
}

namespace {

const QString allText = u"all"_s;
const QString favouritesText = u"fav"_s;
// Put in front of a category id that would otherwise read as another scope.
const QString categoryMark = u"category:"_s;

} // namespace

QString BrowseScope::settingsText() const
{
    switch (m_type) {
    case Type::All:
        return allText;
    case Type::Favourites:
        return favouritesText;
    case Type::Category:
        // Ids are the provider's: one may well be "all" or "fav".
        if (m_categoryID == allText || m_categoryID == favouritesText || m_categoryID.startsWith(categoryMark))
            return categoryMark + m_categoryID;
        return m_categoryID;
    }
    Q_UNREACHABLE();
    return {};
}

BrowseScope BrowseScope::fromSettingsText(const QString &text)
{
    if (text == allText)
        return all();
    if (text == favouritesText)
        return favourites();
    if (text.startsWith(categoryMark))
        return category(text.sliced(categoryMark.size()));
    return category(text);
}

QString sortText(BrowseSort sort)
{
    switch (sort) {
    case BrowseSort::Provider:
        return u"provider"_s;
    case BrowseSort::Title:
        return u"title"_s;
    case BrowseSort::Added:
        return u"added"_s;
    case BrowseSort::Rating:
        return u"rating"_s;
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<BrowseSort> browseSortFromText(QStringView text)
{
    for (const BrowseSort sort : {BrowseSort::Provider, BrowseSort::Title, BrowseSort::Added, BrowseSort::Rating}) {
        if (text == sortText(sort))
            return sort;
    }
    return std::nullopt;
}

QString SeriesEpisode::id() const
{
    return seriesID + u':' + providerID;
}

QString LibraryEntry::id() const
{
    return episode ? u"ep:"_s + episode->providerID : item.id();
}

QString GuideProgramme::id() const
{
    return channelID + u':' + epochSecondsText(start) + u':' + epochSecondsText(end) + u':' + title;
}

QString Category::id() const
{
    return kindText(kind) + u':' + providerID;
}
