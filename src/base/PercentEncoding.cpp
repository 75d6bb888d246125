#include "base/PercentEncoding.h"

#include "base/HexDigit.h"

namespace listorix {

namespace {

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

std::string percentEncode(std::string_view text, std::string_view alsoKept)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (isUnreserved(c) || alsoKept.find(c) != std::string_view::npos) {
            out += c;
        } else {
            out += '%';
            appendHexByte(out, static_cast<unsigned char>(c));
        }
    }
    return out;
}

} // namespace listorix
