#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The category rows of the category column: one row per shown category, with its title between
// directional isolates, its grouped item count and whether it is the chosen one. A change of the
// chosen category alone changes two rows, not the list.
class CategoryRowListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    enum Role {
        ProviderIdRole = Qt::UserRole + 1,
        TitleRole,
        CountRole,
        LanguageRole,
        SelectedRole,
    };

    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    [[nodiscard]] const QList<BrowseCategory> &categories() const { return m_categories; }
    // The rows, and the provider id of the chosen category (empty when no category is chosen).
    void setRows(const QList<BrowseCategory> &categories, const QString &selectedID);
    // The row of the chosen category, or -1 when it is not among the rows.
    [[nodiscard]] int selectedRow() const;

private:
    QList<BrowseCategory> m_categories;
    QString m_selectedID;
};
