#pragma once

#include <cstdint>
#include <filesystem>

struct stat;

namespace listorix {

// What tells one version of a file from another without reading it: which file
// the name stands for, its size and its time of last change.
struct FileState
{
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileState&) const = default;

    static FileState of(const struct stat& info);
    // The file `path` stands for, links followed; nothing there (or nothing to
    // be learnt) gives a state that does not exist.
    static FileState at(const std::filesystem::path& path);
};

} // namespace listorix
