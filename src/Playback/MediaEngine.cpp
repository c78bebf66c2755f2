#include "MediaEngine.h"

#include "Support/AssignIfChanged.h"

void MacVLCMediaEngine::setVideoFitMode(int mode)
{
    if (assignIfChanged(m_videoFitMode, mode))
        Q_EMIT videoFitModeChanged();
}
