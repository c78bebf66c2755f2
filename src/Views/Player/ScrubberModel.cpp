#include "ScrubberModel.h"

#include "Support/AssignIfChanged.h"
#include "Support/TimeText.h"

#include <algorithm>

void ScrubberModel::setValue(double value)
{
    if (assignIfChanged(m_value, value))
        Q_EMIT geometryChanged();
}

void ScrubberModel::setTotal(double total)
{
    if (assignIfChanged(m_total, total))
        Q_EMIT geometryChanged();
}

void ScrubberModel::setEnabled(bool enabled)
{
    if (assignIfChanged(m_enabled, enabled))
        Q_EMIT geometryChanged();
}

void ScrubberModel::setWidth(double width)
{
    if (assignIfChanged(m_width, width))
        Q_EMIT geometryChanged();
}

double ScrubberModel::fraction() const
{
    return m_total > 0 ? std::clamp(m_value / m_total, 0.0, 1.0) : 0.0;
}

double ScrubberModel::labelX() const
{
    const double pointer = m_hoverX.value_or(0);
    return std::min(std::max(pointer - labelSlot / 2, 0.0), m_width - labelSlot);
}

double ScrubberModel::hoverPosition() const
{
    return positionAt(m_hoverX.value_or(0)).value_or(0);
}

QString ScrubberModel::hoverText() const
{
    return TimeText::timecode(hoverPosition());
}

std::optional<double> ScrubberModel::positionAt(double x) const
{
    if (!(m_width > 0))
        return std::nullopt;
    return m_total * std::clamp(x / m_width, 0.0, 1.0);
}

void ScrubberModel::hover(double x)
{
    const std::optional<double> hoverX = m_enabled ? std::optional(x) : std::nullopt;
    if (assignIfChanged(m_hoverX, hoverX))
        Q_EMIT geometryChanged();
}

void ScrubberModel::endHover()
{
    if (assignIfChanged(m_hoverX, std::nullopt))
        Q_EMIT geometryChanged();
}

void ScrubberModel::press(double x)
{
    move(x);
}

void ScrubberModel::move(double x)
{
    if (!canSeek())
        return;
    if (assignIfChanged(m_dragging, true))
        Q_EMIT geometryChanged();
    Q_EMIT scrubbed(*positionAt(x));
}

void ScrubberModel::release(double x)
{
    if (canSeek()) {
        if (assignIfChanged(m_dragging, false))
            Q_EMIT geometryChanged();
        Q_EMIT committed(*positionAt(x));
        return;
    }
    // The bar can no longer seek: a drag under way ends without a seek, so that the dragged
    // position is let go of and the bar follows playback again.
    cancel();
}

void ScrubberModel::cancel()
{
    if (assignIfChanged(m_dragging, false)) {
        Q_EMIT geometryChanged();
        Q_EMIT cancelled();
    }
}
