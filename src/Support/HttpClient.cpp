#include "HttpClient.h"

#include "CancellationError.h"
#include "OversizedBodyError.h"
#include "TransportError.h"

#include <QScopeGuard>

#include <curl/curl.h>
#include <openssl/crypto.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <mutex>
#include <new>
#include <optional>

namespace {

using SteadyClock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr long maximumRedirects = 10;
constexpr long receiveBufferBytes = 256 * 1024;
// The longest wait between two looks at the time limits; cancellation does not wait for it,
// since a stop request wakes the wait at once.
constexpr milliseconds longestPoll{1000};

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Transfers run on pool threads, and a pool thread frees its session and its OpenSSL
        // state only after QThread::wait() has let it go, which can be after main() returned.
        // OpenSSL's clean-up at exit frees every thread's state without waiting for them, so
        // the two would free the same memory and corrupt the heap: leave the process's memory
        // to the system instead.
        OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr);
        curl_global_init(CURL_GLOBAL_DEFAULT);
    });
}

// A multi handle (which owns the connection pool) and an easy handle. Each thread keeps one,
// so that successive requests of an import reuse their connection to the provider.
class CurlSession final
{
public:
    CurlSession()
        : m_multi(curl_multi_init())
        , m_easy(curl_easy_init())
    {
        if (!m_multi || !m_easy) {
            curl_easy_cleanup(m_easy);
            curl_multi_cleanup(m_multi);
            throw std::bad_alloc();
        }
    }
    ~CurlSession()
    {
        curl_easy_cleanup(m_easy);
        curl_multi_cleanup(m_multi);
    }
    CurlSession(const CurlSession &) = delete;
    CurlSession &operator=(const CurlSession &) = delete;

    [[nodiscard]] CURLM *multi() const { return m_multi; }
    [[nodiscard]] CURL *easy() const { return m_easy; }

    bool inUse = false;

private:
    CURLM *m_multi;
    CURL *m_easy;
};

TransportError transportError(CURLcode code, long osError)
{
    using Kind = TransportError::Kind;
    const auto kind = [code, osError] {
        switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return Kind::CannotFindHost;
        case CURLE_COULDNT_RESOLVE_PROXY:
            return Kind::DnsLookupFailed;
        case CURLE_COULDNT_CONNECT:
            return osError == ENETUNREACH || osError == ENETDOWN ? Kind::NotConnectedToInternet
                                                                 : Kind::CannotConnectToHost;
        case CURLE_OPERATION_TIMEDOUT:
            return Kind::TimedOut;
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_PARTIAL_FILE:
        case CURLE_GOT_NOTHING:
            return Kind::NetworkConnectionLost;
        case CURLE_ABORTED_BY_CALLBACK:
            return Kind::Cancelled;
        default:
            return Kind::Other;
        }
    }();
    return TransportError(kind, int(code));
}

// The time limits of one transfer (see HttpClient.h): the whole exchange of a whole body, or
// the silences and stall windows of a streamed one.
class TimeLimits final
{
public:
    TimeLimits(const HttpClient::Request &request, bool wholeBody, SteadyClock::time_point start)
        : m_timeout(request.timeout)
        , m_stallWindow(request.stallWindow)
        , m_wholeBody(wholeBody)
        , m_deadline(start + request.timeout)
        , m_lastArrival(start)
    {
    }

    // Bytes of the response (headers or body) have arrived. The time the receiver then spent
    // on them, `handling`, is neither the server's silence nor its stall.
    void arrived(qsizetype bytes, SteadyClock::time_point now, SteadyClock::duration handling = {})
    {
        m_lastArrival = now;
        if (m_windowStart)
            *m_windowStart += handling;
        else
            m_windowStart = now;
        m_windowBytes += bytes;
    }

    // How long until a limit falls due; a limit that has passed ends the transfer as timed out.
    milliseconds remaining(SteadyClock::time_point now)
    {
        SteadyClock::time_point next = m_wholeBody ? m_deadline : m_lastArrival + m_timeout;
        if (!m_wholeBody && m_windowStart) {
            if (now >= *m_windowStart + m_stallWindow) {
                if (m_windowBytes < HttpClient::stallFloorBytes)
                    throw timedOut();
                m_windowStart = now;
                m_windowBytes = 0;
            }
            next = std::min(next, *m_windowStart + m_stallWindow);
        }
        if (now >= next)
            throw timedOut();
        return std::chrono::ceil<milliseconds>(next - now);
    }

private:
    static TransportError timedOut() { return TransportError(TransportError::Kind::TimedOut, CURLE_OPERATION_TIMEDOUT); }

    const milliseconds m_timeout;
    const milliseconds m_stallWindow;
    const bool m_wholeBody;
    const SteadyClock::time_point m_deadline;
    SteadyClock::time_point m_lastArrival;
    std::optional<SteadyClock::time_point> m_windowStart;
    qsizetype m_windowBytes = 0;
};

// One GET from the first byte sent to the last byte received.
class Transfer final
{
public:
    Transfer(const HttpClient::Request &request, const HttpClient::StatusCheck &checkStatus,
             const HttpClient::ChunkConsumer *consume, const std::stop_token &stop)
        : m_request(request)
        , m_checkStatus(checkStatus)
        , m_consume(consume)
        , m_stop(stop)
        , m_limits(request, consume == nullptr, SteadyClock::now())
    {
    }

