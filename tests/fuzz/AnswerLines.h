#pragma once

#include "market/CleanAnswer.h"
#include "market/Util.h"

#include <string_view>

namespace listorix::fuzz {

// The body of a fetch as the fetch hands it on: cut at line ends (CR LF, LF, or
// a lone CR) and cleaned.
inline LineList answerLines(std::string_view body)
{
    LineList lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= body.size(); ++i) {
        if (i < body.size() && body[i] != '\r' && body[i] != '\n')
            continue;
        if (i < body.size() || start < body.size())
            lines.emplace_back(body.substr(start, i - start));
        if (i + 1 < body.size() && body[i] == '\r' && body[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    CleanAnswer(lines);
    return lines;
}

} // namespace listorix::fuzz
