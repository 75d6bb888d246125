#pragma once

#include "quoted/HttpRequest.h"
#include "base/UniqueFd.h"
#include "retrieval/WakePipe.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace listorix::quoted {

class QuoteService;

struct ServerSettings
{
    std::string bindAddress = "127.0.0.1";
    std::uint16_t port = 8080; // 0: any free port
    RequestLimits limits;
    std::chrono::milliseconds readTimeout{5000};   // for the whole request head
    std::chrono::milliseconds writeTimeout{10000}; // for the whole answer
    std::size_t maxConnections = 128;
};

// The service on a TCP socket: HTTP/1.0, one request per connection, each connection on
// a thread of its own. What a client sends is bounded in size and time; a bad request
// gets an error answer and never stops the server. Stopping ends every connection at once.
class QuoteServer final
{
public:
    QuoteServer(const QuoteService& service, ServerSettings settings);
    ~QuoteServer();
    QuoteServer(const QuoteServer&) = delete;
    QuoteServer& operator=(const QuoteServer&) = delete;

    // Binds, listens and starts serving; an error text when that fails, else empty.
    std::string start();
    // Ends serving; returns once every connection thread has ended. Safe to call twice.
    void stop();

    std::uint16_t port() const { return m_port; }
    // "127.0.0.1:8080" ("[::1]:8080" for IPv6).
    std::string address() const;

    // Called with "METHOD target -> status" for every answered request, from the
    // connection threads.
    void setRequestLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

private:
    struct Worker
    {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    // A turned-away connection whose "busy" answer has been sent: kept open until the
    // client closes (or briefly), so that the answer is not lost to a reset.
    struct Lingering
    {
        UniqueFd connection;
        std::chrono::steady_clock::time_point deadline;
    };
    enum class Wait
    {
        Ready,
        Timeout,
        Stopped,
        Failed
    };

    void acceptLoop();
    void reapFinished(bool all);
    void turnAway(UniqueFd connection);
    void serviceLingering(const std::vector<short>& events);
    void serve(UniqueFd connection);
    void respond(int fd, const std::string& bytes);
    Wait waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) const;

    const QuoteService& m_service;
    ServerSettings m_settings;
    UniqueFd m_listener;
    std::optional<WakePipe> m_wake; // woken once by stop(), never drained
    std::uint16_t m_port = 0;
    std::string m_host;
    bool m_ipv6 = false;
    std::thread m_acceptThread;
    std::list<Worker> m_workers;        // accept thread only
    std::vector<Lingering> m_lingering; // accept thread only
    std::function<void(const std::string&)> m_log;
};

} // namespace listorix::quoted
