#include "FakeMediaEngine.h"

#include <utility>

bool FakeMediaEngine::setMedia(const QUrl &url, const QStringList &options)
{
    if (!canMakeMedia)
        return false;
    mediaURL = url;
    mediaOptions = options;
    openedURLs.append(url);
    return true;
}

void FakeMediaEngine::play()
{
    ++playRequests;
}

void FakeMediaEngine::setTime(qint64 milliseconds)
{
    lastSeekMs = milliseconds;
    seekPending = true;
    // As the native player's, its time reads the target until its next report of its own.
    timeMs = milliseconds;
}

void FakeMediaEngine::selectAudioTrackAt(int index)
{
    for (qsizetype position = 0; position < audio.size(); ++position)
        audio[position].isSelected = position == index;
}

void FakeMediaEngine::selectTextTrackExclusively(const QString &id)
{
    for (Track &track : text)
        track.isSelected = track.id == id;
}

void FakeMediaEngine::deselectAllTextTracks()
{
    for (Track &track : text)
        track.isSelected = false;
}

void FakeMediaEngine::reportTime(qint64 milliseconds)
{
    if (std::exchange(seekPending, false))
        Q_EMIT seekCarriedOut();
    reportStaleTime(milliseconds);
}

void FakeMediaEngine::reportStaleTime(qint64 milliseconds)
{
    timeMs = milliseconds;
    Q_EMIT timeChanged();
}
