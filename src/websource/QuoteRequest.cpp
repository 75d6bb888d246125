#include "websource/QuoteRequest.h"

namespace listorix {

namespace {

struct CodeField
{
    std::string_view code;
    QuoteField field;
};

constexpr CodeField kCodes[] = {{"s", QuoteField::Symbol},
                                {"n", QuoteField::Name},
                                {"l1", QuoteField::LastPrice},
                                {"d1", QuoteField::LastDate},
                                {"t1", QuoteField::LastTime},
                                {"c1", QuoteField::Change},
                                {"c2", QuoteField::ChangeAndPercent},
                                {"o", QuoteField::Open},
                                {"g", QuoteField::Low},
                                {"h", QuoteField::High},
                                {"p", QuoteField::PreviousClose},
                                {"v", QuoteField::Volume}};

constexpr std::string_view kDefaultFields = "sl1d1t1c1ohgv";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::vector<QuoteField> parseFieldCodes(std::string_view codes)
{
    std::vector<QuoteField> fields;
    std::size_t i = 0;
    while (i < codes.size()) {
        const std::size_t length = i + 1 < codes.size() && isDigit(codes[i + 1]) ? 2 : 1;
        const std::string_view code = codes.substr(i, length);
        QuoteField field = QuoteField::Unknown;
        for (const CodeField& entry : kCodes) {
            if (entry.code == code) {
                field = entry.field;
                break;
            }
        }
        fields.push_back(field);
        i += length;
    }
    return fields;
}

std::optional<QuoteRequest> parseQuoteRequest(std::string_view url)
{
    const auto question = url.find('?');
    if (question == std::string_view::npos)
        return std::nullopt;
    std::string_view query = url.substr(question + 1);
    const auto fragment = query.find('#');
    query = query.substr(0, fragment);

    std::optional<std::string_view> symbols;
    std::string_view fields = kDefaultFields;
    while (!query.empty()) {
        const auto amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        const auto equals = pair.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = pair.substr(0, equals);
        const std::string_view value = pair.substr(equals + 1);
        if (key == "s" && !symbols)
            symbols = value;
        else if (key == "f")
            fields = value;
    }
    if (!symbols)
        return std::nullopt;

    QuoteRequest request;
    std::string_view rest = *symbols;
    while (!rest.empty()) {
        const auto plus = rest.find('+');
        const std::string_view symbol = rest.substr(0, plus);
        if (!symbol.empty())
            request.symbols.emplace_back(symbol);
        rest = plus == std::string_view::npos ? std::string_view{} : rest.substr(plus + 1);
    }
    request.fields = parseFieldCodes(fields);
    return request;
}

} // namespace listorix
