#include "PlayerVolume.h"

#include "Playback/MediaEngine.h"
#include "Support/AssignIfChanged.h"

using namespace Qt::StringLiterals;

double PlayerVolume::levelOf(const MediaEngine *engine)
{
    if (!engine || !engine->hasAudio())
        return 1.0;
    return double(float(engine->volume()) / 100.0f);
}

void PlayerVolume::update(const MediaEngine *engine)
{
    bool changed = assignIfChanged(m_level, levelOf(engine));
    changed |= assignIfChanged(m_muted, engine && engine->hasAudio() && engine->isMuted());
    if (changed)
        Q_EMIT this->changed();
}

QString PlayerVolume::symbol() const
{
    if (m_muted || m_level == 0)
        return u"speaker.slash.fill"_s;
    return m_level < 0.5 ? u"speaker.wave.1.fill"_s : u"speaker.wave.2.fill"_s;
}
