#pragma once

#include "App/CountedListModel.h"
#include "Catalogue/CatalogueModels.h"

#include <QList>
#include <QtQml/qqmlregistration.h>

// Rows of the watch history that the user can continue: each row shows its item (for an
// episode, the series) under the same role names as every list of items, with the row's own
// identity, the line under its title and how far it was watched.
class LibraryEntryListModel : public CountedListModel
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    enum Role {
        EntryIdRole = Qt::UserRole + 100,
        ResumeLineRole,
        // 0 to 1, or undefined for no progress bar.
        ProgressRole,
    };
    Q_ENUM(Role)

    using CountedListModel::CountedListModel;

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    [[nodiscard]] const QList<LibraryEntry> &entries() const { return m_entries; }
    // Replaces every row; an equal list changes nothing.
    void setEntries(const QList<LibraryEntry> &entries);

private:
    QList<LibraryEntry> m_entries;
};
