#include "FakeHttpServer.h"

#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <optional>
#include <stdexcept>

namespace {

constexpr qsizetype headerLimit = 64 * 1024;

bool sendAll(int socket, QByteArrayView data)
{
    while (!data.isEmpty()) {
        const ssize_t sent = ::send(socket, data.data(), size_t(data.size()), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        data = data.sliced(sent);
    }
    return true;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 302:
        return "Found";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 416:
        return "Range Not Satisfiable";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// Form decoding, as PHP reads a query: "+" is a space, then percent escapes.
QString formDecoded(QByteArray text)
{
    text.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text));
}

std::optional<FakeHttpRequest> parseRequest(const QByteArray &head)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    if (requestLine.size() != 3)
        return std::nullopt;
    FakeHttpRequest request;
    request.method = requestLine.at(0);
    const QByteArray target = requestLine.at(1);
    const qsizetype question = target.indexOf('?');
    request.rawPath = question < 0 ? target : target.left(question);
    request.path = QString::fromUtf8(QByteArray::fromPercentEncoding(request.rawPath));
    if (question >= 0) {
        request.rawQuery = target.mid(question + 1);
        for (const QByteArray &item : target.mid(question + 1).split('&')) {
            if (item.isEmpty())
                continue;
            const qsizetype equals = item.indexOf('=');
            request.query.append({formDecoded(equals < 0 ? item : item.left(equals)),
                                  equals < 0 ? QString() : formDecoded(item.mid(equals + 1))});
        }
    }
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QByteArray line = lines.at(index).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    return request;
}

// Streams gzip output of the body as it is produced.
class GzipEncoder final
{
public:
    GzipEncoder()
    {
        if (deflateInit2(&m_stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2 failed");
    }
    ~GzipEncoder() { deflateEnd(&m_stream); }
    GzipEncoder(const GzipEncoder &) = delete;
    GzipEncoder &operator=(const GzipEncoder &) = delete;

    QByteArray encode(QByteArrayView input, bool last)
    {
        QByteArray output;
        m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.data()));
        m_stream.avail_in = uInt(input.size());
        int result = Z_OK;
        do {
            char buffer[64 * 1024];
            m_stream.next_out = reinterpret_cast<Bytef *>(buffer);
            m_stream.avail_out = sizeof buffer;
            result = deflate(&m_stream, last ? Z_FINISH : Z_NO_FLUSH);
            output.append(buffer, qsizetype(sizeof buffer - m_stream.avail_out));
        } while (m_stream.avail_out == 0 || (last && result != Z_STREAM_END));
        return output;
    }

private:
    z_stream m_stream{};
};

} // namespace

struct FakeHttpServer::Connection
{
    int socket = -1;
    std::atomic<bool> finished{false};
    std::thread thread;
};

FakeHttpServer::FakeHttpServer(Handler handler)
    : m_handler(std::move(handler))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int enable = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &enable, sizeof enable);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(m_listener, 64) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(m_listener);
        throw std::runtime_error("the fake server could not listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_acceptThread = std::thread([this] { acceptLoop(); });
}

FakeHttpServer::~FakeHttpServer()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        for (const auto &connection : m_connections)
            ::shutdown(connection->socket, SHUT_RDWR);
    }
    m_stopped.notify_all();
    ::shutdown(m_listener, SHUT_RDWR);
    m_acceptThread.join();
    ::close(m_listener);
    for (const auto &connection : m_connections)
        connection->thread.join();
}

bool FakeHttpServer::pause(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_mutex);
    return !m_stopped.wait_for(lock, duration, [this] { return m_stopping.load(); });
}

void FakeHttpServer::acceptLoop()
{
    while (true) {
        const int socket = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        const int enable = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &enable, sizeof enable);
        std::lock_guard lock(m_mutex);
        if (m_stopping) {
            ::close(socket);
            return;
        }
        reapFinishedConnections();
        auto connection = std::make_unique<Connection>();
        connection->socket = socket;
        Connection &served = *connection;
        m_connections.push_back(std::move(connection));
        served.thread = std::thread([this, &served] { serve(served); });
    }
}

void FakeHttpServer::reapFinishedConnections()
{
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        if ((*it)->finished) {
            (*it)->thread.join();
            it = m_connections.erase(it);
        } else {
            ++it;
        }
    }
}

