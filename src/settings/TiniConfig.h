#pragma once

#include "base/ProxySettings.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace listorix {

// The settings kept in sections PROXY and CONNESSIONI of the settings file.
// A fresh record holds false, empty texts and 0 until it is read.
class TiniConfig final
{
public:
    // Section PROXY; the password plain, scrambled only in the file.
    ProxySettings proxy;
    bool IndiciEnabled = false;
    std::int32_t IndiciIntervallo = 0;
    bool MibtelEnabled = false;
    std::int32_t MibtelIntervallo = 0;
    bool Mib30Enabled = false;
    std::int32_t Mib30Intervallo = 0;
    bool DerivatiEnabled = false;
    std::int32_t DerivatiIntervallo = 0;
    bool ObbligazioniEnabled = false;
    std::int32_t ObbligazioniIntervallo = 0;
    bool FondiEnabled = false;
    std::int32_t FondiIntervallo = 0;

    bool operator==(const TiniConfig&) const = default;
};

// Fills every field from the settings file, with the defaults for what is
// missing or unreadable. Never creates the file.
void ReadConfig(TiniConfig& config, const std::filesystem::path& file);

// Writes every field into the settings file, key by key, each reaching the
// file as it is written; other keys and sections stay as they are. Throws
// FileWriteError ("Unable to write to <path>") at the first write that fails.
void WriteConfig(const TiniConfig& config, const std::filesystem::path& file);

// The stored form of the proxy password: for the character at 1-based position
// i, its code plus (i mod 27) * 13 as four upper-case hexadecimal digits.
std::string EncodePassword(std::string_view password);
// The reverse, by whole groups of four (a shorter tail is ignored). A stored
// form with a group that is not hexadecimal gives an empty password.
std::string DecodePassword(std::string_view stored);

} // namespace listorix
