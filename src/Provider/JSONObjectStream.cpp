#include "JSONObjectStream.h"

#include "CancellableSlices.h"
#include "XtreamAPIError.h"

namespace {

bool isJSONWhitespace(char byte)
{
    return byte == ' ' || byte == '\n' || byte == '\r' || byte == '\t';
}

} // namespace

JSONObjectStream::JSONObjectStream(BatchConsumer consumer, BodyMeter::Limits limits)
    : m_consumer(std::move(consumer))
    , m_meter(limits)
{
    m_batch.reserve(batchSize);
}

void JSONObjectStream::feed(QByteArrayView chunk, const std::stop_token &stop)
{
    for (qsizetype at = chunk.size() - 1; at >= 0; --at) {
        if (!isJSONWhitespace(chunk[at])) {
            m_lastSignificantByte = chunk[at];
            break;
        }
    }
    forEachCancellableSlice(chunk, stop, [this](QByteArrayView slice) {
        m_meter.countBytes(slice.size());
        scan(slice);
    });
}

void JSONObjectStream::scan(QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        bytes = bytes.sliced(m_scanner.append(bytes));
        if (!m_scanner.hasCompletedObject()) {
            if (m_scanner.pendingObjectSize() > maximumObjectSize)
                throw XtreamAPIError::invalidResponse();
            continue;
        }
        const QByteArrayView object = m_scanner.completedObject();
        if (object.size() > maximumObjectSize)
            throw XtreamAPIError::invalidResponse();
        m_meter.countItem();
        m_batch.append(object.toByteArray());
        if (m_batch.size() == batchSize) {
            m_consumer(m_batch);
            m_batch.clear();
        }
    }
}

void JSONObjectStream::finish()
{
    if (!m_scanner.isBetweenArrayElements() || m_lastSignificantByte != ']') {
        m_batch.clear();
        throw XtreamAPIError::invalidResponse();
    }
    if (!m_batch.isEmpty()) {
        m_consumer(m_batch);
        m_batch.clear();
    }
}
