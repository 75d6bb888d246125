#pragma once

#include <string_view>

namespace listorix {

// `text` without the characters at both ends for which `blank` holds.
template <typename Blank>
std::string_view trimmedWhere(std::string_view text, Blank blank)
{
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The program's trim: blanks and control characters (every byte up to the
// space) go from both ends, as in the texts the quote service and users send.
inline std::string_view trimControls(std::string_view text)
{
    return trimmedWhere(text, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// Spaces and tabs only, as settings-file lines and HTTP header lines are trimmed.
inline std::string_view trimSpacesAndTabs(std::string_view text)
{
    return trimmedWhere(text, [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace listorix
