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
// compressed bodies are decoded, and nothing is cached. Time-outs measure inactivity (no byte
// for that long), never the whole transfer, so a large guide is never cut off while it flows.
// Failures of the transport surface as TransportError, a stopped token as CancellationError;
// an exception thrown by a callback propagates out of the call unchanged.
namespace HttpClient {

// The most a whole body may hold once decoded. A broken or hostile server, or a compression
// bomb, would otherwise grow memory for as long as bytes keep arriving; streamed bodies are not
// held and have no limit.
constexpr qsizetype maximumBodyBytes = 64 * 1024 * 1024;

struct Request
{
    QUrl url;
    std::chrono::milliseconds inactivityTimeout{std::chrono::seconds(120)};
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
