#pragma once

#include "quoted/CivilTime.h"
#include "quoted/Faults.h"
#include "quoted/QuoteServer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace listorix::quoted {

struct CommandLine
{
    ServerSettings server;
    Faults faults;
    std::uint64_t seed = 1;
    std::optional<LocalDateTime> now; // a pinned clock, Italian time
    bool alwaysOpen = false;          // the market trades every day around the clock
    std::optional<std::string> dataFolder;
    std::string tlsCertificateFile; // both set: HTTPS
    std::string tlsKeyFile;
    bool verbose = false;
    bool help = false;
};

struct ParsedCommandLine
{
    std::optional<CommandLine> options;
    std::string error;
};

// The program's arguments (without the program name), as "--name value" or "--name=value".
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();

} // namespace listorix::quoted
