#include "settings/CaseFold.h"

#include <array>
#include <cstddef>

namespace listorix {

namespace {

constexpr std::array<char, 256> makeFoldTable()
{
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        int folded = c;
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            folded = c + 0x20;
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            folded = c + 0x10; // S, OE and Z with caron or ligature
        else if (c == 0x9F)
            folded = 0xFF; // Y with diaeresis
        table[static_cast<std::size_t>(c)] = static_cast<char>(folded);
    }
    return table;
}
constexpr std::array<char, 256> foldTable = makeFoldTable();

} // namespace

char foldCase(char c)
{
    return foldTable[static_cast<unsigned char>(c)];
}

std::string foldCase(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = foldCase(c);
    return folded;
}

bool textEqualsIgnoringCase(std::string_view first, std::string_view second)
{
    if (first.size() != second.size())
        return false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (foldCase(first[i]) != foldCase(second[i]))
            return false;
    }
    return true;
}

} // namespace listorix
