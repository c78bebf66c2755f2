#include "MacVLCMediaEngine.h"

void MacVLCMediaEngine::setVideoFitMode(int mode)
{
    if (mode == m_videoFitMode)
        return;
    m_videoFitMode = mode;
    Q_EMIT videoFitModeChanged();
}
