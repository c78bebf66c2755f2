#include "GuideWheel.h"

#include "GuideGeometry.h"

#include <QWheelEvent>

#include <cmath>

namespace GuideWheel {

Scroll fromEvent(const QWheelEvent &event)
{
    Scroll scroll;
    scroll.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    scroll.precise = !event.pixelDelta().isNull();
    const QPointF delta = scroll.precise ? QPointF(event.pixelDelta()) : QPointF(event.angleDelta()) / 120.0;
    scroll.deltaX = delta.x();
    scroll.deltaY = delta.y();
    return scroll;
}

std::optional<double> minuteOffset(const Scroll &scroll, double offset, double visibleMinutes)
{
    // A mostly vertical move without Shift belongs to the channel list.
    if (!scroll.shift && !(std::abs(scroll.deltaY) < std::abs(scroll.deltaX)))
        return std::nullopt;
    const double delta = scroll.shift ? scroll.deltaY : scroll.deltaX;
    if (delta == 0 || !std::isfinite(delta))
        return std::nullopt;
    const double factor = scroll.precise ? 1 : 12;
    return GuideGeometry::scrolled(offset, -delta * factor / GuideGeometry::pointsPerMinute, visibleMinutes);
}

} // namespace GuideWheel
