#include "base/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace listorix {

namespace {

std::string errnoText(int error)
{
    return std::strerror(error);
}

// The temporary file while it is being written: closed and removed unless it
// has been renamed into place.
class TemporaryFile final
{
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        std::string pattern =
            (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        // mkstemp creates the file with mode 0600, whatever the umask says.
        m_fd = ::mkstemp(buffer.data());
        if (m_fd >= 0)
            m_path.assign(buffer.data());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }

    // Closes the descriptor; returns false (errno set) when the close reports
    // an error, which on some file systems is the first sign of a failed write.
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0;
    }
    // The file now lives under its final name: nothing left to remove.
    void release() { m_path.clear(); }

private:
    int m_fd = -1;
    std::string m_path;
};

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

// The file the name stands for: a symbolic link is followed so that the file
// it designates is replaced and the link stays.
std::filesystem::path resolveTarget(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved;
}

void syncDirectory(const std::filesystem::path& dir)
{
    // Makes the rename itself durable; a failure here loses nothing that a
    // reader could see, so it is not reported.
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileWriteError::FileWriteError(const std::filesystem::path& path, std::string reason)
    : std::runtime_error("Unable to write to " + path.string()), m_path(path), m_reason(std::move(reason))
{
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    const std::filesystem::path target = resolveTarget(path);
    const auto fail = [&path](std::string reason) { throw FileWriteError(path, std::move(reason)); };

    struct stat existing = {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        fail(errnoText(errno));
    if (exists) {
        if (!S_ISREG(existing.st_mode))
            fail("not a regular file");
        // Renaming over a read-only file would succeed whenever the directory is
        // writable; the file's own protection has to be honoured here. A file
        // with no write permission bit at all counts as read-only even for a
        // user whom the system would let through.
        if (::access(target.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0)
            fail(errnoText(EACCES));
    }

    TemporaryFile temp(target);
    if (!temp.isOpen())
        fail(errnoText(errno));
    if (exists) {
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
            // Only a privileged user can hand the file back to its owner; for
            // anyone else the replaced file is simply theirs.
            [[maybe_unused]] const int ignored = ::fchown(temp.fd(), existing.st_uid, existing.st_gid);
        }
        // After the change of owner, which may clear the set-id bits.
        if (::fchmod(temp.fd(), existing.st_mode & 07777) != 0)
            fail(errnoText(errno));
    }
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0 || !temp.close())
        fail(errnoText(errno));
    if (::rename(temp.path().c_str(), target.c_str()) != 0)
        fail(errnoText(errno));
    temp.release();
    syncDirectory(target.parent_path());
}

} // namespace listorix
