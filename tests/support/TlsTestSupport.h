#pragma once

#include "ScratchDir.h"
#include "base/UniqueFd.h"

#include <arpa/inet.h>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

namespace listorix::quoted::testing {

// A self-signed certificate for 127.0.0.1 and its key, made at run time with the
// openssl command in a scratch directory.
class TestCertificate
{
public:
    TestCertificate()
    {
        const std::string command = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                                    "-addext subjectAltName=IP:127.0.0.1 -keyout '" +
                                    keyFile() + "' -out '" + certificateFile() + "' > /dev/null 2>&1";
        m_made = std::system(command.c_str()) == 0;
    }
    // Whether the openssl command is there to make one.
    static bool toolAvailable() { return std::system("openssl version > /dev/null 2>&1") == 0; }

    bool made() const { return m_made; }
    std::string certificateFile() const { return m_dir.file("cert.pem").string(); }
    std::string keyFile() const { return m_dir.file("key.pem").string(); }

private:
    test::ScratchDir m_dir;
    bool m_made = false;
};

// One whole exchange over TLS with a server on 127.0.0.1, whose certificate must be the
// given one: what came back until the server closed, or "TLS failed".
inline std::string exchangeTls(std::uint16_t port, const std::string& certificateFile,
                               std::string_view request)
{
    const std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> context(SSL_CTX_new(TLS_client_method()),
                                                                    &SSL_CTX_free);
    if (!context || SSL_CTX_load_verify_locations(context.get(), certificateFile.c_str(), nullptr) != 1)
        return "TLS failed";
    SSL_CTX_set_verify(context.get(), SSL_VERIFY_PEER, nullptr);
    X509_VERIFY_PARAM_set1_ip_asc(SSL_CTX_get0_param(context.get()), "127.0.0.1");

    const UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int fd = socket.get();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval timeout{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return "TLS failed";
    const std::unique_ptr<SSL, decltype(&SSL_free)> session(SSL_new(context.get()), &SSL_free);
    if (!session || SSL_set_fd(session.get(), fd) != 1 || SSL_connect(session.get()) != 1 ||
        SSL_write(session.get(), request.data(), static_cast<int>(request.size())) !=
            static_cast<int>(request.size())) {
        ERR_clear_error();
        return "TLS failed";
    }
    std::string received;
    char chunk[4096];
    int got = 0;
    while ((got = SSL_read(session.get(), chunk, sizeof chunk)) > 0)
        received.append(chunk, static_cast<std::size_t>(got));
    ERR_clear_error();
    return received;
}

} // namespace listorix::quoted::testing
