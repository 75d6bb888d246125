#include "base/Digits.h"

#include <gtest/gtest.h>
#include <optional>
#include <string_view>

namespace listorix {
namespace {

TEST(Digits, parseDigitsReadsABareRunOfDigits)
{
    const struct
    {
        std::string_view text;
        std::size_t maxDigits;
        std::optional<unsigned> expected;
    } cases[] = {
        {"0", 1, 0u},
        {"07", 2, 7u},
        {"65535", 5, 65535u},
        {"999999999", 9, 999999999u},
        {"123", 2, std::nullopt}, // longer than allowed
        {"1234567890", 12, std::nullopt},
        {"", 3, std::nullopt},
        {"+1", 3, std::nullopt},
        {"-1", 3, std::nullopt},
        {" 1", 3, std::nullopt},
        {"1a", 3, std::nullopt},
        {"\xb9", 3, std::nullopt}, // superscript one in Windows-1252
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseDigits(c.text, c.maxDigits), c.expected);
    }
}

} // namespace
} // namespace listorix
