#include "settings/ProgramDir.h"

#include "base/DirPath.h"

#include <optional>

namespace listorix {

namespace {

std::optional<DataLocation>& overriddenLocation()
{
    static std::optional<DataLocation> location;
    return location;
}

const DataLocation& runningProgramLocation()
{
    static const DataLocation location = [] {
        DataLocation found = resolveDataLocation(currentDataLocationInputs());
        // A failure shows later, when a file cannot be written there.
        if (!found.besideProgram)
            ensurePrivateDir(found.keepDir);
        return found;
    }();
    return location;
}

const DataLocation& location()
{
    if (const std::optional<DataLocation>& overridden = overriddenLocation())
        return *overridden;
    return runningProgramLocation();
}

} // namespace

const std::string& ProgramDir()
{
    return location().keepDir;
}

const std::vector<std::string>& DataReadDirs()
{
    return location().readDirs;
}

const std::string& ProgramFileDir()
{
    static const std::string dir = currentDataLocationInputs().programFileDir;
    return dir;
}

void setProgramDir(std::string_view dir)
{
    const std::string keep = withTrailingSeparator(std::string(dir));
    overriddenLocation() = DataLocation{keep, {keep}, true};
}

void setDataLocation(DataLocation location)
{
    overriddenLocation() = std::move(location);
}

void resetProgramDir()
{
    overriddenLocation().reset();
}

std::string SettingsFilePath(std::string_view name)
{
    return ProgramDir() + std::string(name.empty() ? kSettingsFileName : name);
}

} // namespace listorix
