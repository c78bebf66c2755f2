#include "OrderedKeyListModel.h"

#include <algorithm>

int OrderedKeyListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_keys.size());
}

void OrderedKeyListModel::setKeys(const QList<int> &keys)
{
    if (keys == m_keys)
        return;
    removeMissing(keys);
    insertAdded(keys);
}

void OrderedKeyListModel::rolesChanged(const QList<int> &roles)
{
    if (!m_keys.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_keys.size()) - 1), roles);
}

void OrderedKeyListModel::removeMissing(const QList<int> &keys)
{
    // From the end, so that the rows still to be visited keep their numbers.
    int row = int(m_keys.size()) - 1;
    while (row >= 0) {
        if (std::binary_search(keys.cbegin(), keys.cend(), m_keys.at(row))) {
            --row;
            continue;
        }
        const int last = row;
        while (row > 0 && !std::binary_search(keys.cbegin(), keys.cend(), m_keys.at(row - 1)))
            --row;
        beginRemoveRows(QModelIndex(), row, last);
        m_keys.remove(row, last - row + 1);
        endRemoveRows();
        --row;
    }
}

void OrderedKeyListModel::insertAdded(const QList<int> &keys)
{
    // Every key left is among `keys`, so walking `keys` in order finds each run of new ones at
    // the row where it belongs.
    int row = 0;
    qsizetype next = 0;
    while (next < keys.size()) {
        if (row < m_keys.size() && m_keys.at(row) == keys.at(next)) {
            ++row;
            ++next;
            continue;
        }
        qsizetype end = next;
        while (end < keys.size() && (row >= m_keys.size() || keys.at(end) != m_keys.at(row)))
            ++end;
        const int count = int(end - next);
        beginInsertRows(QModelIndex(), row, row + count - 1);
        m_keys.insert(row, count, 0);
        std::copy(keys.cbegin() + next, keys.cbegin() + end, m_keys.begin() + row);
        endInsertRows();
        row += count;
        next = end;
    }
}
