#include "PlayerChannels.h"

#include "Support/AssignIfChanged.h"

using namespace Qt::StringLiterals;

void PlayerChannels::showList(bool live, int count, std::optional<int> index)
{
    bool changed = assignIfChanged(m_live, live);
    changed |= assignIfChanged(m_count, count);
    changed |= assignIfChanged(m_index, index);
    if (changed)
        Q_EMIT listChanged();
}

bool PlayerChannels::showPanel(bool shown, bool animated)
{
    if (m_panelShown == shown)
        return false;
    if (assignIfChanged(m_panelAnimated, animated))
        Q_EMIT panelAnimatedChanged();
    m_panelShown = shown;
    Q_EMIT panelShownChanged();
    return true;
}

void PlayerChannels::setZapDigits(const QString &digits)
{
    if (assignIfChanged(m_zapDigits, digits))
        Q_EMIT zapDigitsChanged();
}

QString PlayerChannels::position() const
{
    if (!m_index || m_count < 2)
        return {};
    return QString::number(*m_index + 1) + u" of "_s + QString::number(m_count);
}
