#pragma once

#include "base/UniqueFd.h"

#include <chrono>
#include <cstddef>
#include <string_view>

struct addrinfo;

namespace listorix {

// How a socket operation ended. Woken: the wake-up descriptor became readable
// (another thread asked to stop). Closed: the peer closed (or reset) the connection.
enum class IoStatus
{
    Ok,
    Closed,
    Woken,
    TimedOut,
    Failed,
};

// A non-blocking TCP socket whose waits also watch a wake-up descriptor, so that
// another thread can end them at once without touching the socket itself.
class Socket final
{
public:
    // Tries the addresses in turn until one accepts, within `timeout` in all. On
    // Failed, error() holds the errno value and failedAtStart() whether the last
    // attempt could not even be started. `local`, when given, is bound first.
    IoStatus connect(const addrinfo* addresses, const addrinfo* local, int wakeFd,
                     std::chrono::milliseconds timeout);
    IoStatus sendAll(std::string_view data, int wakeFd, std::chrono::milliseconds idleTimeout);
    // Ok with at least one byte in `received`, or how the wait ended.
    IoStatus receive(char* buffer, std::size_t capacity, std::size_t& received, int wakeFd,
                     std::chrono::milliseconds idleTimeout);
    // The bytes that have arrived and are not read yet.
    std::size_t pending() const;
    void close() { m_fd.reset(); }
    bool isOpen() const { return m_fd.valid(); }
    int error() const { return m_error; }
    bool failedAtStart() const { return m_failedAtStart; }

private:
    IoStatus waitFor(short events, int wakeFd, std::chrono::steady_clock::time_point deadline);
    IoStatus connectOne(const addrinfo& address, const addrinfo* local, int wakeFd,
                        std::chrono::steady_clock::time_point deadline);

    UniqueFd m_fd;
    int m_error = 0;
    bool m_failedAtStart = false;
};

} // namespace listorix
