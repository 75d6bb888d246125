#pragma once

#include "base/ProxySettings.h"
#include "websource/WebTransport.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace listorix {

class StopSignal;

// How the web source's requests travel.
struct CurlTransportOptions
{
    // The program's proxy: when it is switched on and names an address, its
    // address and port (port 80 when the port is empty) and its Basic
    // credentials. Otherwise direct, whatever the environment's proxy variables say.
    ProxySettings proxy;
    // PEM certificates to trust instead of the system's; empty: the system's.
    std::string certificatesFile;
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds totalTimeout{30000};
    std::size_t maxBodyBytes = 4 * 1024 * 1024;
};

// The web source's HTTP and HTTPS through libcurl: certificates checked, no
// relocation followed, no cookies, a browser's User-Agent and nothing that names
// the user. One handle serves all requests of the object, so the connection to a
// host is kept between them. A stop ends a running transfer at once.
class CurlTransport final : public WebTransport
{
public:
    // The User-Agent of the web source's requests, a common browser's.
    static constexpr const char* kUserAgent = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, "
                                              "like Gecko) Chrome/124.0.0.0 Safari/537.36";

    // `stop` must outlive the transport.
    CurlTransport(CurlTransportOptions options, const StopSignal& stop);
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    WebResponse perform(const WebRequest& request) override;

private:
    struct Handle;

    CurlTransportOptions m_options;
    const StopSignal& m_stop;
    std::unique_ptr<Handle> m_handle;
};

} // namespace listorix
