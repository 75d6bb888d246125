#pragma once

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
// same directory, are flushed to disk and renamed over the target.
//
// A new file is readable and writable by its owner only; an existing file keeps
// its permission bits (and its owner where the system lets us). A symbolic link
// is followed, so the file it points to is replaced, not the link.
// An existing file without write permission is refused, as is anything that is
// not a regular file. On any failure FileWriteError is thrown and the target is
// left as it was.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace listorix
