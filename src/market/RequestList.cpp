#include "market/RequestList.h"

namespace listorix {

void BuildRequestList(LineList& target, const LineList& symbols, std::string_view urlPrefix,
                      std::string_view caption, std::string_view fieldsSuffix)
{
    // Symbols joined per chunk of 200. A blank symbol adds nothing but the next
    // symbol still gets its "+"; a chunk made only of blanks yields no entry.
    LineList joinedChunks;
    std::string joined;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (!joined.empty())
            joined += '+';
        joined += symbols[i];
        if ((i + 1) % kSymbolsPerRequest == 0 && !joined.empty()) {
            joinedChunks.push_back(std::move(joined));
            joined.clear();
        }
    }
    if (!joined.empty())
        joinedChunks.push_back(std::move(joined));

    // N counts the entries actually written, so the captions never announce a
    // part that does not exist.
    const std::string total = std::to_string(joinedChunks.size());
    for (std::size_t k = 0; k < joinedChunks.size(); ++k) {
        std::string entry;
        entry.reserve(urlPrefix.size() + joinedChunks[k].size() + fieldsSuffix.size() + caption.size() + 16);
        entry += urlPrefix;
        entry += joinedChunks[k];
        entry += fieldsSuffix;
        entry += '\t';
        entry += caption;
        entry += ' ';
        entry += std::to_string(k + 1);
        entry += '/';
        entry += total;
        target.push_back(std::move(entry));
    }
}

} // namespace listorix
