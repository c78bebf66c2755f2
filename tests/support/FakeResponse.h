#pragma once

#include <QByteArray>
#include <QList>

#include <chrono>
#include <functional>
#include <utility>

// What the fake server sends for one request, and how it sends it: the status, the headers, a
// body produced piece by piece (so that hundreds of megabytes never sit in memory), and the
// delivery shapes that tests need (compression, pacing, a dropped connection, silence).
struct FakeResponse
{
    enum class Step { More, Done, Abort };
    // Appends the next piece of the body to `out`. Done ends the body cleanly (after `out`);
    // Abort drops the connection at once, as a server that dies mid-reply.
    using BodySource = std::function<Step(QByteArray &out)>;
    // About how much a generated body source appends at a time.
    static constexpr qsizetype sourcePieceBytes = 64 * 1024;

    int status = 200;
    QByteArray contentType = "application/json; charset=utf-8";
    QList<std::pair<QByteArray, QByteArray>> headers;
    BodySource body;
    // A known length goes out as Content-Length; otherwise the body is chunked.
    qint64 contentLength = -1;

    bool gzip = false;
    // Counted in body bytes as they go on the wire: drop the connection, or fall silent while
    // keeping it open, once this many have been sent (0: right after the headers).
    qint64 cutAfterBytes = -1;
    qint64 stallAfterBytes = -1;
    // Sends the body in pieces of this many bytes with a pause after each.
    qsizetype pieceBytes = 0;
    std::chrono::milliseconds pause{0};

    [[nodiscard]] static FakeResponse whole(int status, QByteArray body, QByteArray contentType);
};
