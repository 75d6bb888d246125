#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// What the web source's search found for an ISIN, kept in a section of its own of
// the settings file, one key per ISIN:
//
//   [SIMBOLI WEB]
//   LU0211445258=0P0000ABCD;1736928300    the chart endpoint's symbol ; when searched
//   IT0001589370=;1736928300              the search found nothing
//
// (the time in seconds since the Unix epoch). The web source is its one writer.
inline constexpr std::string_view kWebSymbolsSection = "SIMBOLI WEB";

struct StoredWebSymbol
{
    std::string symbol; // empty: found nothing
    std::int64_t searchedAt = 0;

    bool operator==(const StoredWebSymbol&) const = default;
};

// The entry of `isin`; nothing when it is missing, does not read (a symbol with
// characters no symbol has, a time that is not a number) or the file cannot be read.
std::optional<StoredWebSymbol> readWebSymbol(const std::filesystem::path& settingsFile,
                                             std::string_view isin);

// Writes the entry of `isin`, under the settings file's lock and touching no other
// key or section; nothing is written when the file already says so. Throws
// FileWriteError when the file cannot be written, or read (it is then left as it
// is), and std::invalid_argument for an ISIN or symbol that would not read back.
void writeWebSymbol(const std::filesystem::path& settingsFile, std::string_view isin,
                    const StoredWebSymbol& stored);

} // namespace listorix
