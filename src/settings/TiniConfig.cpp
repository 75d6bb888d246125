#include "settings/TiniConfig.h"

#include "base/HexDigit.h"
#include "settings/IniFile.h"

#include <array>
#include <utility>

namespace listorix {

namespace {

constexpr std::string_view kProxySection = "PROXY";
constexpr std::string_view kConnectionsSection = "CONNESSIONI";

// The six connections of CONNESSIONI, in the order they are read and written,
// with the defaults of their interval keys.
struct Connection
{
    std::string_view name;
    bool TiniConfig::*enabled;
    std::int32_t TiniConfig::*interval;
    std::int32_t defaultInterval;
};
constexpr std::array<Connection, 6> kConnections{{
    {"INDICI", &TiniConfig::IndiciEnabled, &TiniConfig::IndiciIntervallo, 5},
    {"MIBTEL", &TiniConfig::MibtelEnabled, &TiniConfig::MibtelIntervallo, 15},
    {"MIB30", &TiniConfig::Mib30Enabled, &TiniConfig::Mib30Intervallo, 15},
    {"DERIVATI", &TiniConfig::DerivatiEnabled, &TiniConfig::DerivatiIntervallo, 15},
    {"OBBLIGAZIONI", &TiniConfig::ObbligazioniEnabled, &TiniConfig::ObbligazioniIntervallo, 15},
    {"FONDI", &TiniConfig::FondiEnabled, &TiniConfig::FondiIntervallo, 180},
}};

std::string enabledKey(const Connection& c)
{
    return std::string(c.name) + " ENABLED";
}
std::string intervalKey(const Connection& c)
{
    return std::string(c.name) + " INTERVALLO";
}

constexpr int periodOffset(std::size_t position)
{
    return static_cast<int>(position % 27) * 13;
}

} // namespace

void ReadConfig(TiniConfig& config, const std::filesystem::path& file)
{
    const IniFile ini(file);
    // PROXY answers "S" and "N"; only an exact "S" switches the proxy on.
    config.proxy.enabled = ini.readString(kProxySection, "ENABLED", "N") == "S";
    config.proxy.address = ini.readString(kProxySection, "ADDRESS");
    config.proxy.port = ini.readString(kProxySection, "PORT");
    config.proxy.username = ini.readString(kProxySection, "USERNAME");
    config.proxy.password = DecodePassword(ini.readString(kProxySection, "PASSWORD"));
    // CONNESSIONI answers in integers, non-zero meaning on.
    for (const Connection& c : kConnections) {
        config.*c.enabled = ini.readInteger(kConnectionsSection, enabledKey(c), 1) != 0;
        config.*c.interval = ini.readInteger(kConnectionsSection, intervalKey(c), c.defaultInterval);
    }
}

void WriteConfig(const TiniConfig& config, const std::filesystem::path& file)
{
    IniFile ini(file);
    ini.writeString(kProxySection, "ENABLED", config.proxy.enabled ? "S" : "N");
    ini.writeString(kProxySection, "ADDRESS", config.proxy.address);
    ini.writeString(kProxySection, "PORT", config.proxy.port);
    ini.writeString(kProxySection, "USERNAME", config.proxy.username);
    ini.writeString(kProxySection, "PASSWORD", EncodePassword(config.proxy.password));
    for (const Connection& c : kConnections) {
        ini.writeString(kConnectionsSection, enabledKey(c), config.*c.enabled ? "1" : "0");
        ini.writeString(kConnectionsSection, intervalKey(c), std::to_string(config.*c.interval));
    }
}

std::string EncodePassword(std::string_view password)
{
    std::string stored;
    stored.reserve(password.size() * 4);
    for (std::size_t i = 0; i < password.size(); ++i) {
        // At most 255 + 26 * 13 = 593, so four digits always suffice.
        const int code = static_cast<unsigned char>(password[i]) + periodOffset(i + 1);
        for (int shift = 12; shift >= 0; shift -= 4)
            stored += kHexDigits[static_cast<std::size_t>((code >> shift) & 0xF)];
    }
    return stored;
}

std::string DecodePassword(std::string_view stored)
{
    std::string password;
    const std::size_t groups = stored.size() / 4;
    password.reserve(groups);
    for (std::size_t k = 0; k < groups; ++k) {
        int value = 0;
        for (const char c : stored.substr(k * 4, 4)) {
            const int digit = hexDigitValue(c);
            if (digit < 0)
                return {}; // not a stored password: none at all beats a garbled one
            value = value * 16 + digit;
        }
        password += static_cast<char>((value - periodOffset(k + 1)) & 0xFF);
    }
    return password;
}

} // namespace listorix
