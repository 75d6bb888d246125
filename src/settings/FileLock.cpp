#include "settings/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>

namespace listorix {

std::filesystem::path FileLock::lockFileFor(const std::filesystem::path& file)
{
    return file.parent_path() / ("." + file.filename().string() + ".lock");
}

FileLock::FileLock(const std::filesystem::path& file)
{
    const std::filesystem::path lockFile = lockFileFor(file);
    // Read-only is enough for flock, and lets a user lock a lock file that
    // another user created. Never through a link someone put there, and never
    // waiting on a FIFO.
    m_fd.reset(
        ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0644));
    if (!m_fd.valid())
        throw std::system_error(errno, std::generic_category(), lockFile.string());
    while (::flock(m_fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            throw std::system_error(errno, std::generic_category(), lockFile.string());
    }
}

} // namespace listorix
