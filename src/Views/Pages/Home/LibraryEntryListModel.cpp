#include "LibraryEntryListModel.h"

#include "App/MediaItemListModel.h"
#include "HomeText.h"

int LibraryEntryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant LibraryEntryListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const LibraryEntry &entry = m_entries.at(index.row());
    switch (role) {
    case EntryIdRole:
        return entry.id();
    case ResumeLineRole:
        return HomeText::resumeLine(entry);
    case ProgressRole: {
        const std::optional<double> fraction = HomeText::progress(entry);
        return fraction ? QVariant(*fraction) : QVariant();
    }
    default:
        return MediaItemListModel::itemData(entry.item, role);
    }
}

QHash<int, QByteArray> LibraryEntryListModel::roleNames() const
{
    QHash<int, QByteArray> names = MediaItemListModel::itemRoleNames();
    names.insert(EntryIdRole, "entryID");
    names.insert(ResumeLineRole, "resumeLine");
    names.insert(ProgressRole, "progress");
    return names;
}

void LibraryEntryListModel::setEntries(const QList<LibraryEntry> &entries)
{
    if (entries == m_entries)
        return;
    beginResetModel();
    m_entries = entries;
    endResetModel();
}
