#include "GuideSelection.h"

QString GuideSelection::id() const
{
    return channel.id() + u'|' + programme.id();
}
