#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Cuts the top-level JSON array of a provider's list into one text per object while the bytes
// arrive, without parsing: it only follows strings (with their escapes) and counts braces. Text
// before the document (a byte-order mark, stray output of the provider's scripts) and scalar
// elements of the array are skipped. A document whose root is an object yields that object once.
class JSONObjectStreamScanner
{
public:
    // Examines bytes from the front until an object closes or the bytes run out, and returns
    // how many it examined. After a call that closed an object, completedObject() holds its text.
    [[nodiscard]] qsizetype append(QByteArrayView bytes);

    [[nodiscard]] bool hasCompletedObject() const { return m_hasCompleted; }
    // Valid until the next call of append, and only as long as the bytes given to that call.
    [[nodiscard]] QByteArrayView completedObject() const { return m_completed; }
    // How many bytes of an unfinished object have been kept so far.
    [[nodiscard]] qsizetype pendingObjectSize() const { return m_depth > 0 ? m_buffer.size() : 0; }
    // The root is an array and the scanner stands between its elements: every object opened so
    // far was closed. Together with a final "]" this makes a complete document.
    [[nodiscard]] bool isBetweenArrayElements() const
    {
        return !m_awaitingRoot && m_rootByte == '[' && m_depth == 0 && !m_inString;
    }

private:
    // Searches where an object opens; returns the offset of its "{", or -1.
    qsizetype findObjectStart(QByteArrayView bytes);
    // Follows the bytes of an open object; returns the offset just past its closing brace, or -1.
    qsizetype followObject(QByteArrayView bytes);
    void complete(QByteArrayView bytes, qsizetype objectStart, qsizetype objectEnd);

    char m_rootByte = 0;
    bool m_awaitingRoot = true;
    qint64 m_depth = 0;
    bool m_inString = false;
    bool m_escaped = false;
    // The beginning of an object that spans calls; keeps its capacity from one object to the next.
    QByteArray m_buffer;
    bool m_bufferHoldsCompleted = false;
    bool m_hasCompleted = false;
    QByteArrayView m_completed;
};
