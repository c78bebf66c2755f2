#include "PlaylistCardListModel.h"

#include <QVariantMap>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QVariantList statList(const QList<PlaylistCard::Stat> &stats)
{
    QVariantList list;
    for (const PlaylistCard::Stat &stat : stats) {
        list.append(QVariantMap{{u"title"_s, stat.title},
                                {u"updated"_s, stat.updated},
                                {u"dated"_s, stat.dated},
                                {u"dateHelp"_s, stat.dateHelp},
                                {u"error"_s, stat.error},
                                {u"extra"_s, stat.extra}});
    }
    return list;
}

bool sameIdentities(const QList<PlaylistCard> &a, const QList<PlaylistCard> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const PlaylistCard &x, const PlaylistCard &y) { return x.id == y.id; });
}

} // namespace

void PlaylistCardListModel::setCards(const QList<PlaylistCard> &cards)
{
    if (!sameIdentities(m_cards, cards)) {
        beginResetModel();
        m_cards = cards;
        endResetModel();
        return;
    }
    for (qsizetype row = 0; row < cards.size(); ++row) {
        if (m_cards.at(row) == cards.at(row))
            continue;
        m_cards[row] = cards.at(row);
        const QModelIndex changed = index(int(row));
        Q_EMIT dataChanged(changed, changed);
    }
}

int PlaylistCardListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cards.size());
}

QVariant PlaylistCardListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const PlaylistCard &card = m_cards.at(index.row());
    switch (role) {
    case IdRole:
        return card.id;
    case NameRole:
        return card.name;
    case InitialRole:
        return card.initial;
    case ServerRole:
        return card.server;
    case ActiveRole:
        return card.active;
    case NeedsAttentionRole:
        return card.needsAttention;
    case RefreshingRole:
        return card.refreshing;
    case ImportingRole:
        return card.importing;
    case StepRole:
        return card.step;
    case ProgressRole:
        return card.progress;
    case ProgressTextRole:
        return card.progressText;
    case StatsRole:
        return statList(card.stats);
    default:
        return {};
    }
}

QHash<int, QByteArray> PlaylistCardListModel::roleNames() const
{
    return {{IdRole, "playlistID"},           {NameRole, "name"},
            {InitialRole, "initial"},         {ServerRole, "server"},
            {ActiveRole, "active"},           {NeedsAttentionRole, "needsAttention"},
            {RefreshingRole, "refreshing"},   {ImportingRole, "importing"},
            {StepRole, "step"},               {ProgressRole, "progress"},
            {ProgressTextRole, "progressText"}, {StatsRole, "stats"}};
}
