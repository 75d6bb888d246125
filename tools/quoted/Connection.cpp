#include "quoted/Connection.h"

#include "quoted/TlsContext.h"

#include <cerrno>
#include <climits>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <sys/socket.h>

namespace listorix::quoted {

namespace {

Connection::Io socketOutcome(ssize_t returned, Connection::Io wouldBlock)
{
    if (returned == 0)
        return Connection::Io::Closed;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? wouldBlock : Connection::Io::Failed;
}

int clampedSize(std::size_t size)
{
    return static_cast<int>(std::min<std::size_t>(size, INT_MAX));
}

} // namespace

void Connection::FreeSession::operator()(SSL* session) const
{
    SSL_free(session);
}

Connection::Connection(UniqueFd socket, const TlsContext* tls)
    : m_socket(std::move(socket)), m_secure(tls != nullptr)
{
    if (tls) {
        m_session.reset(tls->newSession(m_socket.get()));
        m_handshakeDone = false;
    }
}

Connection::~Connection() = default;

Connection::Io Connection::tlsOutcome(int returned) const
{
    const int error = SSL_get_error(m_session.get(), returned);
    ERR_clear_error(); // the queue is per thread; leave nothing behind for the next call
    switch (error) {
    case SSL_ERROR_WANT_READ:
        return Io::WantRead;
    case SSL_ERROR_WANT_WRITE:
        return Io::WantWrite;
    case SSL_ERROR_ZERO_RETURN:
        return Io::Closed;
    default:
        return Io::Failed;
    }
}

Connection::Io Connection::handshake()
{
    if (m_handshakeDone)
        return Io::Done;
    if (!m_session)
        return Io::Failed;
    const int returned = SSL_do_handshake(m_session.get());
    if (returned == 1) {
        m_handshakeDone = true;
        return Io::Done;
    }
    return tlsOutcome(returned);
}

Connection::Result Connection::read(char* buffer, std::size_t size)
{
    if (!m_secure) {
        const ssize_t got = ::recv(m_socket.get(), buffer, size, 0);
        if (got > 0)
            return {Io::Done, static_cast<std::size_t>(got)};
        return {socketOutcome(got, Io::WantRead)};
    }
    if (!m_session)
        return {Io::Failed};
    const int got = SSL_read(m_session.get(), buffer, clampedSize(size));
    if (got > 0)
        return {Io::Done, static_cast<std::size_t>(got)};
    return {tlsOutcome(got)};
}

Connection::Result Connection::write(std::string_view bytes)
{
    if (!m_secure) {
        const ssize_t sent = ::send(m_socket.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0)
            return {Io::Done, static_cast<std::size_t>(sent)};
        return {sent == 0 ? Io::WantWrite : socketOutcome(sent, Io::WantWrite)};
    }
    if (!m_session)
        return {Io::Failed};
    const int sent = SSL_write(m_session.get(), bytes.data(), clampedSize(bytes.size()));
    if (sent > 0)
        return {Io::Done, static_cast<std::size_t>(sent)};
    return {tlsOutcome(sent)};
}

void Connection::shutdownWrite()
{
    if (m_session && m_handshakeDone) {
        SSL_shutdown(m_session.get());
        ERR_clear_error();
    }
    ::shutdown(m_socket.get(), SHUT_WR);
}

} // namespace listorix::quoted
