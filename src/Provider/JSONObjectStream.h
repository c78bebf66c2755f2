#pragma once

#include "BodyMeter.h"
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
    // A list is refused past these, so that a provider that never closes its array cannot hold
    // a refresh, nor fill the disk with staged rows, for as long as it sends. The largest list
    // of a 1,000,000-item catalogue, which imports unchanged, holds some 670,000 films of about
    // 300 bytes (200 MB; series weigh up to 2 KiB an object): these allow seven times its
    // objects and ten times its bytes. The count bounds the rows staged from tiny objects.
    static constexpr qint64 maximumBodyBytes = qint64(2) * 1024 * 1024 * 1024;
    static constexpr qint64 maximumObjectCount = 5'000'000;
    static constexpr BodyMeter::Limits bodyLimits{maximumBodyBytes, maximumObjectCount};

    explicit JSONObjectStream(BatchConsumer consumer, BodyMeter::Limits limits = bodyLimits);

    // Examines the bytes in order. Throws CancellationError when the token is stopped (checked
    // for every chunk and every few thousand bytes), XtreamAPIError::invalidResponse() for an
    // object over 4 MiB or a body past its limits, or whatever the consumer throws.
    void feed(QByteArrayView chunk, const std::stop_token &stop);
    // The end of the body: throws invalidResponse when the document is not a complete array (the
    // pending batch is dropped); otherwise hands over the last partial batch.
    void finish();

private:
    void scan(QByteArrayView bytes);

    BatchConsumer m_consumer;
    JSONObjectStreamScanner m_scanner;
    BodyMeter m_meter;
    QList<QByteArray> m_batch;
    char m_lastSignificantByte = 0;
};
