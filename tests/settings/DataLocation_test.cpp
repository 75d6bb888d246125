#include "ScratchDir.h"
#include "settings/DataLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace listorix {
namespace {

using test::ScratchDir;

DataLocationInputs inputs(bool writable, bool installedDataDirExists = true)
{
    return {"/usr/local/bin",
            "/usr/local/bin/../share/listorix",
            installedDataDirExists,
            "",
            "/home/anna",
            [writable](const std::string& dir) { return writable && dir == "/usr/local/bin/"; }};
}

TEST(DataLocation, writableFolderOfItsOwnKeepsEverythingBesideTheProgram)
{
    const DataLocation location = resolveDataLocation(inputs(true, false));
    EXPECT_EQ(location, (DataLocation{"/usr/local/bin/", {"/usr/local/bin/"}, true}));
}

TEST(DataLocation, installedProgramKeepsFilesInTheUserFolderAndReadsTheInstalledData)
{
    const DataLocation installed{"/home/anna/.local/share/listorix/",
                                 {"/home/anna/.local/share/listorix/", "/usr/local/share/listorix/"},
                                 false};
    EXPECT_EQ(resolveDataLocation(inputs(false)), installed);
    // Root may write to /usr/local/bin; the installed tree beside it still says where files go.
    EXPECT_EQ(resolveDataLocation(inputs(true)), installed);
    // A folder nobody may write, even without a data folder beside it.
    EXPECT_FALSE(resolveDataLocation(inputs(false, false)).besideProgram);
}

TEST(DataLocation, userFolderFollowsXdgDataHomeWhenAbsolute)
{
    const struct
    {
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/data/anna", "/home/anna", "/data/anna/listorix/"},
        {"/data/anna/", "/home/anna", "/data/anna/listorix/"},
        {"relative/dir", "/home/anna", "/home/anna/.local/share/listorix/"}, // ignored, as the rule says
        {"", "/home/anna/", "/home/anna/.local/share/listorix/"},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(userDataDir(c.xdg, c.home), c.expected) << c.xdg << " | " << c.home;
}

TEST(DataLocation, withNowhereToGoTheProgramStaysBesideItself)
{
    DataLocationInputs in = inputs(false);
    in.home.clear();
    EXPECT_TRUE(resolveDataLocation(in).besideProgram);
}

TEST(DataLocation, ensurePrivateDirCreatesMissingFoldersOwnerOnly)
{
    ScratchDir scratch;
    const std::string dir = scratch.dir() + "share/listorix/";
    ASSERT_TRUE(ensurePrivateDir(dir));
    for (const char* made : {"share", "share/listorix"}) {
        struct stat info
        {
        };
        ASSERT_EQ(::stat((scratch.dir() + made).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }
    EXPECT_TRUE(ensurePrivateDir(dir)); // already there
    scratch.write("file", "x");
    EXPECT_FALSE(ensurePrivateDir(scratch.dir() + "file/sub"));
}

} // namespace
} // namespace listorix