void FakeHttpServer::serve(Connection &connection)
{
    QByteArray pending;
    bool keepAlive = true;
    while (keepAlive && !m_stopping) {
        qsizetype headEnd = -1;
        while ((headEnd = pending.indexOf("\r\n\r\n")) < 0 && pending.size() < headerLimit) {
            char buffer[16 * 1024];
            const ssize_t received = ::recv(connection.socket, buffer, sizeof buffer, 0);
            if (received < 0 && errno == EINTR)
                continue;
            if (received <= 0)
                break;
            pending.append(buffer, received);
        }
        if (headEnd < 0)
            break;
        const std::optional<FakeHttpRequest> request = parseRequest(pending.left(headEnd));
        pending.remove(0, headEnd + 4);
        if (!request)
            break;
        FakeResponse response = m_handler(*request);
        keepAlive = deliver(connection.socket, *request, response)
            && request->headers.value("connection").toLower() != "close";
    }
    {
        // Closing under the lock keeps the destructor from shutting down a reused descriptor.
        std::lock_guard lock(m_mutex);
        ::close(connection.socket);
        connection.socket = -1;
    }
    connection.finished = true;
}

bool FakeHttpServer::deliver(int socket, const FakeHttpRequest &request, FakeResponse &response)
{
    const bool chunked = response.body && (response.contentLength < 0 || response.gzip);
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    if (chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else
        head += "Content-Length: " + QByteArray::number(response.body ? response.contentLength : 0) + "\r\n";
    if (response.gzip)
        head += "Content-Encoding: gzip\r\n";
    for (const auto &[name, value] : std::as_const(response.headers))
        head += name + ": " + value + "\r\n";
    head += "\r\n";
    if (!sendAll(socket, head))
        return false;
    if (!response.body || request.method == "HEAD")
        return true;

    std::optional<GzipEncoder> gzip;
    if (response.gzip)
        gzip.emplace();
    qint64 sent = 0;
    // Sends body bytes as they go on the wire, applying the response's delivery shape.
    // Returns false when the connection is to be dropped.
    const auto sendBody = [&](QByteArrayView data) {
        while (!data.isEmpty()) {
            QByteArrayView piece = response.pieceBytes > 0 ? data.first(std::min(data.size(), response.pieceBytes)) : data;
            data = data.sliced(piece.size());
            const QByteArray frame = chunked ? QByteArray::number(piece.size(), 16) + "\r\n" : QByteArray();
            for (const qint64 limit : {response.cutAfterBytes, response.stallAfterBytes}) {
                if (limit >= 0 && sent + piece.size() > limit)
                    piece = piece.first(limit - sent);
            }
            if (!sendAll(socket, frame) || !sendAll(socket, piece))
                return false;
            sent += piece.size();
            if (sent == response.cutAfterBytes)
                return false;
            if (sent == response.stallAfterBytes) {
                waitForClientToLeave(socket);
                return false;
            }
            if (chunked && !sendAll(socket, "\r\n"))
                return false;
            if (response.pause.count() > 0 && !pause(response.pause))
                return false;
        }
        return true;
    };

    if (response.stallAfterBytes == 0)
        waitForClientToLeave(socket);
    if (response.stallAfterBytes == 0 || response.cutAfterBytes == 0)
        return false;
    QByteArray piece;
    while (true) {
        piece.clear();
        const FakeResponse::Step step = response.body(piece);
        if (step == FakeResponse::Step::Abort)
            return false;
        const bool last = step == FakeResponse::Step::Done;
        const QByteArray encoded = gzip ? gzip->encode(piece, last) : QByteArray();
        if (!sendBody(gzip ? QByteArrayView(encoded) : QByteArrayView(piece)))
            return false;
        if (last)
            return !chunked || sendAll(socket, "0\r\n\r\n");
    }
}

void FakeHttpServer::waitForClientToLeave(int socket)
{
    while (!m_stopping) {
        pollfd watched{socket, POLLIN | POLLRDHUP, 0};
        if (::poll(&watched, 1, 50) > 0) {
            char byte;
            if (::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0 || (watched.revents & (POLLRDHUP | POLLHUP)))
                return;
        }
    }
}

FakeResponse FakeResponse::whole(int status, QByteArray body, QByteArray contentType)
{
    FakeResponse response;
    response.status = status;
    response.contentType = std::move(contentType);
    response.contentLength = body.size();
    response.body = [body = std::move(body)](QByteArray &out) {
        out = body;
        return Step::Done;
    };
    return response;
}

QString FakeHttpRequest::queryValue(const QString &name) const
{
    for (const auto &[key, value] : query) {
        if (key == name)
            return value;
    }
    return {};
}

bool FakeHttpRequest::hasQueryItem(const QString &name) const
{
    return std::any_of(query.begin(), query.end(), [&name](const auto &item) { return item.first == name; });
}
