#pragma once

#include "App/ToastMessage.h"

#include <QAbstractListModel>
#include <QList>
#include <QtQml/qqmlregistration.h>

class AppModel;

// The application model's notices as rows, newest first, for a list laid out from the bottom up:
// the newest lies lowest and older ones rise above it. Notices come and go one by one, and rows
// are inserted and removed one by one, so that each row can enter and leave on its own. Each row
// has its text and its kind's symbol and colour. The shell's view model keeps it
// (`AppShellModel.toasts`).
class ToastListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The shell's model keeps the notice rows.")

public:
    enum Role { IdRole = Qt::UserRole + 1, TextRole, SymbolRole, TintRole };
    Q_ENUM(Role)

    using QAbstractListModel::QAbstractListModel;

    // Lists the notices of `app` from now on; only the first application model counts.
    void follow(AppModel &app);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

private:
    // Removes the rows of notices that went, then puts the new ones in front.
    void update();

    AppModel *m_app = nullptr;
    QList<ToastMessage> m_rows;
};
