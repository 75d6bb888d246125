#include "http/Socket.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

namespace listorix {

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 24LL * 3600 * 1000));
}

} // namespace

IoStatus Socket::waitFor(short events, int wakeFd, Clock::time_point deadline)
{
    for (;;) {
        pollfd fds[2] = {{m_fd.get(), events, 0}, {wakeFd, POLLIN, 0}};
        const nfds_t count = wakeFd >= 0 ? 2 : 1;
        const int ready = ::poll(fds, count, remainingMs(deadline));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return IoStatus::Failed;
        }
        if (count == 2 && fds[1].revents != 0)
            return IoStatus::Woken;
        if (fds[0].revents != 0)
            return IoStatus::Ok;
        if (Clock::now() >= deadline)
            return IoStatus::TimedOut;
    }
}

IoStatus Socket::connectOne(const addrinfo& address, const addrinfo* local, int wakeFd,
                            Clock::time_point deadline)
{
    m_failedAtStart = true;
    m_fd.reset(
        ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol));
    if (!m_fd.valid()) {
        m_error = errno;
        return IoStatus::Failed;
    }
    for (const addrinfo* l = local; l != nullptr; l = l->ai_next) {
        if (l->ai_family == address.ai_family) {
            if (::bind(m_fd.get(), l->ai_addr, l->ai_addrlen) != 0) {
                m_error = errno;
                m_fd.reset();
                return IoStatus::Failed;
            }
            break;
        }
    }
    if (::connect(m_fd.get(), address.ai_addr, address.ai_addrlen) == 0)
        return IoStatus::Ok;
    if (errno != EINPROGRESS && errno != EINTR) {
        m_error = errno;
        m_fd.reset();
        return IoStatus::Failed;
    }
    m_failedAtStart = false;
    const IoStatus waited = waitFor(POLLOUT, wakeFd, deadline);
    if (waited == IoStatus::Ok) {
        int soError = 0;
        socklen_t length = sizeof soError;
        if (::getsockopt(m_fd.get(), SOL_SOCKET, SO_ERROR, &soError, &length) != 0)
            soError = errno;
        if (soError == 0)
            return IoStatus::Ok;
        m_error = soError;
    } else if (waited == IoStatus::TimedOut) {
        m_error = ETIMEDOUT;
    }
    m_fd.reset();
    return waited == IoStatus::Woken ? IoStatus::Woken : IoStatus::Failed;
}

IoStatus Socket::connect(const addrinfo* addresses, const addrinfo* local, int wakeFd,
                         std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    m_error = EHOSTUNREACH;
    m_failedAtStart = true;
    for (const addrinfo* a = addresses; a != nullptr; a = a->ai_next) {
        const IoStatus status = connectOne(*a, local, wakeFd, deadline);
        if (status == IoStatus::Ok || status == IoStatus::Woken)
            return status;
        if (Clock::now() >= deadline)
            break;
    }
    return IoStatus::Failed;
}

IoStatus Socket::sendAll(std::string_view data, int wakeFd, std::chrono::milliseconds idleTimeout)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(m_fd.get(), data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const IoStatus waited = waitFor(POLLOUT, wakeFd, Clock::now() + idleTimeout);
            if (waited != IoStatus::Ok)
                return waited;
            continue;
        }
        m_error = errno;
        return IoStatus::Failed;
    }
    return IoStatus::Ok;
}

IoStatus Socket::receive(char* buffer, std::size_t capacity, std::size_t& received, int wakeFd,
                         std::chrono::milliseconds idleTimeout)
{
    received = 0;
    for (;;) {
        const ssize_t got = ::recv(m_fd.get(), buffer, capacity, 0);
        if (got > 0) {
            received = static_cast<std::size_t>(got);
            return IoStatus::Ok;
        }
        if (got == 0)
            return IoStatus::Closed;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            const IoStatus waited = waitFor(POLLIN, wakeFd, Clock::now() + idleTimeout);
            if (waited != IoStatus::Ok)
                return waited;
            continue;
        }
        // A reset is how many servers end an answer; what arrived decides.
        if (errno == ECONNRESET)
            return IoStatus::Closed;
        m_error = errno;
        return IoStatus::Failed;
    }
}

std::size_t Socket::pending() const
{
    int count = 0;
    if (!m_fd.valid() || ::ioctl(m_fd.get(), FIONREAD, &count) != 0 || count < 0)
        return 0;
    return static_cast<std::size_t>(count);
}

} // namespace listorix
