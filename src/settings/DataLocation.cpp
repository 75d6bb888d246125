#include "settings/DataLocation.h"

#include "base/DirPath.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef LISTORIX_INSTALLED_DATA_RELATIVE
// Where an installation puts the data folder, seen from the program's folder.
#define LISTORIX_INSTALLED_DATA_RELATIVE "../share/listorix"
#endif

namespace listorix {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string homeFolder()
{
    std::string home = environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return {};
}

std::string executableDir()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && exe.has_parent_path())
        return withTrailingSeparator(exe.parent_path().string());
    // Without /proc the working directory is the best guess left.
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string("./") : withTrailingSeparator(cwd.string());
}

} // namespace

std::string userDataDir(const std::string& xdgDataHome, const std::string& home)
{
    // The freedesktop base-directory rules: a relative XDG_DATA_HOME is ignored.
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/')
        return withTrailingSeparator(xdgDataHome) + "listorix/";
    if (!home.empty())
        return withTrailingSeparator(home) + ".local/share/listorix/";
    return {};
}

DataLocation resolveDataLocation(const DataLocationInputs& inputs)
{
    const std::string programDir = withTrailingSeparator(inputs.programFileDir);
    const bool writable = inputs.isWritable ? inputs.isWritable(programDir) : isWritableDir(programDir);
    const bool installed = !writable || inputs.installedDataDirExists;
    const std::string userDir = userDataDir(inputs.xdgDataHome, inputs.home);
    if (!installed || userDir.empty())
        return {programDir, {programDir}, true};

    DataLocation location{userDir, {userDir}, false};
    if (!inputs.installedDataDir.empty()) {
        const std::string installed =
            withTrailingSeparator(std::filesystem::path(inputs.installedDataDir).lexically_normal().string());
        if (installed != userDir)
            location.readDirs.push_back(installed);
    }
    return location;
}

bool isWritableDir(const std::string& dir)
{
    return ::access(dir.c_str(), W_OK) == 0;
}

bool ensurePrivateDir(const std::string& dir)
{
    if (dir.empty())
        return false;
    std::filesystem::path path;
    for (const auto& part : std::filesystem::path(dir).lexically_normal()) {
        if (part.empty())
            continue;
        path /= part;
        // mkdir, not create_directories: the mode is set as the folder is made, so
        // there is no moment in which others could enter it.
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    std::error_code error;
    return std::filesystem::is_directory(dir, error);
}

DataLocationInputs currentDataLocationInputs()
{
    const std::string programDir = executableDir();
    const std::string installedDataDir = programDir + LISTORIX_INSTALLED_DATA_RELATIVE;
    std::error_code error;
    const bool installedDataDirExists = std::filesystem::is_directory(installedDataDir, error);
    return {programDir,   installedDataDir, installedDataDirExists, environment("XDG_DATA_HOME"),
            homeFolder(), isWritableDir};
}

} // namespace listorix
