#pragma once

#include <memory>
#include <string>

using SSL_CTX = struct ssl_ctx_st;
using SSL = struct ssl_st;

namespace listorix::quoted {

// The server's side of TLS, through OpenSSL: its certificate chain and private key.
// Shared by every connection; OpenSSL lets threads use one context at once.
class TlsContext final
{
public:
    // Loads a PEM certificate chain and its PEM private key; nothing, with the reason
    // in error, when they cannot be used.
    static std::shared_ptr<const TlsContext> load(const std::string& certificateFile,
                                                  const std::string& keyFile, std::string& error);

    // A server session for one connection on that socket; null when none can be made.
    SSL* newSession(int socket) const;

private:
    struct Free
    {
        void operator()(SSL_CTX* context) const;
    };
    explicit TlsContext(std::unique_ptr<SSL_CTX, Free> context) : m_context(std::move(context)) {}

    std::unique_ptr<SSL_CTX, Free> m_context;
};

} // namespace listorix::quoted
