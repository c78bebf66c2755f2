#include "CategoryRowModel.h"

#include "CategoryArrangement.h"

#include "Support/NumberText.h"
#include "Support/TitleText.h"

void CategoryRowModel::setRows(const QList<BrowseCategory> &rows, const QSet<QString> &hiddenLanguages)
{
    if (rows == m_rows && hiddenLanguages == m_hiddenLanguages)
        return;
    beginResetModel();
    m_rows = rows;
    m_hiddenLanguages = hiddenLanguages;
    endResetModel();
}

int CategoryRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CategoryRowModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const BrowseCategory &category = m_rows.at(index.row());
    switch (role) {
    case NameRole:
        return TitleText::isolated(category.name);
    case CountRole:
        return NumberText::grouped(category.itemCount);
    case DimmedRole:
        return CategoryArrangement::isHidden(category, m_hiddenLanguages);
    case OwnHiddenRole:
        return category.hidden;
    case BadgeRole:
        return m_hiddenLanguages.contains(category.language)
            ? CategoryArrangement::hiddenLanguageBadge(category.language)
            : QString();
    default:
        return {};
    }
}

QHash<int, QByteArray> CategoryRowModel::roleNames() const
{
    return {{NameRole, "name"}, {CountRole, "count"}, {DimmedRole, "dimmed"}, {OwnHiddenRole, "ownHidden"},
            {BadgeRole, "badge"}};
}
