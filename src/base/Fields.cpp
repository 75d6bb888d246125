#include "base/Fields.h"

#include <utility>

namespace listorix {

std::string NextField(std::string& rest)
{
    const std::size_t separator = rest.find(';');
    if (separator == std::string::npos)
        return std::exchange(rest, std::string());
    std::string field = rest.substr(0, separator);
    rest.erase(0, separator + 1);
    return field;
}

std::string_view NextField(std::string_view& rest)
{
    const std::size_t separator = rest.find(';');
    const std::string_view field = rest.substr(0, separator);
    rest = separator == std::string_view::npos ? std::string_view{} : rest.substr(separator + 1);
    return field;
}

void SplitToList(char separator, std::string_view text, LineList& list)
{
    list.clear();
    while (!text.empty()) {
        const auto pos = text.find(separator);
        if (pos == std::string_view::npos) {
            list.emplace_back(text);
            return;
        }
        list.emplace_back(text.substr(0, pos));
        text.remove_prefix(pos + 1);
    }
}

} // namespace listorix
