#include "base/LineList.h"

namespace listorix {

void appendLines(std::string_view text, LineList& target)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        target.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        target.emplace_back(text.substr(start));
}

} // namespace listorix
