#pragma once

// A program folder for the spine and listorix-poll: the demo service's sample
// ticker lists and a settings file naming the service as the quote host.

#include "ScratchDir.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace listorix::test {

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline int countLines(const std::string& text)
{
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}

struct ProgramFolder
{
    // `host` as the settings file's SERVIZIO HOST ("127.0.0.1:PORT").
    explicit ProgramFolder(const std::string& host, const std::string& moreSettings = {})
    {
        for (const char* list : {"A_azioni.lst", "O_obbligazioni.lst", "D_derivati.lst", "F_fondi.lst"})
            std::filesystem::copy_file(std::filesystem::path(LISTORIX_QUOTED_DATA_DIR) / list,
                                       dir.path() / list);
        dir.write("LISTORIX.INI", "[SERVIZIO]\r\nHOST=" + host + "\r\n" + moreSettings);
    }

    std::filesystem::path file(const char* name) const { return dir.file(name); }

    ScratchDir dir;
};

inline constexpr const char* kCacheFiles[] = {"i.dat", "y_mibtel.dat", "y_obb.dat", "y_derivati.dat",
                                              "y_fondi.dat"};

} // namespace listorix::test
