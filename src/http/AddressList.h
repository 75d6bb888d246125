#pragma once

#include <memory>
#include <netdb.h>
#include <string>

namespace listorix {

// The addresses a host name resolves to (IPv4 and IPv6), as getaddrinfo gives them.
class AddressList final
{
public:
    // Answers 0, or the getaddrinfo error code. `numericOnly` refuses names that
    // need a lookup (for a local address to bind to).
    int resolve(const std::string& host, const std::string& port, bool numericOnly = false);

    const addrinfo* first() const { return m_list.get(); }

private:
    struct Free
    {
        void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
    };
    std::unique_ptr<addrinfo, Free> m_list;
};

} // namespace listorix
