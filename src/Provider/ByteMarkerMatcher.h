#pragma once

#include <QByteArrayView>

// Finds a fixed marker in a byte stream that arrives in pieces, including a marker split across
// pieces. The marker's first byte must occur nowhere else in it ("<programme", "</tv>"), which
// lets a failed partial match resume at the failing byte.
class ByteMarkerMatcher
{
public:
    explicit ByteMarkerMatcher(QByteArrayView marker);

    // Searches the bytes, continuing a partial match left by the previous call. Returns the
    // offset just past the marker's last byte, or -1 when the bytes ran out; a partial match at
    // their end is remembered.
    [[nodiscard]] qsizetype find(QByteArrayView bytes);
    void reset() { m_matched = 0; }

private:
    QByteArrayView m_marker;
    // How many bytes of the marker the bytes seen so far end with.
    qsizetype m_matched = 0;
};
