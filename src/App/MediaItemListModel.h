#pragma once

#include "App/CountedListModel.h"
#include "Catalogue/CatalogueModels.h"

#include <QList>

// The loaded items of a browse list as the views see them: one row per item, one role per field
// a delegate shows. A category can hold tens of thousands of items, so rows are plain values and
// changes are reported row by row (a favourite flag, a removal, an appended page), never as a
// reset unless the whole list is replaced.
class MediaItemListModel : public CountedListModel
{
    Q_OBJECT

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        KindRole,
        ProviderIdRole,
        TitleRole,
        PlotRole,
        ArtworkUrlRole,
        ContainerExtensionRole,
        NumberRole,
        RatingRole,
        AddedAtRole,
        GenreRole,
        CategoryIdRole,
        IsFavouriteRole,
        NowTitleRole,
        NowStartRole,
        NowEndRole,
        // The whole record as a MediaItemValue, for cards and the calls that take an item.
        ItemRole,
    };
    Q_ENUM(Role)

    using CountedListModel::CountedListModel;

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // One field of an item by role, and the roles' names, for every list that shows items
    // (alone or inside rows of its own) under the same names.
    [[nodiscard]] static QVariant itemData(const MediaItem &item, int role);
    [[nodiscard]] static QHash<int, QByteArray> itemRoleNames();

    [[nodiscard]] const QList<MediaItem> &items() const { return m_items; }
    // Replaces every row; an equal list changes nothing.
    void setItems(const QList<MediaItem> &items);
    void append(const QList<MediaItem> &items);
    void setFavourite(int row, bool isFavourite);
    void removeAt(int row);
    // The first and the last row of an item with the identity of `item` (kind and provider id),
    // or -1.
    [[nodiscard]] int indexOf(const MediaItem &item) const;
    [[nodiscard]] int lastIndexOf(const MediaItem &item) const;

private:
    QList<MediaItem> m_items;
};
