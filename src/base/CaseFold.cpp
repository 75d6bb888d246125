#include "base/CaseFold.h"

namespace listorix {

namespace {

// The text with `fold` applied to every character.
template <typename Fold>
std::string folded(std::string_view text, Fold fold)
{
    std::string out(text);
    for (char& c : out)
        c = fold(c);
    return out;
}

// Whether the texts are the same once `fold` is applied to both.
template <typename Fold>
bool equalFolded(std::string_view first, std::string_view second, Fold fold)
{
    if (first.size() != second.size())
        return false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (fold(first[i]) != fold(second[i]))
            return false;
    }
    return true;
}

char windowsFold(char c)
{
    return foldCase(c);
}

char asciiFold(char c)
{
    return asciiLower(c);
}

} // namespace

std::string foldCase(std::string_view text)
{
    return folded(text, windowsFold);
}

bool textEqualsIgnoringCase(std::string_view first, std::string_view second)
{
    return equalFolded(first, second, windowsFold);
}

std::string asciiLower(std::string_view text)
{
    return folded(text, asciiFold);
}

std::string asciiUpper(std::string_view text)
{
    return folded(text, [](char c) { return asciiUpper(c); });
}

bool equalsIgnoringAsciiCase(std::string_view first, std::string_view second)
{
    return equalFolded(first, second, asciiFold);
}

} // namespace listorix
