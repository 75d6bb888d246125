#include "retrieval/Base64.h"

#include <cstdint>

namespace listorix {

std::string base64Encode(std::string_view bytes)
{
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                                    static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1]))
                                        << 8 |
                                    static_cast<unsigned char>(bytes[i + 2]);
        out += alphabet[group >> 18 & 63];
        out += alphabet[group >> 12 & 63];
        out += alphabet[group >> 6 & 63];
        out += alphabet[group & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2) {
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        out += alphabet[group >> 18 & 63];
        out += alphabet[group >> 12 & 63];
        out += rest == 2 ? alphabet[group >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

} // namespace listorix
