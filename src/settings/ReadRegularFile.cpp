#include "settings/ReadRegularFile.h"

#include "base/PosixIo.h"
#include "base/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace listorix {

namespace {

FileContents unreadable(std::string reason)
{
    FileContents contents;
    contents.outcome = FileContents::Outcome::Unreadable;
    contents.reason = std::move(reason);
    return contents;
}

// Why a file found by stat cannot be read, or nothing when it can be.
const char* refusal(const struct stat& info, std::size_t maxBytes)
{
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return "file too large";
    return nullptr;
}

} // namespace

FileContents readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    // Judged before opening: opening a FIFO for reading waits for a writer, and
    // opening a device may have effects of its own.
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return {};
        return unreadable(errnoText(errno));
    }
    if (const char* why = refusal(info, maxBytes))
        return unreadable(why);

    // O_NONBLOCK in case something else was put at the path meanwhile.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) {
        if (errno == ENOENT)
            return {};
        return unreadable(errnoText(errno));
    }
    if (::fstat(fd.get(), &info) != 0)
        return unreadable(errnoText(errno));
    if (const char* why = refusal(info, maxBytes))
        return unreadable(why);

    FileContents contents;
    contents.outcome = FileContents::Outcome::Read;
    contents.state = FileState::of(info);
    contents.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t total = 0;
    for (;;) {
        if (total == contents.bytes.size()) {
            // Grown since fstat: read on, within the bound.
            if (total > maxBytes)
                return unreadable("file too large");
            contents.bytes.resize(std::min(total * 2 + 4096, maxBytes + 1));
        }
        const ssize_t got = ::read(fd.get(), contents.bytes.data() + total, contents.bytes.size() - total);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return unreadable(errnoText(errno));
        }
        total += static_cast<std::size_t>(got);
    }
    contents.bytes.resize(total);
    return contents;
}

} // namespace listorix
