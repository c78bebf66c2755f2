#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <optional>

// What the playback log keeps of libVLC's warnings and errors. libVLC repeats itself by the
// thousand: a missing sound device is tried again for every block of audio, and each picture
// format it cannot convert fails a dozen ways. So each message is written the first time it comes
// in a playback and its repeats are counted, and the counts are written when the playback ends.
// Every failure of the audio output counts as one message. A word that may be an address is never
// written: a provider's stream address carries the login.
class LibVlcMessageLog final
{
public:
    // Any thread: the line to write for a message from a libVLC object of that type; none when
    // it was already written in this playback.
    [[nodiscard]] std::optional<QString> take(const QString &objectType, const QString &text);
    // The repeat counts of the playback that ended, as lines to write; the next playback starts
    // counting afresh.
    [[nodiscard]] QStringList endPlayback();

private:
    struct Written
    {
        QString line;
        qint64 repeats = 0;
    };

    QMutex m_mutex;
    QHash<QString, Written> m_written;
    // The keys of m_written in the order their messages first came.
    QStringList m_order;
};
