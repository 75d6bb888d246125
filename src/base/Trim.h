#pragma once

#include <string_view>

namespace listorix {

// The program's trim: blanks and control characters (every byte up to the
// space) go from both ends, as in the texts the quote service and users send.
inline std::string_view trimControls(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Spaces and tabs only, as settings-file lines and HTTP header lines are trimmed.
inline std::string_view trimSpacesAndTabs(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace listorix
