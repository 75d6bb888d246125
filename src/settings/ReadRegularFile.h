#pragma once

#include "base/FileState.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace listorix {

// What reading a file gave: its bytes, the news that there is no such file, or
// the news that there is something that cannot be read. The last two must not
// be confused: a file that cannot be read is not an empty one.
struct FileContents
{
    enum class Outcome
    {
        Read,
        Missing,   // no such file (a link to nothing included)
        Unreadable // anything else: no rights, a read error, not a regular file, too large
    };
    Outcome outcome = Outcome::Missing;
    std::string bytes;  // when Read
    FileState state;    // of the file whose bytes these are, when Read
    std::string reason; // when Unreadable, the system's explanation
};

// Reads the regular file `path` stands for (links followed), of at most
// `maxBytes` bytes. Anything else at the path (a directory, a FIFO, a device)
// is Unreadable without being opened for reading, so that nothing blocks and
// nothing endless is read; so is a file larger than `maxBytes`.
FileContents readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace listorix
