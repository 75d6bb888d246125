#include "quoted/QuoteServer.h"

#include "base/PosixIo.h"
#include "quoted/HttpResponse.h"
#include "quoted/QuoteService.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
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
constexpr std::size_t kMaxLingering = 256;
constexpr std::size_t kAcceptsPerRound = 64;

constexpr std::string_view kBusyText = "Too many connections; try again.";

// What failed and the system's explanation of errno.
std::string failure(const std::string& what)
{
    const int error = errno;
    return what + ": " + errnoText(error);
}

// Writing to a connection the client has reset raises SIGPIPE in the writing thread
// (TLS writes cannot ask for MSG_NOSIGNAL): the server's threads keep it blocked, so a
// write just fails and the process goes on, whatever its own handling of the signal.
void blockBrokenPipeSignal()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

// The poll events a connection's last read or write asked for.
short eventsFor(Connection::Io io)
{
    return io == Connection::Io::WantWrite ? POLLOUT : POLLIN;
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
    if (m_loopThread.joinable())
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
    m_loopThread = std::thread([this] { eventLoop(); });
    return {};
}

void QuoteServer::stop()
{
    if (!m_loopThread.joinable())
        return;
    // The pipe is never drained: every poll that includes it wakes, now and later.
    m_wake->wake();
    m_loopThread.join();
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

void QuoteServer::log(const std::string& line) const
{
    if (m_log)
        m_log(line);
}

int QuoteServer::pollTimeout() const
{
    auto next = SteadyClock::now() + std::chrono::seconds(1);
    for (const Waiting& waiting : m_waiting)
        next = std::min(next, waiting.deadline);
    for (const Lingering& lingering : m_lingering)
        next = std::min(next, lingering.deadline);
    // Rounded up, so that a deadline has passed when the poll ends.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(next - SteadyClock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

void QuoteServer::eventLoop()
{
    blockBrokenPipeSignal();
    std::vector<pollfd> fds;
    std::vector<short> waitingEvents;
    std::vector<short> lingeringEvents;
    while (true) {
        fds.assign({{m_listener.get(), POLLIN, 0}, {m_wake->readFd(), POLLIN, 0}});
        for (const Waiting& waiting : m_waiting)
            fds.push_back({waiting.connection.fd(), waiting.events, 0});
        for (const Lingering& lingering : m_lingering)
            fds.push_back({lingering.connection.fd(), lingering.events, 0});
        const int rc = ::poll(fds.data(), fds.size(), pollTimeout());
        if (rc < 0 && errno != EINTR)
            break;
        if (rc > 0 && fds[1].revents != 0)
            break;
        reapFinished(false);

        const auto eventsOf = [&](std::size_t first, std::size_t count, std::vector<short>& out) {
            out.clear();
            for (std::size_t i = first; i < first + count; ++i)
                out.push_back(rc > 0 ? fds[i].revents : 0);
        };
        const std::size_t waitingCount = m_waiting.size();
        eventsOf(2, waitingCount, waitingEvents);
        eventsOf(2 + waitingCount, m_lingering.size(), lingeringEvents);
        serviceWaiting(waitingEvents);
        serviceLingering(lingeringEvents);
        if (rc > 0 && fds[0].revents != 0)
            acceptNew();
    }
    m_waiting.clear();
    reapFinished(true);
    m_lingering.clear();
}

void QuoteServer::acceptNew()
{
    for (std::size_t n = 0; n < kAcceptsPerRound; ++n) {
        UniqueFd socket(::accept4(m_listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.valid()) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // Out of descriptors: give running connections a moment to end.
                pollfd wake = {m_wake->readFd(), POLLIN, 0};
                ::poll(&wake, 1, 50);
            }
            return;
        }
        try {
            Connection connection(std::move(socket), m_settings.tls.get());
            if (!connection.valid())
                continue;
            if (m_waiting.size() >= m_settings.maxWaiting) {
                // Over TLS nothing can be said before a handshake: the connection just ends.
                if (!connection.secure())
                    sendAndLinger(std::move(connection), errorResponse(503, kBusyText).serialize());
                continue;
            }
            m_waiting.push_back({std::move(connection), RequestReader(m_settings.limits),
                                 SteadyClock::now() + m_settings.readTimeout, POLLIN});
        } catch (...) {
            // No room for another connection: it is closed with its socket.
        }
    }
}

void QuoteServer::serviceWaiting(const std::vector<short>& events)
{
    // Events belong to the first events.size() entries; later ones joined after the poll.
    const auto now = SteadyClock::now();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_waiting.size(); ++i) {
        Waiting& waiting = m_waiting[i];
        bool done = false;
        if (i < events.size() && events[i] != 0)
            done = !readRequest(waiting);
        if (!done && now >= waiting.deadline) {
            refuse(std::move(waiting.connection), 408, "The request did not arrive in time.",
                   "(unreadable request)");
            done = true;
        }
        if (!done) {
            if (kept != i)
                m_waiting[kept] = std::move(waiting);
            ++kept;
        }
    }
    m_waiting.erase(m_waiting.begin() + static_cast<std::ptrdiff_t>(kept), m_waiting.end());
}

