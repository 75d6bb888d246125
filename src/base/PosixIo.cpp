#include "base/PosixIo.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace listorix {

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string errnoText(int error)
{
    return std::strerror(error);
}

} // namespace listorix
