#include "ChildProcess.h"
#include "SettingsTestSupport.h"
#include "grid/TAlignGrid.h"
#include "settings/TIniObject.h"
#include "settings/TiniConfig.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace listorix {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;
using test::firstStartConfig;
using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

constexpr uid_t kNobody = 65534;

// What a settings path holds, told apart without reading through it.
std::string describe(const std::filesystem::path& path)
{
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0)
        return "nothing";
    if (S_ISLNK(info.st_mode))
        return "link to " + std::filesystem::read_symlink(path).string();
    if (S_ISDIR(info.st_mode))
        return "directory";
    if (S_ISFIFO(info.st_mode))
        return "fifo";
    return "file of " + std::to_string(info.st_size) + " bytes, mode " + std::to_string(info.st_mode & 07777);
}

// The bytes of a plain file at the path (read with the owner's read right lent
// for the moment when it lacks it); empty for anything else.
std::string regularFileBytes(const std::filesystem::path& path)
{
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    ::chmod(path.c_str(), (info.st_mode & 07777) | 0400);
    std::string bytes = readBytes(path);
    ::chmod(path.c_str(), info.st_mode & 07777);
    return bytes;
}

// Reading the settings and the portfolio gives the defaults; every write is
// refused with the message. Empty when all of it holds, else what did not.
std::string readsDefaultsAndRefusesWrites(const std::filesystem::path& path)
{
    std::string wrong;
    TiniConfig config;
    config.proxy.address = "stale";
    ReadConfig(config, path);
    if (!(config == firstStartConfig()))
        wrong += "ReadConfig did not give the defaults; ";
    TAlignGrid grid(2, 2);
    grid.setCell(0, 1, "design");
    TIniObject ini = TIniObject::atPath(path);
    ini.LoadGrid("Portafoglio", grid);
    if (grid.rowCount() != 2 || grid.cell(0, 1) != "design")
        wrong += "LoadGrid changed the grid; ";

    const std::string message = "Unable to write to " + path.string();
    const std::pair<const char*, std::function<void()>> writes[] = {
        {"WriteConfig", [&] { WriteConfig(firstStartConfig(), path); }},
        {"SaveGrid", [&] { ini.SaveGrid("Portafoglio", grid, 2); }},
        {"SaveColWidths", [&] { ini.SaveColWidths("Fondi", grid); }},
    };
    for (const auto& [name, write] : writes) {
        try {
            write();
            wrong += std::string(name) + " reported success; ";
        } catch (const FileWriteError& error) {
            if (error.what() != message)
                wrong += std::string(name) + " said \"" + error.what() + "\"; ";
        }
    }
    return wrong;
}

struct Case
{
    const char* name;
    // Puts something unreadable at `path` in `dir`.
    std::function<void(const ScratchDir& dir, const std::filesystem::path& path)> setUp;
    bool asNobody = false; // when run as root: the child gives up root's rights first
};

// A file the user may write but not read. Root reads it all the same, so as root
// the file and its directory go to an ordinary user whom the child becomes.
void writeOnlyFile(const ScratchDir& dir, const std::filesystem::path& path)
{
    writeBytes(path, "[PROXY]\r\nENABLED=S\r\n[Portafoglio]\r\n1=ENI;TA\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(dir.path().c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
}

const Case cases[] = {
    {"writeOnlyFile", writeOnlyFile, true},
    // Reading /proc/self/mem from its start fails with EIO: a read error that
    // neither the mode bits nor root's rights have a say in.
    {"readError",
     [](const ScratchDir&, const std::filesystem::path& path) {
         std::filesystem::create_symlink("/proc/self/mem", path);
     }},
    {"directory",
     [](const ScratchDir&, const std::filesystem::path& path) {
         std::filesystem::create_directory(path);
         writeBytes(path / "inside", "x");
     }},
    {"fifoWithoutWriter",
     [](const ScratchDir&, const std::filesystem::path& path) {
         ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
     }},
    {"linkToAnEndlessDevice",
     [](const ScratchDir&, const std::filesystem::path& path) {
         std::filesystem::create_symlink("/dev/zero", path);
     }},
    {"beyondTheSizeCap",
     [](const ScratchDir&, const std::filesystem::path& path) {
         writeBytes(path, "[PROXY]\r\nENABLED=S\r\n");
         std::filesystem::resize_file(path, IniFile::kMaxFileBytes + 1);
     }},
};

class UnreadableSettingsFile : public ::testing::TestWithParam<Case>
{
};

TEST_P(UnreadableSettingsFile, readsGiveDefaultsAndWritesAreRefusedLeavingItAsItWas)
{
    const Case& c = GetParam();
    ScratchDir dir;
    const auto path = dir.file("LISTORIX.INI");
    c.setUp(dir, path);
    if (::testing::Test::HasFatalFailure())
        return;
    const std::string before = describe(path);
    const bool root = ::geteuid() == 0;
    const std::string bytesBefore = regularFileBytes(path);

    // In a child of its own, so that a read that blocks (a FIFO) or never ends
    // (a device) is caught by the time limit instead of hanging the tests.
    ChildProcess child([&] {
        if (c.asNobody && root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            return std::string("could not become an ordinary user");
        return readsDefaultsAndRefusesWrites(path);
    });
    const std::optional<std::string> report = child.finish(5s);
    ASSERT_TRUE(report) << "reading or writing did not end";
    EXPECT_EQ(*report, "");

    EXPECT_EQ(describe(path), before);
    EXPECT_TRUE(regularFileBytes(path) == bytesBefore) << "the file's bytes changed";
    // Nothing beside it but the writers' lock.
    for (const std::string& name : test::entriesOf(dir.path()))
        EXPECT_TRUE(name == "LISTORIX.INI" || name == ".LISTORIX.INI.lock") << name;
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, UnreadableSettingsFile, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace listorix
