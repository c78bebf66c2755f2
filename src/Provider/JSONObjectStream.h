#pragma once

#include "JSONObjectStreamScanner.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <stop_token>

// Reads a provider's list (one JSON array of objects) as its bytes arrive and hands the objects'
// texts on in batches of 100, so that a list of any length needs memory for one object and one
// batch only. The consumer runs in line: no bytes are examined while it works.
class JSONObjectStream
{
public:
    using BatchConsumer = std::function<void(const QList<QByteArray> &objectTexts)>;

    static constexpr qsizetype batchSize = 100;
    static constexpr qsizetype maximumObjectSize = 4 * 1024 * 1024;

    explicit JSONObjectStream(BatchConsumer consumer);

    // Examines the bytes in order. Throws CancellationError when the token is stopped (checked
    // for every chunk and every few thousand bytes), XtreamAPIError::invalidResponse() for an
    // object over 4 MiB, or whatever the consumer throws.
    void feed(QByteArrayView chunk, const std::stop_token &stop);
    // The end of the body: throws invalidResponse when the document is not a complete array (the
    // pending batch is dropped); otherwise hands over the last partial batch.
    void finish();

private:
    void scan(QByteArrayView bytes);

    BatchConsumer m_consumer;
    JSONObjectStreamScanner m_scanner;
    QList<QByteArray> m_batch;
    char m_lastSignificantByte = 0;
};
