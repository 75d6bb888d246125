#include "base/CaseFold.h"

namespace listorix {

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

std::string asciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = asciiLower(c);
    return lower;
}

std::string asciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = asciiUpper(c);
    return upper;
}

bool equalsIgnoringAsciiCase(std::string_view first, std::string_view second)
{
    if (first.size() != second.size())
        return false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (asciiLower(first[i]) != asciiLower(second[i]))
            return false;
    }
    return true;
}

} // namespace listorix
