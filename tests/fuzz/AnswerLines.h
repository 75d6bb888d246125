#pragma once

#include "base/LineList.h"
#include "fetch/CleanAnswer.h"

#include <string_view>

namespace listorix::fuzz {

// The body of a fetch as the fetch hands it on: cut into lines and cleaned.
inline LineList answerLines(std::string_view body)
{
    LineList lines;
    appendLines(body, lines);
    CleanAnswer(lines);
    return lines;
}

} // namespace listorix::fuzz
