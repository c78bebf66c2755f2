#pragma once

#include "FakeHttpRequest.h"
#include "FakeResponse.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

// A small HTTP/1.1 server on 127.0.0.1 (an ephemeral port) with a thread per connection, so
// that it serves several clients at once and streams large bodies at loopback speed. It asks
// its handler what to answer and delivers that; it knows nothing of the provider protocol.
class FakeHttpServer final
{
public:
    using Handler = std::function<FakeResponse(const FakeHttpRequest &)>;

    explicit FakeHttpServer(Handler handler);
    ~FakeHttpServer();

    FakeHttpServer(const FakeHttpServer &) = delete;
    FakeHttpServer &operator=(const FakeHttpServer &) = delete;

    [[nodiscard]] quint16 port() const { return m_port; }

    // Waits up to `duration`; false when the server is shutting down. Body sources that pace
    // themselves wait through this so that shutdown never waits for them.
    bool pause(std::chrono::milliseconds duration);

private:
    struct Connection;

    void acceptLoop();
    void serve(Connection &connection);
    bool deliver(int socket, const FakeHttpRequest &request, FakeResponse &response);
    void waitForClientToLeave(int socket);
    void reapFinishedConnections();

    Handler m_handler;
    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    std::condition_variable m_stopped;
    std::list<std::unique_ptr<Connection>> m_connections;
    std::thread m_acceptThread;
};
