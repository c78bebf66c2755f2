#pragma once

#include <QtGlobal>

// Counts one streamed body of provider data against its limits while a reader reads it: the
// bytes read (after decompression) and the items handed over (list objects, guide
// programmes). A body that passes either has no end in sight and is refused as unreadable: the
// bytes bound the time and bandwidth a refresh spends on it, the items the rows it stages on
// disk, which a body of tiny items would otherwise multiply within the same bytes.
class BodyMeter final
{
public:
    struct Limits
    {
        qint64 bytes = 0;
        qint64 items = 0;
    };

    explicit BodyMeter(Limits limits)
        : m_limits(limits)
    {
    }

    // Each throws XtreamAPIError::invalidResponse() once the body holds more than its limit;
    // an item past the limit is not counted, so that the count is that of the items handed over.
    void countBytes(qsizetype bytes);
    void countItem();

    [[nodiscard]] qint64 itemCount() const { return m_items; }

private:
    Limits m_limits;
    qint64 m_bytes = 0;
    qint64 m_items = 0;
};
