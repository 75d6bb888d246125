#include "quoted/QuoteServer.h"

#include "base/PosixIo.h"
#include "quoted/HttpResponse.h"
#include "quoted/QuoteService.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>

namespace listorix::quoted {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr std::size_t kReadChunk = 4096;
// After answering, what the client still sends is read and dropped for a moment, so that
// closing does not reset the connection before the client has read the answer.
constexpr std::chrono::milliseconds kLingerTime{1000};
constexpr std::size_t kLingerBytes = 65536;
constexpr std::size_t kMaxLingering = 64;

// What failed and the system's explanation of errno.
std::string failure(const std::string& what)
{
    const int error = errno;
    return what + ": " + errnoText(error);
}

} // namespace

QuoteServer::QuoteServer(const QuoteService& service, ServerSettings settings)
    : m_service(service), m_settings(std::move(settings))
{
}

QuoteServer::~QuoteServer()
{
    stop();
}

std::string QuoteServer::address() const
{
    return (m_ipv6 ? '[' + m_host + ']' : m_host) + ':' + std::to_string(m_port);
}

std::string QuoteServer::start()
{
    if (m_acceptThread.joinable())
        return "already serving";

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(m_settings.port);
    if (const int rc = ::getaddrinfo(m_settings.bindAddress.c_str(), service.c_str(), &hints, &found);
        rc != 0)
        return "cannot resolve " + m_settings.bindAddress + ": " + ::gai_strerror(rc);
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, &::freeaddrinfo);

    UniqueFd listener(::socket(found->ai_family, found->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!listener.valid())
        return failure("socket");
    const int yes = 1;
    ::setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (::bind(listener.get(), found->ai_addr, found->ai_addrlen) != 0)
        return failure("cannot bind " + m_settings.bindAddress + " port " + service);
    if (::listen(listener.get(), 128) != 0)
        return failure("listen");

    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&bound), &length) != 0)
        return failure("getsockname");
    char host[INET6_ADDRSTRLEN] = {};
    if (bound.ss_family == AF_INET6) {
        const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&bound);
        ::inet_ntop(AF_INET6, &in6->sin6_addr, host, sizeof host);
        m_port = ntohs(in6->sin6_port);
        m_ipv6 = true;
    } else {
        const auto* in4 = reinterpret_cast<const sockaddr_in*>(&bound);
        ::inet_ntop(AF_INET, &in4->sin_addr, host, sizeof host);
        m_port = ntohs(in4->sin_port);
    }
    m_host = host;

    try {
        m_wake.emplace();
    } catch (const std::system_error& error) {
        return error.what();
    }
    m_listener = std::move(listener);
    m_acceptThread = std::thread([this] { acceptLoop(); });
    return {};
}

void QuoteServer::stop()
{
    if (!m_acceptThread.joinable())
        return;
    // The pipe is never drained: every poll that includes it wakes, now and later.
    m_wake->wake();
    m_acceptThread.join();
    m_listener.reset();
}

QuoteServer::Wait QuoteServer::waitFor(int fd, short events, SteadyClock::time_point deadline) const
{
    while (true) {
        // Rounded up, so that a wait never ends before its deadline.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
        if (left.count() <= 0)
            return Wait::Timeout;
        pollfd fds[2] = {{fd, events, 0}, {m_wake->readFd(), POLLIN, 0}};
        const int rc = ::poll(fds, 2, static_cast<int>(std::min<long long>(left.count(), 60000)));
        if (rc < 0) {
            if (errno == EINTR)
                continue;
            return Wait::Failed;
        }
        if (fds[1].revents != 0)
            return Wait::Stopped;
        if (fds[0].revents != 0)
            return Wait::Ready;
    }
}

void QuoteServer::acceptLoop()
{
    std::vector<pollfd> fds;
    std::vector<short> lingeringEvents;
    while (true) {
        fds.assign({{m_listener.get(), POLLIN, 0}, {m_wake->readFd(), POLLIN, 0}});
        for (const Lingering& lingering : m_lingering)
            fds.push_back({lingering.connection.get(), POLLIN, 0});
        const int rc = ::poll(fds.data(), fds.size(), m_lingering.empty() ? 1000 : 100);
        if (rc < 0 && errno != EINTR)
            break;
        if (fds[1].revents != 0)
            break;
        reapFinished(false);
        lingeringEvents.clear();
        for (std::size_t i = 2; i < fds.size(); ++i)
            lingeringEvents.push_back(rc > 0 ? fds[i].revents : 0);
        serviceLingering(lingeringEvents);
        if (rc <= 0 || fds[0].revents == 0)
            continue;

        UniqueFd connection(::accept4(m_listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!connection.valid()) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // Out of descriptors: give running connections a moment to end.
                pollfd wake = {m_wake->readFd(), POLLIN, 0};
                ::poll(&wake, 1, 50);
            }
            continue;
        }
        if (m_workers.size() >= m_settings.maxConnections) {
            turnAway(std::move(connection));
            continue;
        }
        try {
            auto finished = std::make_shared<std::atomic<bool>>(false);
            m_workers.push_back({std::thread(), finished});
            auto worker = [this, finished, fd = std::make_shared<UniqueFd>(std::move(connection))] {
                try {
                    serve(std::move(*fd));
                } catch (...) {
                    // A connection that fails (out of memory) is dropped; the server goes on.
                }
                finished->store(true);
            };
            try {
                m_workers.back().thread = std::thread(std::move(worker));
            } catch (...) {
                m_workers.pop_back();
            }
        } catch (...) {
            // No room for another connection: it is closed with its UniqueFd.
        }
    }
    reapFinished(true);
    m_lingering.clear();
}

