#include "base/Windows1252.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(Windows1252, utf8BecomesTheProgramsCodePageAndTheRestAQuestionMark)
{
    const struct
    {
        const char* what;
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"ASCII stays", "ENI S.p.A.", "ENI S.p.A."},
        {"Latin-1 letters", "Societ\xC3\xA0 Cattolica \xC3\x89", "Societ\xE0 Cattolica \xC9"},
        {"euro sign and typographic quote from the 0x80 row",
         "\xE2\x82\xAC 5 l\xE2\x80\x99"
         "uno",
         "\x80 5 l\x92uno"},
        {"a character the page lacks",
         "A\xE2\x86\x92"
         "B",
         "A?B"},
        {"four-byte character", "x\xF0\x9F\x93\x88y", "x?y"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"truncated sequence at the end", "ab\xC3", "ab?"},
        {"overlong encoding of a slash", "\xC0\xAF", "??"},
        {"encoded surrogate", "\xED\xA0\x80", "???"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(windows1252FromUtf8(c.utf8), c.expected);
    }
}

} // namespace
} // namespace listorix
