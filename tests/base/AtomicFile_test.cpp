#include "SettingsTestSupport.h"
#include "base/AtomicFile.h"

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

TEST(AtomicFile, symbolicLinkStaysAndItsTargetIsReplaced)
{
    ScratchDir dir;
    writeBytes(dir.file("real.ini"), "old");
    std::filesystem::create_symlink("real.ini", dir.file("link.ini"));
    writeFileAtomically(dir.file("link.ini"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(readBytes(dir.file("real.ini")), "new");
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
