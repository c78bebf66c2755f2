#include "ItemMenuModel.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"

using namespace Qt::StringLiterals;

ItemMenuModel::Entry ItemMenuModel::mainEntry(CatalogueKind kind)
{
    if (kind == CatalogueKind::Series)
        return {u"Open"_s, u"info.circle"_s};
    return {u"Play"_s, u"play.fill"_s};
}

bool ItemMenuModel::hasDetails(CatalogueKind kind)
{
    return kind != CatalogueKind::Live;
}

ItemMenuModel::Entry ItemMenuModel::favouriteEntry(bool favourite)
{
    if (favourite)
        return {u"Remove from favourites"_s, u"heart.slash"_s};
    return {u"Add to favourites"_s, u"heart"_s};
}

QString ItemMenuModel::favouriteNotice(bool favourite)
{
    return favourite ? u"Added to favourites"_s : u"Removed from favourites"_s;
}

void ItemMenuModel::setItemValue(const QVariant &value)
{
    const MediaItemValue item = value.value<MediaItemValue>();
    if (item == m_item)
        return;
    m_item = item;
    Q_EMIT itemChanged();
}

void ItemMenuModel::refresh()
{
    setFavourite(app() && app()->store()->isFavourite(CatalogueItem::from(item()), item().kind, std::nullopt));
}

void ItemMenuModel::activateMain()
{
    if (!app())
        return;
    if (item().kind == CatalogueKind::Series)
        app()->setDetail(item());
    else
        app()->play(item(), {}, true);
}

void ItemMenuModel::openDetails()
{
    if (app())
        app()->setDetail(item());
}

void ItemMenuModel::toggleFavourite()
{
    if (!app())
        return;
    const std::optional<bool> saved = app()->store()->toggleFavourite(item());
    if (!saved)
        return;
    setFavourite(*saved);
    Q_EMIT favouriteToggled(*saved);
    app()->toast(favouriteNotice(*saved), ToastKind::Success);
}

void ItemMenuModel::setFavourite(bool favourite)
{
    if (m_favourite == favourite)
        return;
    m_favourite = favourite;
    Q_EMIT favouriteChanged();
}
