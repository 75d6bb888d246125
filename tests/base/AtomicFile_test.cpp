#include "SettingsTestSupport.h"
#include "base/AtomicFile.h"

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace listorix {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

mode_t modeOf(const std::filesystem::path& path)
{
    struct stat info = {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// The umask of the process, set for the test and put back after it.
class ScopedUmask final
{
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_old;
};

TEST(AtomicFile, newFileIsPrivateToItsOwnerWhateverTheUmask)
{
    ScratchDir dir;
    const ScopedUmask permissive(0);
    writeFileAtomically(dir.file("LISTORIX.INI"), "a\r\nb");
    EXPECT_EQ(readBytes(dir.file("LISTORIX.INI")), "a\r\nb");
    EXPECT_EQ(modeOf(dir.file("LISTORIX.INI")), 0600u);
    EXPECT_EQ(test::entriesOf(dir.path()), std::vector<std::string>{"LISTORIX.INI"});
}

TEST(AtomicFile, existingFileKeepsItsPermissions)
{
    ScratchDir dir;
    for (const mode_t mode : {0644u, 0660u, 0600u, 0200u}) {
        const auto path = dir.file("f" + std::to_string(mode));
        writeBytes(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        writeFileAtomically(path, "new");
        EXPECT_EQ(readBytes(path), "new");
        EXPECT_EQ(modeOf(path), mode) << std::oct << mode;
    }
}

TEST(AtomicFile, symbolicLinksStayAndTheFileTheyPointToIsWritten)
{
    const struct
    {
        const char* name;
        bool targetExists;
        std::vector<std::pair<std::string, std::string>> links; // link name, what it points to
        std::string target;
    } cases[] = {
        {"to an existing file", true, {{"link.ini", "real.ini"}}, "real.ini"},
        {"to a file not yet there", false, {{"link.ini", "real.ini"}}, "real.ini"},
        {"through a chain to a file not yet there",
         false,
         {{"link.ini", "middle"}, {"middle", "sub/real.ini"}},
         "sub/real.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        std::filesystem::create_directory(dir.file("sub"));
        if (c.targetExists)
            writeBytes(dir.file(c.target), "old");
        for (const auto& [link, to] : c.links)
            std::filesystem::create_symlink(to, dir.file(link));

        const FileState written = writeFileAtomically(dir.file("link.ini"), "new");
        for (const auto& [link, to] : c.links)
            EXPECT_EQ(std::filesystem::read_symlink(dir.file(link)), to);
        EXPECT_EQ(readBytes(dir.file(c.target)), "new");
        EXPECT_EQ(written, FileState::at(dir.file(c.target)));
    }
}

TEST(AtomicFile, temporariesLeftByAKilledWriteGoWhenAMinuteOld)
{
    ScratchDir dir;
    const auto age = [&dir](const std::string& name, std::time_t secondsAgo) {
        writeBytes(dir.file(name), "half");
        const timespec when = {std::time(nullptr) - secondsAgo, 0};
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, dir.file(name).c_str(), times, 0), 0);
    };
    age(".LISTORIX.INI.a1B2c3", 3600); // ours, stale
    age(".LISTORIX.INI.Zz9yY8", 5);    // ours, maybe still being written
    age(".LISTORIX.INI.lock", 3600);   // the writers' lock
    age(".OTHER.INI.a1B2c3", 3600);    // another file's
    age("LISTORIX.INI.a1B2c3", 3600);  // not a temporary's name
    age(".LISTORIX.INI.a1B2c", 3600);  // nor this

    writeFileAtomically(dir.file("LISTORIX.INI"), "new");
    std::vector<std::string> names = test::entriesOf(dir.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{".LISTORIX.INI.Zz9yY8", ".LISTORIX.INI.a1B2c", ".LISTORIX.INI.lock",
                                        ".OTHER.INI.a1B2c3", "LISTORIX.INI", "LISTORIX.INI.a1B2c3"}));
}

TEST(AtomicFile, failedWriteLeavesTheTargetAsItWasAndNoTemporary)
{
    ScratchDir dir;
    const auto readOnly = dir.file("read-only.ini");
    writeBytes(readOnly, "keep me");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    std::filesystem::create_directory(dir.file("a-directory"));

    for (const auto& target : {readOnly, dir.file("no-such-dir") / "x.ini", dir.file("a-directory")}) {
        try {
            writeFileAtomically(target, "new");
            ADD_FAILURE() << "no error for " << target;
        } catch (const FileWriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + target.string());
            EXPECT_EQ(error.path(), target);
            EXPECT_FALSE(error.reason().empty());
        }
    }
    EXPECT_EQ(readBytes(readOnly), "keep me");
    EXPECT_EQ(modeOf(readOnly), 0444u);
    EXPECT_EQ(test::entriesOf(dir.path()).size(), 2u); // the two targets, no temporaries
}

} // namespace
} // namespace listorix
