#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace listorix::test {

// The text cut into lines, each with its line end (CR LF, LF or CR).
inline std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.emplace_back(text.substr(start, i + 1 - start));
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

// Lines that differ between two texts once their common head and tail are set
// aside: {lines only in `before`, lines only in `after`}.
inline std::pair<std::size_t, std::size_t> changedLines(std::string_view before, std::string_view after)
{
    const auto a = linesOf(before);
    const auto b = linesOf(after);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    return {a.size() - head - tail, b.size() - head - tail};
}

} // namespace listorix::test
