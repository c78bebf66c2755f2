#pragma once

#include <QAbstractListModel>

// A list model whose number of rows views can bind to (`visible: shelf.count > 0`): `count`
// announces every insertion, removal and reset.
class CountedListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit CountedListModel(QObject *parent = nullptr)
        : QAbstractListModel(parent)
    {
        connect(this, &QAbstractItemModel::rowsInserted, this, &CountedListModel::countChanged);
        connect(this, &QAbstractItemModel::rowsRemoved, this, &CountedListModel::countChanged);
        connect(this, &QAbstractItemModel::modelReset, this, &CountedListModel::countChanged);
    }

    [[nodiscard]] int count() const { return rowCount(); }

Q_SIGNALS:
    void countChanged();
};
