#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace listorix {

struct ProxySettings;

// The HTTP proxy the embedded browser is to use, taken from the program's own
// proxy settings so that the browser goes out the way the quote requests do.
struct BrowserProxy
{
    std::string host;
    std::uint16_t port = 80;
    std::string username; // 8-bit text, as in the settings
    std::string password;

    bool operator==(const BrowserProxy&) const = default;
};

// From the proxy in force (the configuration dialog's proxy controls). None when
// the proxy is off or names no host. The address may carry a scheme and a port
// ("http://proxy:3128"), as the quote requests accept it; a port in the address
// wins over the port setting, and a missing or unusable port is 80.
std::optional<BrowserProxy> browserProxy(const ProxySettings& proxy);

} // namespace listorix
