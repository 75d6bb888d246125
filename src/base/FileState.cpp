#include "base/FileState.h"

#include <sys/stat.h>

namespace listorix {

FileState FileState::of(const struct stat& info)
{
    return {true,
            static_cast<std::uint64_t>(info.st_dev),
            static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

FileState FileState::at(const std::filesystem::path& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return of(info);
}

} // namespace listorix
