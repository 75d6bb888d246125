#pragma once

#include "base/UniqueFd.h"

#include <filesystem>

namespace listorix {

// An exclusive advisory lock (flock) for the writers of one file, held from
// construction to destruction. The file itself is replaced by rename at every
// write, so a lock on it would be lost with it; the lock lies on a lock file
// beside it instead, ".<name>.lock", which stays there once created (removing it
// would let two writers hold "the" lock on two different files).
class FileLock final
{
public:
    // Waits until the lock is ours. Throws std::system_error when the lock file
    // can be neither opened nor created, or cannot be locked.
    explicit FileLock(const std::filesystem::path& file);

    static std::filesystem::path lockFileFor(const std::filesystem::path& file);

private:
    UniqueFd m_fd; // closing it releases the lock
};

} // namespace listorix
