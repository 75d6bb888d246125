#include "quoted/TlsContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

namespace listorix::quoted {

namespace {

// What OpenSSL says about the last failure, after what we were doing.
std::string failure(const std::string& what)
{
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0)
        return what;
    char reason[256];
    ERR_error_string_n(code, reason, sizeof reason);
    return what + ": " + reason;
}

} // namespace

void TlsContext::Free::operator()(SSL_CTX* context) const
{
    SSL_CTX_free(context);
}

std::shared_ptr<const TlsContext> TlsContext::load(const std::string& certificateFile,
                                                   const std::string& keyFile, std::string& error)
{
    ERR_clear_error();
    std::unique_ptr<SSL_CTX, Free> context(SSL_CTX_new(TLS_server_method()));
    if (!context) {
        error = failure("cannot set up TLS");
        return nullptr;
    }
    SSL_CTX_set_min_proto_version(context.get(), TLS1_2_VERSION);
    // A client that closes without a close_notify has simply left.
    SSL_CTX_set_options(context.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
    // Writes behave as send() does on a non-blocking socket.
    SSL_CTX_set_mode(context.get(), SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    if (SSL_CTX_use_certificate_chain_file(context.get(), certificateFile.c_str()) != 1) {
        error = failure("cannot use the certificate " + certificateFile);
        return nullptr;
    }
    if (SSL_CTX_use_PrivateKey_file(context.get(), keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
        error = failure("cannot use the private key " + keyFile);
        return nullptr;
    }
    if (SSL_CTX_check_private_key(context.get()) != 1) {
        error = failure("the private key " + keyFile + " does not match the certificate");
        return nullptr;
    }
    return std::shared_ptr<const TlsContext>(new TlsContext(std::move(context)));
}

SSL* TlsContext::newSession(int socket) const
{
    SSL* session = SSL_new(m_context.get());
    if (session && SSL_set_fd(session, socket) != 1) {
        SSL_free(session);
        return nullptr;
    }
    if (session)
        SSL_set_accept_state(session);
    return session;
}

} // namespace listorix::quoted
