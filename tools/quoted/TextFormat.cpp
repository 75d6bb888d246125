#include "quoted/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace listorix::quoted::text {

std::string fixed(double value, int decimals)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{})
        return "N/A";
    std::string textValue(buffer, result.ptr);
    // A negative zero reads as zero.
    if (textValue.front() == '-' && textValue.find_first_not_of("-0.") == std::string::npos)
        textValue.erase(0, 1);
    return textValue;
}

std::string signedFixed(double value, int decimals)
{
    std::string textValue = fixed(value, decimals);
    if (textValue.front() != '-')
        textValue.insert(0, 1, '+');
    return textValue;
}

std::string usDate(const CivilDate& date)
{
    return std::to_string(date.month) + '/' + std::to_string(date.day) + '/' + std::to_string(date.year);
}

std::string clockTime(int minuteOfDay, char separator)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d", minuteOfDay / 60, separator, minuteOfDay % 60);
    return buffer;
}

std::string italianNumber(double value, int decimals)
{
    std::string plain = fixed(std::fabs(value), decimals);
    const bool negative = value < 0 && plain.find_first_not_of("0.") != std::string::npos;
    const std::size_t point = plain.find('.');
    std::string integer = plain.substr(0, point);
    std::string grouped;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += '.';
        grouped += integer[i];
    }
    if (point != std::string::npos)
        grouped += ',' + plain.substr(point + 1);
    return negative ? '-' + grouped : grouped;
}

std::string italianDate(const CivilDate& date)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.day, date.month, date.year);
    return buffer;
}

std::string htmlEscape(std::string_view textValue)
{
    std::string out;
    out.reserve(textValue.size());
    for (char c : textValue) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                out += '?';
            else
                out += c;
        }
    }
    return out;
}

} // namespace listorix::quoted::text
