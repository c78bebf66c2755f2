#include "LibVlcMessageLog.h"

#include "Support/Logging.h"

#include <QMutexLocker>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// A playback that says more different things than this has its further messages written each
// time, so that what is remembered stays small.
constexpr qsizetype rememberedMessages = 256;

// The decoder names the audio output when it cannot make one; everything else comes from it.
bool isAudioOutputFailure(const QString &objectType, const QString &text)
{
    return objectType == "audio output"_L1 || text.contains("audio output"_L1, Qt::CaseInsensitive);
}

// Messages that differ only in their numbers ("late by 40 ms", "late by 80 ms") are one message,
// whichever part of libVLC said it.
QString keyOf(const QString &text)
{
    static const QRegularExpression number(u"\\d+"_s);
    return QString(text).replace(number, u"#"_s);
}

// The message on one line, with each word that may be an address replaced.
QString printable(const QString &text)
{
    QStringList words = text.simplified().split(u' ');
    for (QString &word : words) {
        if (word.contains(u'/') || word.contains(u'@'))
            word = Logging::redacted(word);
    }
    return words.join(u' ');
}

} // namespace

std::optional<QString> LibVlcMessageLog::take(const QString &objectType, const QString &text)
{
    const bool audioOutput = isAudioOutputFailure(objectType, text);
    // Every failure of the audio output is one message: the device that cannot be opened.
    const QString key = audioOutput ? u"audio output"_s : keyOf(text);
    const QMutexLocker locker(&m_mutex);
    if (const auto written = m_written.find(key); written != m_written.end()) {
        ++written->repeats;
        return std::nullopt;
    }
    QString line = (audioOutput ? u"Audio output failed: "_s : QString()) + printable(text);
    if (m_written.size() < rememberedMessages) {
        m_written.insert(key, {line, 0});
        m_order.append(key);
    }
    return line;
}

QStringList LibVlcMessageLog::endPlayback()
{
    const QMutexLocker locker(&m_mutex);
    QStringList lines;
    for (const QString &key : std::as_const(m_order)) {
        const Written &written = m_written[key];
        if (written.repeats > 0)
            lines.append(u"%1 (repeated %2 more times)"_s.arg(written.line).arg(written.repeats));
    }
    m_written.clear();
    m_order.clear();
    return lines;
}
