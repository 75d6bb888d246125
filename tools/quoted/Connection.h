#pragma once

#include "base/UniqueFd.h"

#include <cstddef>
#include <memory>
#include <string_view>

using SSL = struct ssl_st;

namespace listorix::quoted {

class TlsContext;

// One client's connection: a non-blocking socket, spoken to in the clear or through a
// TLS session. Reads and writes never wait; they say what they would wait for.
class Connection final
{
public:
    enum class Io
    {
        Done,      // bytes moved (or the handshake is complete)
        WantRead,  // try again once the socket is readable
        WantWrite, // ... once it is writable
        Closed,    // the client has closed its sending side
        Failed
    };
    struct Result
    {
        Io io = Io::Failed;
        std::size_t bytes = 0;
    };

    Connection() = default;
    // In the clear, or with a TLS session from tls when it is given.
    explicit Connection(UniqueFd socket, const TlsContext* tls = nullptr);
    Connection(Connection&&) noexcept = default;
    Connection& operator=(Connection&&) noexcept = default;
    ~Connection();

    int fd() const { return m_socket.get(); }
    // False when no TLS session could be made for it.
    bool valid() const { return m_socket.valid() && (!m_secure || m_session); }
    bool secure() const { return m_secure; }
    bool handshakeDone() const { return m_handshakeDone; }

    // Takes the TLS handshake one step further; Done at once in the clear.
    Io handshake();
    Result read(char* buffer, std::size_t size);
    Result write(std::string_view bytes);
    // Ends the sending side (after a TLS close_notify); the client may still send.
    void shutdownWrite();

private:
    struct FreeSession
    {
        void operator()(SSL* session) const;
    };
    Io tlsOutcome(int returned) const;

    UniqueFd m_socket;
    std::unique_ptr<SSL, FreeSession> m_session;
    bool m_secure = false;
    bool m_handshakeDone = true;
};

} // namespace listorix::quoted
