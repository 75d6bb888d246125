#pragma once

#include "ScratchDir.h"
#include "settings/TiniConfig.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace listorix::test {

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The settings of a first start, without a settings file.
inline TiniConfig firstStartConfig()
{
    TiniConfig c;
    c.IndiciEnabled = c.MibtelEnabled = c.Mib30Enabled = c.DerivatiEnabled = c.ObbligazioniEnabled =
        c.FondiEnabled = true;
    c.IndiciIntervallo = 5;
    c.MibtelIntervallo = c.Mib30Intervallo = c.DerivatiIntervallo = c.ObbligazioniIntervallo = 15;
    c.FondiIntervallo = 180;
    return c;
}

inline std::filesystem::path fixture(std::string_view name)
{
    return std::filesystem::path(LISTORIX_TEST_DATA_DIR) / "settings" / name;
}

// Names in the directory other than the ones given: left-over temporaries.
inline std::vector<std::string> entriesOf(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace listorix::test
