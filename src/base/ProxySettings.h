#pragma once

#include <string>

namespace listorix {

// The proxy set-up of one request, copied on the main thread when the request's
// worker is created, so the worker reads nothing the main thread may change.
struct ProxySettings
{
    bool enabled = false;
    std::string address;
    std::string port;
    std::string username;
    std::string password;

    bool operator==(const ProxySettings&) const = default;
};

} // namespace listorix
