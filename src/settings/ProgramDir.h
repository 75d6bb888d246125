#pragma once

#include "settings/DataLocation.h"

#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// The settings file's name in the program directory.
inline constexpr std::string_view kSettingsFileName = "LISTORIX.INI";

// The folder the program keeps its files in, with its trailing "/": the
// settings file, the cache files and the report lie there. It is the running
// program's own folder when that is writable, else the user's folder
// ($XDG_DATA_HOME/listorix/, created owner-only); see DataLocation. Found once,
// on first use.
const std::string& ProgramDir();

// The folders the ticker lists and web/ are read from, in search order; the
// first is ProgramDir().
const std::vector<std::string>& DataReadDirs();

// The running program file's own folder, with its trailing "/".
const std::string& ProgramFileDir();

// Points ProgramDir (and the read folders) elsewhere (tests, tools); a missing
// trailing "/" is added. Meant to be called before anything reads ProgramDir,
// on the main thread.
void setProgramDir(std::string_view dir);
void setDataLocation(DataLocation location);
// Back to the rule for the running program.
void resetProgramDir();

// ProgramDir followed by `name` exactly as given; an empty name gives the
// settings file "LISTORIX.INI".
std::string SettingsFilePath(std::string_view name = {});

} // namespace listorix
