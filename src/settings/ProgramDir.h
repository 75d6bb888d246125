#pragma once

#include <string>
#include <string_view>

namespace listorix {

// The settings file's name in the program directory.
inline constexpr std::string_view kSettingsFileName = "LISTORIX.INI";

// The directory of the running program file, with its trailing "/": the
// settings file, the ticker lists, the cache files and the report lie there.
// Found once, from /proc/self/exe, on first use.
const std::string& ProgramDir();

// Points ProgramDir elsewhere (tests, tools); a missing trailing "/" is added.
// Meant to be called before anything reads ProgramDir, on the main thread.
void setProgramDir(std::string_view dir);
// Back to the directory of the running program file.
void resetProgramDir();

// ProgramDir followed by `name` exactly as given; an empty name gives the
// settings file "LISTORIX.INI".
std::string SettingsFilePath(std::string_view name = {});

} // namespace listorix
