#include "settings/WebSymbolsSection.h"

#include "settings/IniFile.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace listorix {

namespace {

bool isSymbolCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '^' || c == '=' || c == '_';
}

bool isSymbol(std::string_view text)
{
    return text.size() <= 32 && std::all_of(text.begin(), text.end(), isSymbolCharacter);
}

bool isIsinKey(std::string_view text)
{
    return text.size() == 12 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

} // namespace

std::optional<StoredWebSymbol> readWebSymbol(const std::filesystem::path& settingsFile, std::string_view isin)
{
    const std::optional<std::string> value = IniFile(settingsFile).value(kWebSymbolsSection, isin);
    if (!value)
        return std::nullopt;
    const std::string_view text = *value;
    const auto semicolon = text.find(';');
    if (semicolon == std::string_view::npos)
        return std::nullopt;
    StoredWebSymbol stored;
    stored.symbol = std::string(text.substr(0, semicolon));
    const std::string_view time = text.substr(semicolon + 1);
    const auto [end, error] = std::from_chars(time.data(), time.data() + time.size(), stored.searchedAt);
    if (time.empty() || error != std::errc() || end != time.data() + time.size() || !isSymbol(stored.symbol))
        return std::nullopt;
    return stored;
}

void writeWebSymbol(const std::filesystem::path& settingsFile, std::string_view isin,
                    const StoredWebSymbol& stored)
{
    if (!isIsinKey(isin) || !isSymbol(stored.symbol))
        throw std::invalid_argument("not an ISIN and a symbol the settings file keeps");
    IniFile(settingsFile)
        .writeString(kWebSymbolsSection, isin, stored.symbol + ';' + std::to_string(stored.searchedAt));
}

} // namespace listorix