void QuoteServer::turnAway(UniqueFd connection)
{
    const std::string busy = errorResponse(503, "Too many connections; try again.").serialize();
    [[maybe_unused]] const auto sent = ::send(connection.get(), busy.data(), busy.size(), MSG_NOSIGNAL);
    ::shutdown(connection.get(), SHUT_WR);
    if (m_lingering.size() < kMaxLingering)
        m_lingering.push_back({std::move(connection), SteadyClock::now() + kLingerTime});
}

void QuoteServer::serviceLingering(const std::vector<short>& events)
{
    // Events belong to the first events.size() entries; later ones joined after the poll.
    const auto now = SteadyClock::now();
    char chunk[kReadChunk];
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_lingering.size(); ++i) {
        bool done = now >= m_lingering[i].deadline;
        if (!done && i < events.size() && events[i] != 0) {
            const ssize_t n = ::recv(m_lingering[i].connection.get(), chunk, sizeof chunk, 0);
            done = n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
        }
        if (!done) {
            if (kept != i)
                m_lingering[kept] = std::move(m_lingering[i]);
            ++kept;
        }
    }
    m_lingering.resize(kept);
}

void QuoteServer::reapFinished(bool all)
{
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (all || it->finished->load()) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

void QuoteServer::serve(UniqueFd connection)
{
    const int fd = connection.get();
    const auto readDeadline = SteadyClock::now() + m_settings.readTimeout;
    std::string received;
    std::size_t headEnd = std::string::npos;
    int refusal = 0;
    char chunk[kReadChunk];

    while ((headEnd = findHeadEnd(received)) == std::string::npos) {
        if ((refusal = checkPartialHead(received, m_settings.limits)) != 0)
            break;
        const Wait wait = waitFor(fd, POLLIN, readDeadline);
        if (wait == Wait::Stopped || wait == Wait::Failed)
            return;
        if (wait == Wait::Timeout) {
            refusal = 408;
            break;
        }
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n == 0) {
            if (received.find_first_not_of("\r\n") == std::string::npos)
                return; // connected and left without a request
            refusal = 400;
            break;
        }
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            return;
        }
        received.append(chunk, static_cast<std::size_t>(n));
    }

    HttpResponse response;
    bool headOnly = false;
    std::string logLine;
    if (refusal != 0) {
        response = errorResponse(refusal, refusal == 408   ? "The request did not arrive in time."
                                          : refusal == 400 ? "The request ended before its header did."
                                                           : "The request is too large.");
        logLine = "(unreadable request)";
    } else {
        const ParsedHead parsed =
            parseRequestHead(std::string_view(received).substr(0, headEnd), m_settings.limits);
        if (parsed.request) {
            response = m_service.answer(*parsed.request);
            headOnly = parsed.request->method == "HEAD";
            logLine = parsed.request->method + ' ' + parsed.request->target;
        } else {
            response = errorResponse(parsed.errorStatus, parsed.errorText);
            logLine = "(bad request: " + parsed.errorText + ")";
        }
    }

    const Faults& faults = m_service.faults();
    if (faults.delay.count() > 0 &&
        waitFor(m_wake->readFd(), POLLIN, SteadyClock::now() + faults.delay) != Wait::Timeout)
        return; // stopped while waiting
    std::string bytes = response.serialize(!headOnly);
    if (faults.cutAfterBytes && bytes.size() > *faults.cutAfterBytes)
        bytes.resize(*faults.cutAfterBytes);
    if (m_log)
        m_log(logLine + " -> " +
              (response.headless ? std::string("headless page") : std::to_string(response.status)));
    respond(fd, bytes);
}

void QuoteServer::respond(int fd, const std::string& bytes)
{
    const auto writeDeadline = SteadyClock::now() + m_settings.writeTimeout;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            if (waitFor(fd, POLLOUT, writeDeadline) != Wait::Ready)
                return;
            continue;
        }
        return; // the client went away
    }

    ::shutdown(fd, SHUT_WR);
    const auto lingerDeadline = SteadyClock::now() + kLingerTime;
    std::size_t drained = 0;
    char chunk[kReadChunk];
    while (drained < kLingerBytes && waitFor(fd, POLLIN, lingerDeadline) == Wait::Ready) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            break;
        if (n > 0)
            drained += static_cast<std::size_t>(n);
    }
}

} // namespace listorix::quoted
