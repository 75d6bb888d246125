#include "settings/ProgramDir.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace listorix {

namespace {

std::string withTrailingSeparator(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
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

std::optional<std::string>& overriddenDir()
{
    static std::optional<std::string> dir;
    return dir;
}

} // namespace

const std::string& ProgramDir()
{
    if (const std::optional<std::string>& dir = overriddenDir())
        return *dir;
    static const std::string dir = executableDir();
    return dir;
}

void setProgramDir(std::string_view dir)
{
    overriddenDir() = withTrailingSeparator(std::string(dir));
}

void resetProgramDir()
{
    overriddenDir().reset();
}

std::string SettingsFilePath(std::string_view name)
{
    return ProgramDir() + std::string(name.empty() ? kSettingsFileName : name);
}

} // namespace listorix
