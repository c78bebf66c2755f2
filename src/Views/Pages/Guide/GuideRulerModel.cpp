#include "GuideRulerModel.h"

#include "GuideGeometry.h"
#include "Support/TimeText.h"

QVariant GuideRulerModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int minute = keys().at(index.row());
    switch (role) {
    case TextRole:
        return TimeText::time(m_dayStart.addSecs(qint64(minute) * 60));
    case XRole:
        return GuideGeometry::markX(minute, m_offset);
    default:
        return {};
    }
}

QHash<int, QByteArray> GuideRulerModel::roleNames() const
{
    return {{TextRole, "label"}, {XRole, "position"}};
}

void GuideRulerModel::update(const QDateTime &dayStart, double offset, double visibleMinutes)
{
    const bool newDay = dayStart != m_dayStart;
    const bool moved = offset != m_offset;
    m_dayStart = dayStart;
    m_offset = offset;
    setKeys(GuideGeometry::rulerMarks(offset, visibleMinutes));
    if (newDay)
        rolesChanged({TextRole});
    if (moved)
        rolesChanged({XRole});
}
