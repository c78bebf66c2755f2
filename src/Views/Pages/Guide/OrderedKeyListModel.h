#pragma once

#include <QAbstractListModel>
#include <QList>

// A list model whose rows stand for integer keys in ascending order (an index into a programme
// list, a minute of the day) and that follows a new set of keys with the fewest row removals and
// insertions, so that a view keeps the delegates of rows that stay.
class OrderedKeyListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;

protected:
    [[nodiscard]] const QList<int> &keys() const { return m_keys; }
    // `keys` must be strictly ascending. Rows whose key stays keep their place.
    void setKeys(const QList<int> &keys);
    // Announces that the given roles of every row may read differently.
    void rolesChanged(const QList<int> &roles);

private:
    void removeMissing(const QList<int> &keys);
    void insertAdded(const QList<int> &keys);

    QList<int> m_keys;
};
