#include "CategoryRowListModel.h"

#include "Support/NumberText.h"
#include "Support/TitleText.h"

int CategoryRowListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_categories.size());
}

QVariant CategoryRowListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const BrowseCategory &category = m_categories.at(index.row());
    switch (role) {
    case ProviderIdRole:
        return category.providerID;
    case Qt::DisplayRole:
    case TitleRole:
        return TitleText::isolated(category.name);
    case CountRole:
        return NumberText::grouped(category.itemCount);
    case LanguageRole:
        return category.language;
    case SelectedRole:
        return !m_selectedID.isEmpty() && category.providerID == m_selectedID;
    default:
        return {};
    }
}

QHash<int, QByteArray> CategoryRowListModel::roleNames() const
{
    return {
        {ProviderIdRole, "providerID"},
        {TitleRole, "title"},
        {CountRole, "count"},
        {LanguageRole, "language"},
        {SelectedRole, "selected"},
    };
}

void CategoryRowListModel::setRows(const QList<BrowseCategory> &categories, const QString &selectedID)
{
    if (categories != m_categories) {
        beginResetModel();
        m_categories = categories;
        m_selectedID = selectedID;
        endResetModel();
        return;
    }
    if (selectedID == m_selectedID)
        return;
    const int before = selectedRow();
    m_selectedID = selectedID;
    for (const int row : {before, selectedRow()}) {
        if (row >= 0)
            Q_EMIT dataChanged(index(row), index(row), {SelectedRole});
    }
}

int CategoryRowListModel::selectedRow() const
{
    if (m_selectedID.isEmpty())
        return -1;
    for (int row = 0; row < m_categories.size(); ++row) {
        if (m_categories.at(row).providerID == m_selectedID)
            return row;
    }
    return -1;
}
