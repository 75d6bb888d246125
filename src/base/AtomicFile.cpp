#include "base/AtomicFile.h"

#include "base/PosixIo.h"
#include "base/UniqueFd.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace listorix {

namespace {

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
        m_fd.reset(::mkstemp(buffer.data()));
        if (m_fd.valid())
            m_path.assign(buffer.data());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        m_fd.reset();
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }

    bool isOpen() const { return m_fd.valid(); }
    int fd() const { return m_fd.get(); }
    const std::string& path() const { return m_path; }

    // Closes the descriptor; returns false (errno set) when the close reports
    // an error, which on some file systems is the first sign of a failed write.
    bool close() { return ::close(m_fd.release()) == 0; }
    // The file now lives under its final name: nothing left to remove.
    void release() { m_path.clear(); }

private:
    UniqueFd m_fd;
    std::string m_path;
};

// A temporary of ours for `target` in its name: ".<name>." and the six letters
// or digits mkstemp puts in place of the X's.
bool isTemporaryOf(const std::string& entry, const std::string& targetName)
{
    const std::string prefix = "." + targetName + ".";
    if (entry.size() != prefix.size() + 6 || !entry.starts_with(prefix))
        return false;
    return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Removes the temporaries of `target` that a write killed half-way left behind.
// One younger than a minute may belong to a write still under way.
void removeStaleTemporaries(const std::filesystem::path& target)
{
    const std::filesystem::path dir = target.parent_path().empty() ? "." : target.parent_path();
    const std::string targetName = target.filename().string();
    const std::time_t staleBefore = std::time(nullptr) - 60;
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        struct stat info = {};
        if (isTemporaryOf(entry, targetName) && ::lstat(it->path().c_str(), &info) == 0 &&
            S_ISREG(info.st_mode) && info.st_mtime < staleBefore)
            ::unlink(it->path().c_str());
    }
}

void syncDirectory(const std::filesystem::path& dir)
{
    // Makes the rename itself durable; a failure here loses nothing that a
    // reader could see, so it is not reported.
    const UniqueFd fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

} // namespace

FileWriteError::FileWriteError(const std::filesystem::path& path, std::string reason)
    : std::runtime_error("Unable to write to " + path.string()), m_path(path), m_reason(std::move(reason))
{
}

std::filesystem::path followLinks(const std::filesystem::path& path)
{
    std::filesystem::path current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error)))
            return current;
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error)
            return current;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return path;
}

FileState writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, Durability durability)
{
    const std::filesystem::path target = followLinks(path);
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

    removeStaleTemporaries(target);
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
    struct stat written = {};
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0 || ::fstat(temp.fd(), &written) != 0 ||
        !temp.close())
        fail(errnoText(errno));
    if (::rename(temp.path().c_str(), target.c_str()) != 0)
        fail(errnoText(errno));
    temp.release();
    if (durability == Durability::Durable)
        syncDirectory(target.parent_path());
    return FileState::of(written);
}

} // namespace listorix
