#include "BodyMeter.h"

#include "XtreamAPIError.h"

#include "Support/Logging.h"

void BodyMeter::countBytes(qsizetype bytes)
{
    m_bytes += bytes;
    if (m_bytes > m_limits.bytes) {
        qCWarning(lcXtream, "Refused a streamed body past its limit of %lld bytes", m_limits.bytes);
        throw XtreamAPIError::invalidResponse();
    }
}

void BodyMeter::countItem()
{
    if (m_items == m_limits.items) {
        qCWarning(lcXtream, "Refused a streamed body past its limit of %lld items", m_limits.items);
        throw XtreamAPIError::invalidResponse();
    }
    ++m_items;
}
