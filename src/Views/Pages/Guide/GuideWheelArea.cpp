#include "GuideWheelArea.h"

#include "GuidePageModel.h"
#include "GuideWheel.h"

#include <QWheelEvent>

GuideWheelArea::GuideWheelArea(QQuickItem *parent)
    : QQuickItem(parent)
{
}

void GuideWheelArea::setPage(GuidePageModel *page)
{
    if (m_page == page)
        return;
    m_page = page;
    Q_EMIT pageChanged();
}

void GuideWheelArea::wheelEvent(QWheelEvent *event)
{
    if (!m_page || !m_page->wheelScroll(GuideWheel::fromEvent(*event)))
        event->ignore();
}
