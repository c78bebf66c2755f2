#include "ByteMarkerMatcher.h"

#include <QtGlobal>

#include <cstring>

ByteMarkerMatcher::ByteMarkerMatcher(QByteArrayView marker)
    : m_marker(marker)
{
    Q_ASSERT(!marker.isEmpty() && marker.sliced(1).indexOf(marker.front()) < 0);
}

qsizetype ByteMarkerMatcher::find(QByteArrayView bytes)
{
    qsizetype at = 0;
    if (m_matched > 0) {
        while (at < bytes.size() && m_matched < m_marker.size() && bytes[at] == m_marker[m_matched]) {
            ++at;
            ++m_matched;
        }
        if (m_matched == m_marker.size()) {
            m_matched = 0;
            return at;
        }
        if (at == bytes.size())
            return -1;
        m_matched = 0; // the failing byte may itself begin the marker
    }
    const qsizetype rest = bytes.size() - at;
    if (const void *found = memmem(bytes.data() + at, size_t(rest), m_marker.data(), size_t(m_marker.size())))
        return static_cast<const char *>(found) - bytes.data() + m_marker.size();
    // The bytes may end with the beginning of a marker; only its first byte can start one.
    const qsizetype tailStart = qMax(at, bytes.size() - m_marker.size() + 1);
    const QByteArrayView tail = bytes.sliced(tailStart);
    const qsizetype start = tail.lastIndexOf(m_marker.front());
    if (start >= 0 && m_marker.startsWith(tail.sliced(start)))
        m_matched = tail.size() - start;
    return -1;
}
