#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QAbstractListModel>
#include <QList>
#include <QSet>
#include <QtQml/qqmlregistration.h>

// The rows of the category settings' list: the categories the filter shows, each with its
// count, whether it is dimmed (hidden by its own flag or its language) and the badge of a
// hidden language.
class CategoryRowModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        CountRole,
        DimmedRole,
        OwnHiddenRole,
        BadgeRole,
    };

    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] const QList<BrowseCategory> &rows() const { return m_rows; }
    void setRows(const QList<BrowseCategory> &rows, const QSet<QString> &hiddenLanguages);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

private:
    QList<BrowseCategory> m_rows;
    QSet<QString> m_hiddenLanguages;
};
