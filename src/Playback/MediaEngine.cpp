#include "MediaEngine.h"

#include "Support/AssignIfChanged.h"

void MediaEngine::setVideoFitMode(int mode)
{
    if (assignIfChanged(m_videoFitMode, mode))
        Q_EMIT videoFitModeChanged();
}
