#pragma once

#include <functional>
#include <string>
#include <vector>

namespace listorix {

// Where the program keeps the files it writes and where it looks for those it
// only reads. A program in a folder the user can write (unpacked or built) keeps
// everything beside itself, as it always has. An installed program keeps its
// settings, caches and report in the user's own folder and reads the ticker lists
// and web/ from there first, then from the installed data folder. Installed means
// a program folder that is not writable (such as /usr/local/bin), or one with an
// installed data folder beside it: so root running /usr/local/bin/listorix, or a
// user's own installation under ~/.local, do not fill bin/ with settings files.
struct DataLocation
{
    std::string keepDir;               // settings file, caches, report; ends with "/"
    std::vector<std::string> readDirs; // ticker lists and web/, in search order; each ends with "/"
    bool besideProgram = true;

    bool operator==(const DataLocation&) const = default;
};

// What the decision is made from; currentDataLocationInputs() fills it for the
// running program.
struct DataLocationInputs
{
    std::string programFileDir;   // the running program's folder
    std::string installedDataDir; // the data folder an installation puts beside bin/
    bool installedDataDirExists = false;
    std::string xdgDataHome; // $XDG_DATA_HOME as set (a relative value is ignored)
    std::string home;        // the user's home folder
    std::function<bool(const std::string& dir)> isWritable;
};

// The user's folder: $XDG_DATA_HOME/listorix/, by default ~/.local/share/listorix/.
// Empty when neither an absolute $XDG_DATA_HOME nor a home folder is known.
std::string userDataDir(const std::string& xdgDataHome, const std::string& home);

// The rule above. Without a user folder to go to, the program stays beside itself.
DataLocation resolveDataLocation(const DataLocationInputs& inputs);

// Whether this process may create files in `dir` (access(2) with W_OK).
bool isWritableDir(const std::string& dir);

// Creates `dir` with its missing parents; the folders it creates are open to
// their owner only. True when the folder exists afterwards.
bool ensurePrivateDir(const std::string& dir);

// The running program's folder (from /proc/self/exe), its installed data folder
// and whether it exists, the environment's $XDG_DATA_HOME and $HOME (the password
// database's entry when unset), and isWritableDir.
DataLocationInputs currentDataLocationInputs();

} // namespace listorix
