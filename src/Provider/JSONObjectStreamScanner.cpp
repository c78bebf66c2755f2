#include "JSONObjectStreamScanner.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Most bytes of an item lie inside strings, so that is where the scanner must be fastest.
const char *findQuoteOrBackslash(const char *at, const char *end)
{
#ifdef __SSE2__
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    while (end - at >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const int mask = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, quote), _mm_cmpeq_epi8(block, backslash)));
        if (mask != 0)
            return at + __builtin_ctz(unsigned(mask));
        at += 16;
    }
#endif
    while (at < end && *at != '"' && *at != '\\')
        ++at;
    return at;
}

// Outside strings only quotes and braces matter; brackets are not counted.
const char *findQuoteOrBrace(const char *at, const char *end)
{
    while (at < end && *at != '"' && *at != '{' && *at != '}')
        ++at;
    return at;
}

} // namespace

qsizetype JSONObjectStreamScanner::append(QByteArrayView bytes)
{
    m_hasCompleted = false;
    m_completed = {};
    if (m_bufferHoldsCompleted) {
        m_buffer.resize(0);
        m_bufferHoldsCompleted = false;
    }

    qsizetype objectStart = 0; // where the unfinished object's bytes begin in this call
    if (m_depth == 0) {
        objectStart = findObjectStart(bytes);
        if (objectStart < 0)
            return bytes.size();
    }
    const QByteArrayView rest = bytes.sliced(objectStart);
    const qsizetype closedAt = followObject(rest);
    if (closedAt < 0) {
        m_buffer.append(rest);
        return bytes.size();
    }
    complete(bytes, objectStart, objectStart + closedAt);
    return objectStart + closedAt;
}

qsizetype JSONObjectStreamScanner::findObjectStart(QByteArrayView bytes)
{
    qsizetype at = 0;
    if (m_awaitingRoot) {
        while (at < bytes.size() && bytes[at] != '[' && bytes[at] != '{')
            ++at;
        if (at == bytes.size())
            return -1;
        m_awaitingRoot = false;
        m_rootByte = bytes[at];
        if (m_rootByte == '{')
            return at;
        ++at;
    } else if (m_rootByte != '[') {
        return -1; // an object root has closed: nothing after it can complete the document
    }
    const void *brace = std::memchr(bytes.data() + at, '{', size_t(bytes.size() - at));
    return brace ? static_cast<const char *>(brace) - bytes.data() : -1;
}

qsizetype JSONObjectStreamScanner::followObject(QByteArrayView bytes)
{
    const char *const begin = bytes.data();
    const char *const end = begin + bytes.size();
    const char *at = begin;
    if (m_depth == 0) {
        // `bytes` begins with the object's opening brace.
        m_depth = 1;
        m_inString = false;
        m_escaped = false;
        ++at;
    }
    while (at < end) {
        if (m_inString) {
            if (m_escaped) {
                m_escaped = false;
                ++at;
                continue;
            }
            at = findQuoteOrBackslash(at, end);
            if (at == end)
                break;
            if (*at == '"')
                m_inString = false;
            else
                m_escaped = true;
            ++at;
            continue;
        }
        at = findQuoteOrBrace(at, end);
        if (at == end)
            break;
        const char byte = *at++;
        if (byte == '"')
            m_inString = true;
        else if (byte == '{')
            ++m_depth;
        else if (--m_depth == 0)
            return at - begin;
    }
    return -1;
}

void JSONObjectStreamScanner::complete(QByteArrayView bytes, qsizetype objectStart, qsizetype objectEnd)
{
    m_hasCompleted = true;
    if (m_buffer.isEmpty()) {
        m_completed = bytes.sliced(objectStart, objectEnd - objectStart);
        return;
    }
    m_buffer.append(bytes.first(objectEnd));
    m_completed = m_buffer;
    m_bufferHoldsCompleted = true;
}
