#pragma once

// A loopback HTTP server for tests, driven by a script: one exchange per
// connection (or per request on a kept connection), each reading one request
// head, sending fixed answer bytes and then ending as told.

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace listorix::test {

struct Exchange
{
    enum class End
    {
        Close,    // close once the answer is sent
        Hold,     // keep the connection open until the client goes or the server stops
        KeepOpen, // read the next exchange's request from the same connection
    };
    std::string answer;
    End end = End::Close;
    // Above zero: the answer goes out one byte at a time, this long apart.
    std::chrono::milliseconds bytePace{0};
};

class ScriptedServer final
{
public:
    explicit ScriptedServer(std::vector<Exchange> script) : m_script(std::move(script))
    {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        m_stopRead = fds[0];
        m_stopWrite = fds[1];
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int yes = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listen, 16) != 0)
            throw std::runtime_error("listen");
        socklen_t length = sizeof address;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }

    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    ~ScriptedServer()
    {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(m_stopWrite, &byte, 1);
        m_thread.join();
        ::close(m_listen);
        ::close(m_stopRead);
        ::close(m_stopWrite);
    }

    std::uint16_t port() const { return m_port; }
    std::string origin() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string url(std::string_view path) const { return "http://" + origin() + std::string(path); }

    std::vector<std::string> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

    // Waits until the server holds a connection after sending its answer.
    bool waitUntilHolding(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [this] { return m_holding; });
    }

private:
    // Waits for `fd` to be readable; false when the server is asked to stop.
    bool waitReadable(int fd) const
    {
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_stopRead, POLLIN, 0}};
        while (::poll(fds, 2, -1) < 0) {
        }
        return fds[1].revents == 0;
    }

    bool readRequest(int connection, std::string& request) const
    {
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            if (!waitReadable(connection))
                return false;
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0)
                return false;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        return true;
    }

    // One byte at a time, `pace` apart, until all is sent, the client goes or
    // the server stops.
    void drip(int connection, std::string_view bytes, std::chrono::milliseconds pace) const
    {
        for (const char byte : bytes) {
            if (::send(connection, &byte, 1, MSG_NOSIGNAL) != 1)
                return;
            pollfd stop = {m_stopRead, POLLIN, 0};
            if (::poll(&stop, 1, static_cast<int>(pace.count())) != 0)
                return;
        }
    }

    static void sendAll(int connection, std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t sent = ::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent <= 0)
                return; // the client went away
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
    }

    void serve()
    {
        int connection = -1;
        for (const Exchange& exchange : m_script) {
            if (connection < 0) {
                if (!waitReadable(m_listen))
                    return;
                connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
                if (connection < 0)
                    return;
            }
            std::string request;
            const bool gotRequest = readRequest(connection, request);
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back(request);
            }
            if (!gotRequest) {
                ::close(connection);
                return;
            }
            if (exchange.bytePace.count() > 0)
                drip(connection, exchange.answer, exchange.bytePace);
            else
                sendAll(connection, exchange.answer);
            if (exchange.end == Exchange::End::KeepOpen)
                continue;
            if (exchange.end == Exchange::End::Hold) {
                {
                    std::lock_guard lock(m_mutex);
                    m_holding = true;
                }
                m_changed.notify_all();
                char buffer[256];
                while (waitReadable(connection) && ::recv(connection, buffer, sizeof buffer, 0) > 0) {
                }
            }
            ::close(connection);
            connection = -1;
        }
        if (connection >= 0)
            ::close(connection);
    }

    std::vector<Exchange> m_script;
    int m_listen = -1;
    int m_stopRead = -1;
    int m_stopWrite = -1;
    std::uint16_t m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_requests;
    bool m_holding = false;
};

} // namespace listorix::test
