#pragma once

#include "OrderedKeyListModel.h"

#include <QDateTime>
#include <QtQml/qqmlregistration.h>

// The time marks over the guide's grid, one row per half hour in and just around the visible
// window; a move of the time line shifts the marks that stay and adds or drops those at the ends.
class GuideRulerModel : public OrderedKeyListModel
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    enum Role {
        TextRole = Qt::UserRole + 1,
        XRole,
    };

    using OrderedKeyListModel::OrderedKeyListModel;

    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    void update(const QDateTime &dayStart, double offset, double visibleMinutes);

private:
    QDateTime m_dayStart;
    double m_offset = 0;
};
