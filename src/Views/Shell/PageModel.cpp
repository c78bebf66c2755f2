#include "PageModel.h"

void PageModel::setReady()
{
    if (m_ready)
        return;
    m_ready = true;
    Q_EMIT readyChanged();
}
