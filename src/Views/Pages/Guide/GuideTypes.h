#pragma once

#include "App/GuideState.h"

#include <QtQml/qqmlregistration.h>

// The application's guide state as the guide's views see it through the page's `state`. It
// lives in the core library, which knows nothing of QML, so it is registered here.
struct GuideStateForeign
{
    Q_GADGET
    QML_FOREIGN(GuideState)
    QML_NAMED_ELEMENT(GuideState)
    QML_UNCREATABLE("The application model keeps the guide's state.")
};
