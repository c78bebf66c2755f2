#pragma once

#include "Support/CancellationError.h"

#include <QByteArrayView>

#include <stop_token>

// The streamed readers look at cancellation for every chunk and between slices of this size,
// whatever size the transport's chunks have.
inline constexpr qsizetype cancellationSliceSize = 16 * 1024;

// Hands a chunk to `handle` in slices; throws CancellationError when the token is stopped before
// the first slice or after any of them.
template<typename Handler>
void forEachCancellableSlice(QByteArrayView chunk, const std::stop_token &stop, Handler &&handle)
{
    CancellationError::throwIfRequested(stop);
    while (!chunk.isEmpty()) {
        const qsizetype length = qMin(chunk.size(), cancellationSliceSize);
        handle(chunk.first(length));
        chunk = chunk.sliced(length);
        CancellationError::throwIfRequested(stop);
    }
}
