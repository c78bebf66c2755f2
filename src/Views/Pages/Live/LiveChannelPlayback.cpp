#include "LiveChannelPlayback.h"

#include "App/AppModel.h"

#include <QCoroTask>
#include <QPointer>

namespace {

QCoro::Task<void> playWithQueue(QPointer<AppModel> app, MediaItem channel)
{
    const QList<MediaItem> channels = co_await app->live()->channelQueue();
    if (app)
        app->play(channel, channels, true);
}

} // namespace

namespace LiveChannelPlayback {

void play(AppModel &app, const MediaItem &channel)
{
    playWithQueue(QPointer(&app), channel);
}

} // namespace LiveChannelPlayback
