#include "MediaItemListModel.h"

#include "MediaItemValue.h"

#include <algorithm>

namespace {

bool sameIdentity(const MediaItem &a, const MediaItem &b)
{
    return a.kind == b.kind && a.providerID == b.providerID;
}

template<typename T>
QVariant optionalValue(const std::optional<T> &value)
{
    return value ? QVariant::fromValue(*value) : QVariant();
}

} // namespace

int MediaItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant MediaItemListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return itemData(m_items.at(index.row()), role);
}

QVariant MediaItemListModel::itemData(const MediaItem &item, int role)
{
    switch (role) {
    case IdRole:
        return item.id();
    case KindRole:
        return kindText(item.kind);
    case ProviderIdRole:
        return item.providerID;
    case Qt::DisplayRole:
    case TitleRole:
        return item.title;
    case PlotRole:
        return optionalValue(item.plot);
    case ArtworkUrlRole:
        // Always an address, empty for none: delegates hold it as a url.
        return item.artworkURL.value_or(QUrl());
    case ContainerExtensionRole:
        return optionalValue(item.containerExtension);
    case NumberRole:
        return optionalValue(item.number);
    case RatingRole:
        return optionalValue(item.rating);
    case AddedAtRole:
        return optionalValue(item.addedAt);
    case GenreRole:
        return optionalValue(item.genre);
    case CategoryIdRole:
        return optionalValue(item.categoryID);
    case IsFavouriteRole:
        return item.isFavourite;
    case NowTitleRole:
        return item.now ? QVariant(item.now->title) : QVariant();
    case NowStartRole:
        return item.now ? QVariant(item.now->start) : QVariant();
    case NowEndRole:
        return item.now ? QVariant(item.now->end) : QVariant();
    case ItemRole:
        return QVariant::fromValue(MediaItemValue(item));
    default:
        return {};
    }
}

QHash<int, QByteArray> MediaItemListModel::roleNames() const
{
    return itemRoleNames();
}

QHash<int, QByteArray> MediaItemListModel::itemRoleNames()
{
    return {
        {IdRole, "itemID"},
        {KindRole, "kind"},
        {ProviderIdRole, "providerID"},
        {TitleRole, "title"},
        {PlotRole, "plot"},
        {ArtworkUrlRole, "artworkURL"},
        {ContainerExtensionRole, "containerExtension"},
        {NumberRole, "number"},
        {RatingRole, "rating"},
        {AddedAtRole, "addedAt"},
        {GenreRole, "genre"},
        {CategoryIdRole, "categoryID"},
        {IsFavouriteRole, "isFavourite"},
        {NowTitleRole, "nowTitle"},
        {NowStartRole, "nowStart"},
        {NowEndRole, "nowEnd"},
        {ItemRole, "item"},
    };
}

void MediaItemListModel::setItems(const QList<MediaItem> &items)
{
    if (items == m_items)
        return;
    beginResetModel();
    m_items = items;
    endResetModel();
}

void MediaItemListModel::append(const QList<MediaItem> &items)
{
    if (items.isEmpty())
        return;
    const int first = int(m_items.size());
    beginInsertRows(QModelIndex(), first, first + int(items.size()) - 1);
    m_items.append(items);
    endInsertRows();
}

void MediaItemListModel::setFavourite(int row, bool isFavourite)
{
    MediaItem &item = m_items[row];
    if (item.isFavourite == isFavourite)
        return;
    item.isFavourite = isFavourite;
    const QModelIndex changed = index(row);
    Q_EMIT dataChanged(changed, changed, {IsFavouriteRole, ItemRole});
}

void MediaItemListModel::removeAt(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_items.removeAt(row);
    endRemoveRows();
}

int MediaItemListModel::indexOf(const MediaItem &item) const
{
    const auto found = std::find_if(m_items.cbegin(), m_items.cend(),
                                    [&item](const MediaItem &row) { return sameIdentity(row, item); });
    return found == m_items.cend() ? -1 : int(found - m_items.cbegin());
}

int MediaItemListModel::lastIndexOf(const MediaItem &item) const
{
    const auto found = std::find_if(m_items.crbegin(), m_items.crend(),
                                    [&item](const MediaItem &row) { return sameIdentity(row, item); });
    return found == m_items.crend() ? -1 : int(m_items.crend() - found) - 1;
}
