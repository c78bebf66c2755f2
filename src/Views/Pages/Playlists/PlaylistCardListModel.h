#pragma once

#include "PlaylistCard.h"

#include <QAbstractListModel>
#include <QList>
#include <QtQml/qqmlregistration.h>

// The cards of the playlists page in the store's order, one row a playlist. A change that keeps
// the same playlists in the same order updates the rows in place, so that a card under the
// pointer (or with its menu open) stays while its progress moves.
class PlaylistCardListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        InitialRole,
        ServerRole,
        ActiveRole,
        NeedsAttentionRole,
        RefreshingRole,
        ImportingRole,
        StepRole,
        ProgressRole,
        ProgressTextRole,
        StatsRole,
    };

    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] const QList<PlaylistCard> &cards() const { return m_cards; }
    void setCards(const QList<PlaylistCard> &cards);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

private:
    QList<PlaylistCard> m_cards;
};
