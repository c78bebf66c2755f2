#pragma once

#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

class GuidePageModel;

Q_MOC_INCLUDE("GuidePageModel.h")

// The guide grid's scroll wheel: laid over the grid, it gives the time line the moves that are
// its own (GuidePageModel::wheelScroll()) and lets every other pass on to the channel list
// below. Whatever lies over the guide (its programme sheet, the detail page, the player) meets
// the wheel first, so the guide only ever moves under the pointer.
class GuideWheelArea : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(GuidePageModel *page READ page WRITE setPage NOTIFY pageChanged REQUIRED)

public:
    explicit GuideWheelArea(QQuickItem *parent = nullptr);

    [[nodiscard]] GuidePageModel *page() const { return m_page; }
    void setPage(GuidePageModel *page);

Q_SIGNALS:
    void pageChanged();

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    QPointer<GuidePageModel> m_page;
};
