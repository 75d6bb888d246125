#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace listorix {

namespace detail {

constexpr std::array<char, 256> makeFoldTable()
{
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        int folded = c;
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            folded = c + 0x20;
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            folded = c + 0x10; // S, OE and Z with caron or ligature
        else if (c == 0x9F)
            folded = 0xFF; // Y with diaeresis
        table[static_cast<std::size_t>(c)] = static_cast<char>(folded);
    }
    return table;
}

inline constexpr std::array<char, 256> kFoldTable = makeFoldTable();

} // namespace detail

// Letter case of Windows-1252 text, the code page of every text the program keeps:
// A-Z, the accented capitals of Latin-1 and the capitals S, Z and OE with caron or
// ligature and Y with diaeresis fold to their small letters; every other byte is
// its own fold. Names in the settings file and security codes match this way.
// Inline: security lookups fold every character of long tables.
inline char foldCase(char c)
{
    return detail::kFoldTable[static_cast<unsigned char>(c)];
}

std::string foldCase(std::string_view text);
bool textEqualsIgnoringCase(std::string_view first, std::string_view second);

// Letter case of protocol and file-name texts (HTTP names and values, URL schemes
// and hosts, file extensions, "AM"/"PM"): A-Z and a-z only, whatever the locale.
inline char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view first, std::string_view second);

} // namespace listorix
