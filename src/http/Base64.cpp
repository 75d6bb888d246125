#include "http/Base64.h"

#include <cstdint>

namespace listorix {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

std::string base64Encode(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                                    static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1]))
                                        << 8 |
                                    static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[group >> 18 & 63];
        out += kAlphabet[group >> 12 & 63];
        out += kAlphabet[group >> 6 & 63];
        out += kAlphabet[group & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2)
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out += kAlphabet[group >> 18 & 63];
        out += kAlphabet[group >> 12 & 63];
        out += rest == 2 ? kAlphabet[group >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::string> base64Decode(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t group = 0;
        int padding = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            const char c = text[i + j];
            std::uint32_t digit = 0;
            if (c == '=') {
                // Padding only at the very end, in the last two places.
                if (i + 4 != text.size() || j < 2)
                    return std::nullopt;
                ++padding;
            } else {
                const std::size_t pos = kAlphabet.find(c);
                if (padding > 0 || pos == std::string_view::npos)
                    return std::nullopt;
                digit = static_cast<std::uint32_t>(pos);
            }
            group = group << 6 | digit;
        }
        out += static_cast<char>(group >> 16 & 0xff);
        if (padding < 2)
            out += static_cast<char>(group >> 8 & 0xff);
        if (padding < 1)
            out += static_cast<char>(group & 0xff);
    }
    return out;
}

} // namespace listorix
