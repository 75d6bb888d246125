#include "quoted/Base64.h"

namespace listorix::quoted {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

std::optional<std::string> base64Decode(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        unsigned value = 0;
        int padding = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            const char c = text[i + j];
            unsigned digit = 0;
            if (c == '=') {
                // Padding only at the very end, in the last two places.
                if (i + 4 != text.size() || j < 2)
                    return std::nullopt;
                ++padding;
            } else {
                if (padding > 0)
                    return std::nullopt;
                const std::size_t pos = kAlphabet.find(c);
                if (pos == std::string_view::npos)
                    return std::nullopt;
                digit = static_cast<unsigned>(pos);
            }
            value = value << 6 | digit;
        }
        out += static_cast<char>(value >> 16 & 0xff);
        if (padding < 2)
            out += static_cast<char>(value >> 8 & 0xff);
        if (padding < 1)
            out += static_cast<char>(value & 0xff);
    }
    return out;
}

std::string base64Encode(std::string_view bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[value >> 18 & 63];
        out += kAlphabet[value >> 12 & 63];
        out += i + 1 < bytes.size() ? kAlphabet[value >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? kAlphabet[value & 63] : '=';
    }
    return out;
}

} // namespace listorix::quoted
