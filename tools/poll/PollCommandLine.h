#pragma once

#include <optional>
#include <string>
#include <vector>

namespace listorix::poll {

struct PollOptions
{
    // The program folder: LISTORIX.INI, the ticker lists, the cache files.
    std::string dir;
    // Full cycles to fetch (every enabled category once per cycle); none: until
    // interrupted.
    std::optional<int> cycles;
    // Count the schedule's seconds without waiting for them.
    bool noWait = false;
    // Print the request URLs of every category, one per line, and fetch nothing.
    bool printRequests = false;
    // Write this quote host ("host" or "host:port") into the folder's settings file
    // and do nothing else (the run command points the demo folder at its service).
    std::optional<std::string> setHost;
    bool help = false;
};

struct ParsedPollCommandLine
{
    std::optional<PollOptions> options;
    std::string error;
};

// The arguments without the program name, "--name value" or "--name=value".
ParsedPollCommandLine parsePollCommandLine(const std::vector<std::string>& arguments);
std::string pollUsageText();

} // namespace listorix::poll
