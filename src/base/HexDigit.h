#pragma once

#include <string>
#include <string_view>

namespace listorix {

// The sixteen digits, upper case: the form every hexadecimal text the program
// writes takes (escapes, colours, the stored password).
inline constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// The value of an ASCII hexadecimal digit in either letter case; -1 for any other byte.
inline int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Appends the byte as two upper-case hexadecimal digits.
inline void appendHexByte(std::string& out, unsigned char byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

} // namespace listorix
