#pragma once

#include "quoted/CivilTime.h"
#include "quoted/Clock.h"
#include "quoted/Market.h"
#include "quoted/QuoteServer.h"
#include "quoted/QuoteService.h"
#include "quoted/ReferenceData.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace listorix::quoted::testing {

inline LocalDateTime at(std::string_view iso)
{
    const auto time = parseIsoLocal(iso);
    if (!time)
        throw std::invalid_argument("bad test time");
    return *time;
}

// The shipped reference data with seed 1, as the service runs with no options.
inline const Market& sampleMarket()
{
    static const Market market = [] {
        std::vector<Security> securities;
        if (!reference::loadBuiltIn(securities).empty())
            throw std::runtime_error("built-in reference data does not load");
        return Market(std::move(securities), 1);
    }();
    return market;
}

// A service on 127.0.0.1 with a free port, pinned clock and the sample data.
class RunningServer
{
public:
    explicit RunningServer(Faults faults = {}, ServerSettings settings = quickSettings())
        : m_service(sampleMarket(), m_clock, std::move(faults)), m_server(m_service, std::move(settings))
    {
        const std::string error = m_server.start();
        if (!error.empty())
            throw std::runtime_error(error);
    }
    static ServerSettings quickSettings()
    {
        ServerSettings settings;
        settings.port = 0;
        settings.readTimeout = std::chrono::milliseconds(300);
        return settings;
    }
    static constexpr std::string_view kPinnedTime = "2005-01-25T15:30";

    std::uint16_t port() const { return m_server.port(); }
    QuoteServer& server() { return m_server; }

private:
    FixedClock m_clock{at(kPinnedTime)};
    QuoteService m_service;
    QuoteServer m_server;
};

// The symbols of a sample ticker list file, in file order.
inline std::vector<std::string> sampleTickers(std::string_view fileName)
{
    std::ifstream file(std::string(LISTORIX_QUOTED_DATA_DIR) + '/' + std::string(fileName), std::ios::binary);
    std::vector<std::string> symbols;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            symbols.push_back(line);
    }
    return symbols;
}

inline std::string joinSymbols(const std::vector<std::string>& symbols)
{
    std::string joined;
    for (const std::string& symbol : symbols)
        joined += (joined.empty() ? "" : "+") + symbol;
    return joined;
}

inline std::vector<std::string> splitLines(std::string_view body)
{
    std::vector<std::string> lines;
    while (!body.empty()) {
        const std::size_t end = body.find("\r\n");
        lines.emplace_back(body.substr(0, end));
        body = end == std::string_view::npos ? std::string_view() : body.substr(end + 2);
    }
    return lines;
}

inline std::vector<std::string> splitFields(std::string_view line)
{
    std::vector<std::string> fields;
    while (true) {
        const std::size_t semi = line.find(';');
        fields.emplace_back(line.substr(0, semi));
        if (semi == std::string_view::npos)
            return fields;
        line = line.substr(semi + 1);
    }
}

// A blocking loopback connection for tests, closed on destruction.
class LoopbackConnection
{
public:
    explicit LoopbackConnection(std::uint16_t port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (m_fd < 0 || ::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("cannot connect to the test server");
    }
    ~LoopbackConnection() { ::close(m_fd); }
    LoopbackConnection(const LoopbackConnection&) = delete;
    LoopbackConnection& operator=(const LoopbackConnection&) = delete;

    bool send(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    // Everything until the server closes (or the time runs out: then what arrived).
    std::string readAll(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string received;
        char chunk[4096];
        while (true) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd fd = {m_fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0)
                return received;
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                return received;
            received.append(chunk, static_cast<std::size_t>(n));
        }
    }

private:
    int m_fd = -1;
};

// One whole exchange: send the bytes, read the answer to its end.
inline std::string exchange(std::uint16_t port, std::string_view request)
{
    LoopbackConnection connection(port);
    connection.send(request);
    return connection.readAll();
}

inline std::string get(std::uint16_t port, std::string_view target)
{
    return testing::exchange(port, "GET " + std::string(target) + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
}

inline int statusOf(std::string_view answer)
{
    if (answer.substr(0, 9) != "HTTP/1.0 " || answer.size() < 12)
        return 0;
    return std::stoi(std::string(answer.substr(9, 3)));
}

inline std::string bodyOf(std::string_view answer)
{
    const std::size_t end = answer.find("\r\n\r\n");
    return end == std::string_view::npos ? std::string() : std::string(answer.substr(end + 4));
}

} // namespace listorix::quoted::testing
