#pragma once

#include <optional>

class QWheelEvent;

// How the guide turns scroll-wheel and trackpad events into moves of its time line. Vertical
// scrolling is left to the channel list; Shift turns a vertical wheel into a time-line move.
namespace GuideWheel {

struct Scroll
{
    bool shift = false;
    // Trackpads report points; wheels report notches, each worth 12 points here.
    bool precise = false;
    double deltaX = 0;
    double deltaY = 0;
};

// A Qt wheel event as a scroll: pixel deltas when the device sends them, else the angle in
// notches (120 eighths of a degree each).
[[nodiscard]] Scroll fromEvent(const QWheelEvent &event);

// The new minute offset of the time line for a scroll, held within 0 and the largest offset; none
// when the scroll is not the time line's and passes on to the list.
[[nodiscard]] std::optional<double> minuteOffset(const Scroll &scroll, double offset, double visibleMinutes);

} // namespace GuideWheel
