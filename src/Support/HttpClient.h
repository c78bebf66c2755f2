#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QUrl>

#include <chrono>
#include <functional>
#include <stop_token>
#include <utility>

class QString;

// The program's one HTTP helper: GET requests over http and https, blocking on the calling
// worker thread (main-thread callers await it through an executor). Redirects are followed,
// compressed bodies are decoded, and nothing is cached. A whole body (get) must arrive within
// the request's time-out, counted from connecting to the last byte. A streamed body (stream)
// may take as long as it keeps flowing, so that a large guide is never cut off: it fails as
// timed out after a silence as long as the time-out (the wait for the response included), or,
// once the response has begun, when a stall window brings fewer than stallFloorBytes, so that
// a server that trickles its body, or stops sending without closing it, cannot hold the caller
// forever.
// Failures of the transport surface as TransportError, a stopped token as CancellationError;
// an exception thrown by a callback propagates out of the call unchanged.
namespace HttpClient {

// The most a whole body may hold once decoded. A broken or hostile server, or a compression
// bomb, would otherwise grow memory for as long as bytes keep arriving; streamed bodies are not
// held, and what reads them sets their limits.
constexpr qsizetype maximumBodyBytes = 64 * 1024 * 1024;

// A streamed body has stalled when a window this long brings fewer bytes than the floor, a
// rate far below that of any real transfer, however slow its line.
constexpr qsizetype stallFloorBytes = 1024;
constexpr std::chrono::milliseconds stallWindow{std::chrono::seconds(60)};

struct Request
{
    QUrl url;
    std::chrono::milliseconds timeout{std::chrono::seconds(120)};
    // Streams only; the windows follow each other from the response's first byte.
    std::chrono::milliseconds stallWindow = HttpClient::stallWindow;
};

// Called once with the final status before the first byte of the body is handed over (or when
// the transfer ends, for an empty body); throwing stops the transfer unread.
using StatusCheck = std::function<void(int status)>;
// Receives the body piece by piece; the transfer does not read on while it runs.
using ChunkConsumer = std::function<void(QByteArrayView chunk)>;

// The address with its query replaced by these items, in this order. Every character of a
// value except the unreserved ones is percent-encoded, so that "+", "&", "=", "#" and "%" in a
// password reach the server as they are (a bare "+" would arrive as a space).
[[nodiscard]] QUrl withQuery(QUrl url, const QList<std::pair<QString, QString>> &items);

// The whole body; OversizedBodyError once it decodes to more than maximumBodyBytes.
[[nodiscard]] QByteArray get(const Request &request, const StatusCheck &checkStatus, const std::stop_token &stop);
void stream(const Request &request, const StatusCheck &checkStatus, const ChunkConsumer &consume,
            const std::stop_token &stop);

} // namespace HttpClient
