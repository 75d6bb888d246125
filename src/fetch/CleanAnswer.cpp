#include "fetch/CleanAnswer.h"

#include "base/CaseFold.h"

#include <algorithm>
#include <string_view>

namespace listorix {

namespace {

std::string::size_type findAmpEntity(const std::string& line)
{
    constexpr std::string_view kEntity = "&amp;";
    const auto found = std::search(line.begin(), line.end(), kEntity.begin(), kEntity.end(),
                                   [](char a, char b) { return asciiLower(a) == b; });
    return found == line.end() ? std::string::npos
                               : static_cast<std::string::size_type>(found - line.begin());
}

} // namespace

void CleanAnswer(LineList& lines)
{
    std::erase_if(lines, [](const std::string& line) { return !line.empty() && line.front() == '<'; });
    for (std::string& line : lines) {
        const auto at = findAmpEntity(line);
        if (at != std::string::npos)
            line.erase(at + 1, 4);
    }
}

} // namespace listorix
