#include "base/Money.h"
#include "base/NumberFormat.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace listorix {
namespace {

// The definition: the euro amount read in extended precision, times the extended
// lire constant, grouped without decimals.
std::string lireByDefinition(std::string_view euroText)
{
    const auto euro = parseExtended(StripDots(euroText));
    if (!euro)
        return {};
    const std::string amount = formatNumber(*euro * kLirePerEuro, 0);
    return amount.empty() ? std::string() : "L." + amount;
}

// `units` × 10^-decimals as display text, with thousands points when asked.
std::string displayText(bool negative, std::uint64_t units, int decimals, bool grouped)
{
    std::string digits = std::to_string(units);
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    const std::size_t integerDigits = digits.size() - static_cast<std::size_t>(decimals);
    std::string text = negative ? "-" : "";
    for (std::size_t k = 0; k < integerDigits; ++k) {
        if (grouped && k > 0 && (integerDigits - k) % 3 == 0)
            text += '.';
        text += digits[k];
    }
    if (decimals > 0)
        text += "," + digits.substr(integerDigits);
    return text;
}

std::uint64_t power10(int exponent)
{
    std::uint64_t value = 1;
    while (exponent-- > 0)
        value *= 10;
    return value;
}

// The multiplier of 193627 modulo m (it is odd and does not end in 5).
std::uint64_t inverseOfLireCents(std::uint64_t m)
{
    for (std::uint64_t x = 1; x < m; ++x)
        if (static_cast<unsigned __int128>(x) * 193627 % m == 1)
            return x;
    return 0;
}

TEST(FormatLire, convertsDisplayEuros)
{
    const struct
    {
        const char* first;
        const char* second;
        const char* expected;
    } cases[] = {
        {"1.000,00", nullptr, "L.1.936.270"},
        {"0,50", nullptr, "L.968"},
        {"     1.240,0000", nullptr, "L.2.400.975"},
        {"       240,0000", nullptr, "L.464.705"},
        {"        10,0000", nullptr, "L.19.363"},
        {"50,00", nullptr, "L.96.814"},
        {"-1,00", nullptr, "L.-1.936"},
        {"0", nullptr, "L.0"},
        {"", nullptr, ""},
        {"abc", nullptr, ""},
        {"1,2,3", nullptr, ""},
        {"1e4930", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(FormatLire(c.first), c.expected);
    }
}

TEST(FormatLire, agreesWithTheExtendedPrecisionDefinition)
{
    std::mt19937_64 random(11);
    for (int round = 0; round < 50000; ++round) {
        const int decimals = static_cast<int>(random() % 7);
        const std::uint64_t units = random() % power10(1 + static_cast<int>(random() % 16));
        const std::string text = displayText(random() % 3 == 0, units, decimals, random() % 2 == 0);
        ASSERT_EQ(FormatLire(text), lireByDefinition(text)) << text;
    }
}

// Amounts whose lire lie on a half lira or one step beside it, where the rounding
// of the extended product has to be settled with care.
TEST(FormatLire, agreesWithTheDefinitionAroundHalfLire)
{
    std::mt19937_64 random(5);
    for (int decimals = 0; decimals <= 4; ++decimals) {
        const std::uint64_t unit = power10(decimals + 2);
        const std::uint64_t inverse = inverseOfLireCents(unit);
        for (const std::int64_t step : {-1, 0, 1}) {
            const std::uint64_t target = (unit / 2 + unit + static_cast<std::uint64_t>(step)) % unit;
            const std::uint64_t base =
                static_cast<std::uint64_t>(static_cast<unsigned __int128>(target) * inverse % unit);
            for (int round = 0; round < 300; ++round) {
                const std::uint64_t units = base + unit * (random() % power10(1 + round % 12));
                const std::string text = displayText(round % 2 == 1, units, decimals, round % 3 == 0);
                ASSERT_EQ(FormatLire(text), lireByDefinition(text)) << text;
            }
        }
    }
}

TEST(FormatLire, agreesWithTheDefinitionOnOtherForms)
{
    for (const char* text : {"",
                             " ",
                             "-",
                             "+",
                             ",",
                             ",5",
                             "5,",
                             "+12,5",
                             "-0",
                             "-0,0001",
                             " \t12,5 ",
                             "1,5E3",
                             "1e4930",
                             "abc",
                             "1,2,3",
                             "12 5",
                             "00000000000000000000012,5",
                             "99999999999,9999",
                             "51644142,9999",
                             "-51644142,9999",
                             "123456789012345678901234"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FormatLire(text), lireByDefinition(text));
    }
}

} // namespace
} // namespace listorix
