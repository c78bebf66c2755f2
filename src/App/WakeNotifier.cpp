#include "WakeNotifier.h"

using namespace Qt::StringLiterals;

WakeNotifier::WakeNotifier(QDBusConnection bus, QObject *parent)
    : QObject(parent)
{
    if (bus.isConnected()) {
        bus.connect(u"org.freedesktop.login1"_s, u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s,
                    u"PrepareForSleep"_s, this, SLOT(prepareForSleep(bool)));
    }
}

void WakeNotifier::prepareForSleep(bool sleeping)
{
    if (!sleeping)
        Q_EMIT woke();
}
