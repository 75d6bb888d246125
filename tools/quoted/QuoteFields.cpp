#include "quoted/QuoteFields.h"

#include "base/Digits.h"

namespace listorix::quoted {

namespace {

struct CodeName
{
    std::string_view code;
    Field field;
};

constexpr CodeName kCodes[] = {
    {"s", Field::Symbol},    {"n", Field::Name},    {"l1", Field::LastPrice},        {"d1", Field::LastDate},
    {"t1", Field::LastTime}, {"c1", Field::Change}, {"c2", Field::ChangeAndPercent}, {"o", Field::Open},
    {"g", Field::Low},       {"h", Field::High},    {"p", Field::PreviousClose},     {"v", Field::Volume}};

} // namespace

std::optional<std::vector<Field>> parseFieldCodes(std::string_view codes, std::string& unknownCode)
{
    std::vector<Field> fields;
    std::size_t i = 0;
    while (i < codes.size()) {
        std::size_t length = 1;
        if (i + 1 < codes.size() && isAsciiDigit(codes[i + 1]))
            length = 2;
        const std::string_view code = codes.substr(i, length);
        bool known = false;
        for (const CodeName& entry : kCodes) {
            if (entry.code == code) {
                fields.push_back(entry.field);
                known = true;
                break;
            }
        }
        if (!known) {
            unknownCode = code;
            return std::nullopt;
        }
        i += length;
    }
    return fields;
}

} // namespace listorix::quoted
