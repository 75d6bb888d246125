#pragma once

#include "base/UniqueFd.h"
#include "base/WakePipe.h"
#include "quoted/Connection.h"
#include "quoted/HttpRequest.h"

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
class TlsContext;

struct ServerSettings
{
    std::string bindAddress = "127.0.0.1";
    std::uint16_t port = 8080; // 0: any free port
    RequestLimits limits;
    std::chrono::milliseconds readTimeout{5000};   // from connecting to the end of the request
    std::chrono::milliseconds writeTimeout{10000}; // for the whole answer
    std::size_t maxConnections = 128;              // requests being answered at once, each on a thread
    std::size_t maxWaiting = 512;                  // connections whose request is still arriving
    std::shared_ptr<const TlsContext> tls;         // HTTPS with this certificate; none: plain HTTP
};

// The service on a TCP socket: HTTP/1.0, one request per connection. One thread reads
// every request as it arrives (waiting costs no thread, so slow clients cannot crowd out
// the others); a complete request is answered on a thread of its own. What a client
// sends is bounded in size and time; a bad request gets an error answer and never stops
// the server. Stopping ends every connection at once.
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
    bool secure() const { return m_settings.tls != nullptr; }
    // "127.0.0.1:8080" ("[::1]:8080" for IPv6).
    std::string address() const;

    // Called with "METHOD target -> status" for every answered request, from the
    // server's threads.
    void setRequestLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

private:
    struct Worker
    {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    // A connection whose request is still arriving.
    struct Waiting
    {
        Connection connection;
        RequestReader reader;
        std::chrono::steady_clock::time_point deadline;
        short events; // to poll for
    };
    // A connection whose answer has been sent by the reading thread (a refusal): kept
    // open until the client closes (or briefly), so that the answer is not lost to a reset.
    struct Lingering
    {
        Connection connection;
        std::chrono::steady_clock::time_point deadline;
        short events; // to poll for
    };
    enum class Wait
    {
        Ready,
        Timeout,
        Stopped,
        Failed
    };

    void eventLoop();
    int pollTimeout() const;
    void acceptNew();
    void serviceWaiting(const std::vector<short>& events);
    // Reads what has arrived; false when the connection is done with (answered or dropped).
    bool readRequest(Waiting& waiting);
    void startAnswering(Connection connection, HttpRequest request);
    void refuse(Connection connection, int status, std::string_view reason, const std::string& logLine);
    void sendAndLinger(Connection connection, const std::string& bytes);
    void serviceLingering(const std::vector<short>& events);
    void reapFinished(bool all);
    void serve(Connection connection, const HttpRequest& request);
    void respond(Connection& connection, const std::string& bytes);
    Wait waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) const;
    void log(const std::string& line) const;

    const QuoteService& m_service;
    ServerSettings m_settings;
    UniqueFd m_listener;
    std::optional<WakePipe> m_wake; // woken once by stop(), never drained
    std::uint16_t m_port = 0;
    std::string m_host;
    bool m_ipv6 = false;
    std::thread m_loopThread;
    std::list<Worker> m_workers;        // loop thread only
    std::vector<Waiting> m_waiting;     // loop thread only
    std::vector<Lingering> m_lingering; // loop thread only
    std::function<void(const std::string&)> m_log;
};

} // namespace listorix::quoted
