#include "http/AddressList.h"

#include <sys/socket.h>

namespace listorix {

int AddressList::resolve(const std::string& host, const std::string& port, bool numericOnly)
{
    m_list.reset();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = AI_NUMERICSERV | (numericOnly ? AI_NUMERICHOST | AI_PASSIVE : 0);
    addrinfo* list = nullptr;
    const int result = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &list);
    if (result == 0)
        m_list.reset(list);
    return result;
}

} // namespace listorix
