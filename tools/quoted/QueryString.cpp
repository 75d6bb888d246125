#include "quoted/QueryString.h"

#include "base/HexDigit.h"

namespace listorix::quoted {

std::string percentDecode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigitValue(text[i + 1]) >= 0 &&
            hexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigitValue(text[i + 1]) * 16 + hexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> splitQuery(std::string_view query)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view part = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        if (part.empty())
            continue;
        const std::size_t eq = part.find('=');
        if (eq == std::string_view::npos)
            pairs.emplace_back(percentDecode(part), std::string());
        else
            pairs.emplace_back(percentDecode(part.substr(0, eq)), std::string(part.substr(eq + 1)));
    }
    return pairs;
}

std::optional<std::string> queryValue(const std::vector<std::pair<std::string, std::string>>& pairs,
                                      std::string_view key)
{
    for (const auto& [name, value] : pairs) {
        if (name == key)
            return value;
    }
    return std::nullopt;
}

std::vector<std::string> splitSymbols(std::string_view rawValue)
{
    std::vector<std::string> symbols;
    while (true) {
        const std::size_t plus = rawValue.find('+');
        symbols.push_back(percentDecode(rawValue.substr(0, plus)));
        if (plus == std::string_view::npos)
            break;
        rawValue = rawValue.substr(plus + 1);
    }
    return symbols;
}

} // namespace listorix::quoted
