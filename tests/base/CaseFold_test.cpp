#include "base/CaseFold.h"

#include <gtest/gtest.h>
#include <string_view>

namespace listorix {
namespace {

// The two folds: Windows-1252 letters for names and codes the user sees, ASCII
// only for protocol texts, whatever bytes above 127 or the locale hold.
TEST(CaseFold, windowsFoldCoversAccentedCapitalsAndAsciiFoldDoesNot)
{
    const struct
    {
        std::string_view first;
        std::string_view second;
        bool windowsEqual;
        bool asciiEqual;
    } cases[] = {
        {"ENI.MI", "eni.mi", true, true},   {"\xC8NEL", "\xE8nel", true, false}, // E with grave
        {"\x8A", "\x9A", true, false},                                           // S with caron
        {"\xD7", "\xF7", false, false}, // multiplication and division signs
        {"Chunked", "CHUNKED", true, true}, {"ab", "abc", false, false},         {"", "", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(textEqualsIgnoringCase(c.first, c.second), c.windowsEqual);
        EXPECT_EQ(equalsIgnoringAsciiCase(c.first, c.second), c.asciiEqual);
    }
    EXPECT_EQ(asciiLower("Content-Type: \xC8"), "content-type: \xC8");
    EXPECT_EQ(asciiUpper("eni.mi \xE8"), "ENI.MI \xE8");
    EXPECT_EQ(foldCase("\xC8NEL"), "\xE8nel");
}

} // namespace
} // namespace listorix
