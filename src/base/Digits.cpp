#include "base/Digits.h"

#include <algorithm>

namespace listorix {

std::optional<unsigned> parseDigits(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > std::min<std::size_t>(maxDigits, 9))
        return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

std::string twoDigits(long long value)
{
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

} // namespace listorix
