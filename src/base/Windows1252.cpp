#include "base/Windows1252.h"

namespace listorix {

namespace {

// The code points Windows-1252 places at 0x80..0x9F, U+FFFD where the page has
// none; the rest of the upper half is Latin-1.
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kHighControls[32] = {
    0x20AC,       kReplacement, 0x201A, 0x0192, 0x201E, 0x2026,       0x2020, 0x2021,
    0x02C6,       0x2030,       0x0160, 0x2039, 0x0152, kReplacement, 0x017D, kReplacement,
    kReplacement, 0x2018,       0x2019, 0x201C, 0x201D, 0x2022,       0x2013, 0x2014,
    0x02DC,       0x2122,       0x0161, 0x203A, 0x0153, kReplacement, 0x017E, 0x0178};

// Every character of the code page lies in the Basic Multilingual Plane: three
// bytes at the most.
void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the sequence a lead byte begins and the bits it carries; 0 for a
// byte that cannot begin one.
int sequenceLength(unsigned char lead, char32_t& code)
{
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        code = lead & 0x1Fu;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        code = lead & 0x0Fu;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        code = lead & 0x07u;
        return 4;
    }
    return 0;
}

} // namespace

char32_t unicodeFromWindows1252(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x80 && value < 0xA0 ? kHighControls[value - 0x80] : char32_t{value};
}

char windows1252FromUnicode(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    // U+FFFD marks the undefined bytes in the table; no byte stands for it.
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != kReplacement && kHighControls[i] == code)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string utf8FromWindows1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        appendUtf8(out, unicodeFromWindows1252(c));
    return out;
}

std::string windows1252FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t code = 0;
        const int length = sequenceLength(static_cast<unsigned char>(utf8[i]), code);
        bool wellFormed = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
        for (int k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            wellFormed = (next & 0xC0u) == 0x80u;
            code = (code << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not well-formed.
        if (wellFormed && ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                           (length == 4 && (code < 0x10000 || code > 0x10FFFF))))
            wellFormed = false;
        if (!wellFormed) {
            out += '?';
            ++i;
            continue;
        }
        out += windows1252FromUnicode(code);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

} // namespace listorix
