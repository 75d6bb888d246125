#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace listorix {

inline bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A run of one to `maxDigits` ASCII digits and nothing else (no sign, no blanks) as
// its value; nothing for any other text. `maxDigits` is at most 9, so the value fits.
std::optional<unsigned> parseDigits(std::string_view text, std::size_t maxDigits);

// The last two decimal digits of a value from 0, with a leading zero: 7 gives "07".
std::string twoDigits(long long value);

} // namespace listorix
