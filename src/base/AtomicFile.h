#pragma once

#include "base/FileState.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace listorix {

// A file could not be written. The message is the text the user sees,
// "Unable to write to <path>"; reason() keeps the system's explanation.
class FileWriteError final : public std::runtime_error
{
public:
    FileWriteError(const std::filesystem::path& path, std::string reason);

    const std::filesystem::path& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }

private:
    std::filesystem::path m_path;
    std::string m_reason;
};

// Replaces the file at `path` with `bytes` so that readers see either the old
// file or the new one, never a part: the bytes go to a temporary file in the
// same directory (".<name>.XXXXXX"), are flushed to disk and renamed over the
// target. Temporaries of that name older than a minute, left by a write that
// was killed half-way, are removed on the way.
//
// A new file is readable and writable by its owner only; an existing file keeps
// its permission bits (and its owner where the system lets us). Symbolic links
// are followed, also one to a file that does not exist yet, so the file they
// point to is written, never the link replaced. An existing file without write
// permission is refused, as is anything that is not a regular file. On any
// failure FileWriteError is thrown and the target is left as it was.
//
// `durability` says how far the replacement is made to last: Durable also flushes the
// directory, so that the new file survives a power cut; ContentOnly keeps the
// guarantee above (after a crash a reader finds the old file or the new one,
// whole) but may come back with the old one, which suits a file the program can
// write again, such as a cache.
//
// Returns the state of the file written, taken from the temporary file itself
// before the rename: what the path shows afterwards may already be another
// writer's file.
enum class Durability
{
    Durable,
    ContentOnly,
};
FileState writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                              Durability durability = Durability::Durable);

// The file `path` stands for once every symbolic link on its last component
// has been followed, whether that file exists or not. A chain of more than 40
// links is left where it stands.
std::filesystem::path followLinks(const std::filesystem::path& path);

} // namespace listorix