    QByteArray run(CurlSession &session)
    {
        CancellationError::throwIfRequested(m_stop);
        configure(session.easy());
        if (curl_multi_add_handle(session.multi(), session.easy()) != CURLM_OK)
            throw TransportError(TransportError::Kind::Other, CURLE_FAILED_INIT);
        // Removing the handle also abandons an unfinished transfer and its connection.
        const auto detach = qScopeGuard([&session] { curl_multi_remove_handle(session.multi(), session.easy()); });
        const CURLcode result = perform(session.multi());
        if (m_failure)
            std::rethrow_exception(m_failure);
        if (result != CURLE_OK) {
            CancellationError::throwIfRequested(m_stop);
            long osError = 0;
            curl_easy_getinfo(session.easy(), CURLINFO_OS_ERRNO, &osError);
            throw transportError(result, osError);
        }
        if (!m_statusChecked)
            checkStatus();
        return std::move(m_body);
    }

private:
    void configure(CURL *easy)
    {
        m_easy = easy;
        curl_easy_reset(easy);
        const QByteArray url = m_request.url.toEncoded(QUrl::FullyEncoded);
        curl_easy_setopt(easy, CURLOPT_URL, url.constData());
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, maximumRedirects);
        curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
        curl_easy_setopt(easy, CURLOPT_USERAGENT, "Quillmere/" QUILLMERE_VERSION);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, receiveBufferBytes);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(m_request.timeout.count()));
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    }

    // Drives the transfer until it ends. Returns curl's result; cancellation and the time
    // limits end it early by throwing.
    CURLcode perform(CURLM *multi)
    {
        std::stop_callback wake(m_stop, [multi] { curl_multi_wakeup(multi); });
        while (true) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                return CURLE_FAILED_INIT;
            if (const std::optional<CURLcode> result = finishedResult(multi))
                return *result;
            CancellationError::throwIfRequested(m_stop);
            const milliseconds wait = std::min(m_limits.remaining(SteadyClock::now()), longestPoll);
            curl_multi_poll(multi, nullptr, 0, int(wait.count()), nullptr);
        }
    }

    static std::optional<CURLcode> finishedResult(CURLM *multi)
    {
        int remaining = 0;
        while (CURLMsg *message = curl_multi_info_read(multi, &remaining)) {
            if (message->msg == CURLMSG_DONE)
                return message->data.result;
        }
        return std::nullopt;
    }

    void checkStatus()
    {
        m_statusChecked = true;
        long status = 0;
        curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
        if (m_checkStatus)
            m_checkStatus(int(status));
    }

    static size_t onHeader(char *, size_t size, size_t count, void *context)
    {
        static_cast<Transfer *>(context)->m_limits.arrived(qsizetype(size * count), SteadyClock::now());
        return size * count;
    }

    static size_t onBody(char *data, size_t size, size_t count, void *context)
    {
        auto *transfer = static_cast<Transfer *>(context);
        const size_t length = size * count;
        const SteadyClock::time_point arrival = SteadyClock::now();
        if (transfer->m_stop.stop_requested())
            return CURL_WRITEFUNC_ERROR;
        try {
            if (!transfer->m_statusChecked)
                transfer->checkStatus();
            const QByteArrayView chunk(data, qsizetype(length));
            if (transfer->m_consume) {
                (*transfer->m_consume)(chunk);
            } else {
                if (chunk.size() > HttpClient::maximumBodyBytes - transfer->m_body.size())
                    throw OversizedBodyError();
                transfer->m_body.append(chunk);
            }
        } catch (...) {
            transfer->m_failure = std::current_exception();
            return CURL_WRITEFUNC_ERROR;
        }
        const SteadyClock::time_point handled = SteadyClock::now();
        transfer->m_limits.arrived(qsizetype(length), handled, handled - arrival);
        return length;
    }

    const HttpClient::Request &m_request;
    const HttpClient::StatusCheck &m_checkStatus;
    const HttpClient::ChunkConsumer *m_consume;
    const std::stop_token &m_stop;
    CURL *m_easy = nullptr;
    bool m_statusChecked = false;
    QByteArray m_body;
    std::exception_ptr m_failure;
    TimeLimits m_limits;
};

QByteArray transfer(const HttpClient::Request &request, const HttpClient::StatusCheck &checkStatus,
                    const HttpClient::ChunkConsumer *consume, const std::stop_token &stop)
{
    initialiseCurl();
    thread_local CurlSession threadSession;
    // A callback of a running transfer that starts another request gets a session of its own.
    std::optional<CurlSession> privateSession;
    CurlSession &session = threadSession.inUse ? privateSession.emplace() : threadSession;
    session.inUse = true;
    const auto release = qScopeGuard([&session] { session.inUse = false; });
    return Transfer(request, checkStatus, consume, stop).run(session);
}

} // namespace

namespace HttpClient {

QUrl withQuery(QUrl url, const QList<std::pair<QString, QString>> &items)
{
    QByteArray query;
    for (const auto &[name, value] : items) {
        if (!query.isEmpty())
            query += '&';
        query += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    url.setQuery(items.isEmpty() ? QString() : QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

QByteArray get(const Request &request, const StatusCheck &checkStatus, const std::stop_token &stop)
{
    return transfer(request, checkStatus, nullptr, stop);
}

void stream(const Request &request, const StatusCheck &checkStatus, const ChunkConsumer &consume,
            const std::stop_token &stop)
{
    transfer(request, checkStatus, &consume, stop);
}

} // namespace HttpClient