bool QuoteServer::readRequest(Waiting& waiting)
{
    if (const Connection::Io step = waiting.connection.handshake(); step != Connection::Io::Done) {
        waiting.events = eventsFor(step);
        return step == Connection::Io::WantRead || step == Connection::Io::WantWrite;
    }
    // Read until nothing is left, TLS's own buffer included: the reader refuses a
    // request that grows past its limits, so this ends.
    char chunk[kReadChunk];
    while (true) {
        const Connection::Result got = waiting.connection.read(chunk, sizeof chunk);
        if (got.io == Connection::Io::WantRead || got.io == Connection::Io::WantWrite) {
            waiting.events = eventsFor(got.io);
            return true;
        }
        if (got.io == Connection::Io::Failed)
            return false; // the client went away
        if (got.io == Connection::Io::Closed) {
            if (waiting.reader.requestBegun())
                refuse(std::move(waiting.connection), 400, "The request ended before it was complete.",
                       "(unreadable request)");
            return false; // a client that connected and left without a request gets nothing
        }
        switch (waiting.reader.add(std::string_view(chunk, got.bytes))) {
        case RequestReader::State::Reading:
            continue;
        case RequestReader::State::Complete:
            startAnswering(std::move(waiting.connection), *waiting.reader.result().request);
            return false;
        case RequestReader::State::Refused: {
            const ParsedHead& refusal = waiting.reader.result();
            refuse(std::move(waiting.connection), refusal.errorStatus, refusal.errorText,
                   "(bad request: " + refusal.errorText + ")");
            return false;
        }
        }
    }
}

void QuoteServer::startAnswering(Connection connection, HttpRequest request)
{
    if (m_workers.size() >= m_settings.maxConnections) {
        sendAndLinger(std::move(connection), errorResponse(503, kBusyText).serialize());
        return;
    }
    try {
        auto finished = std::make_shared<std::atomic<bool>>(false);
        m_workers.push_back({std::thread(), finished});
        auto worker = [this, finished, client = std::move(connection),
                       request = std::move(request)]() mutable {
            blockBrokenPipeSignal();
            try {
                serve(std::move(client), request);
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
        // No room for another connection: it is closed with its socket.
    }
}

void QuoteServer::refuse(Connection connection, int status, std::string_view reason,
                         const std::string& logLine)
{
    std::string bytes = errorResponse(status, reason).serialize();
    if (const auto& cut = m_service.faults().cutAfterBytes; cut && bytes.size() > *cut)
        bytes.resize(*cut);
    log(logLine + " -> " + std::to_string(status));
    sendAndLinger(std::move(connection), bytes);
}

void QuoteServer::sendAndLinger(Connection connection, const std::string& bytes)
{
    // A short answer fits the socket's buffer; what does not go at once is dropped
    // rather than let this thread wait for one client.
    if (connection.handshakeDone()) {
        connection.write(bytes);
        connection.shutdownWrite();
    }
    if (m_lingering.size() < kMaxLingering)
        m_lingering.push_back({std::move(connection), SteadyClock::now() + kLingerTime, POLLIN});
}

void QuoteServer::serviceLingering(const std::vector<short>& events)
{
    // Events belong to the first events.size() entries; later ones joined after the poll.
    const auto now = SteadyClock::now();
    char chunk[kReadChunk];
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_lingering.size(); ++i) {
        Lingering& lingering = m_lingering[i];
        bool done = now >= lingering.deadline || !lingering.connection.handshakeDone();
        if (!done && i < events.size() && events[i] != 0) {
            const Connection::Result got = lingering.connection.read(chunk, sizeof chunk);
            done = got.io == Connection::Io::Closed || got.io == Connection::Io::Failed;
            lingering.events = eventsFor(got.io);
        }
        if (!done) {
            if (kept != i)
                m_lingering[kept] = std::move(lingering);
            ++kept;
        }
    }
    m_lingering.erase(m_lingering.begin() + static_cast<std::ptrdiff_t>(kept), m_lingering.end());
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

void QuoteServer::serve(Connection connection, const HttpRequest& request)
{
    const HttpResponse response = m_service.answer(request);
    const bool headOnly = request.method == "HEAD";

    const Faults& faults = m_service.faults();
    if (faults.delay.count() > 0 &&
        waitFor(m_wake->readFd(), POLLIN, SteadyClock::now() + faults.delay) != Wait::Timeout)
        return; // stopped while waiting
    std::string bytes = response.serialize(!headOnly);
    if (faults.cutAfterBytes && bytes.size() > *faults.cutAfterBytes)
        bytes.resize(*faults.cutAfterBytes);
    log(request.method + ' ' + request.target + " -> " +
        (response.headless ? std::string("headless page") : std::to_string(response.status)));
    respond(connection, bytes);
}

void QuoteServer::respond(Connection& connection, const std::string& bytes)
{
    const auto writeDeadline = SteadyClock::now() + m_settings.writeTimeout;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const Connection::Result put = connection.write(std::string_view(bytes).substr(sent));
        if (put.io == Connection::Io::Done) {
            sent += put.bytes;
            continue;
        }
        if (put.io != Connection::Io::WantRead && put.io != Connection::Io::WantWrite)
            return; // the client went away
        if (waitFor(connection.fd(), eventsFor(put.io), writeDeadline) != Wait::Ready)
            return;
    }

    connection.shutdownWrite();
    const auto lingerDeadline = SteadyClock::now() + kLingerTime;
    std::size_t drained = 0;
    char chunk[kReadChunk];
    short events = POLLIN;
    while (drained < kLingerBytes && waitFor(connection.fd(), events, lingerDeadline) == Wait::Ready) {
        const Connection::Result got = connection.read(chunk, sizeof chunk);
        if (got.io == Connection::Io::Closed || got.io == Connection::Io::Failed)
            break;
        drained += got.bytes;
        events = eventsFor(got.io);
    }
}

} // namespace listorix::quoted
