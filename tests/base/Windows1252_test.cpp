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

TEST(Windows1252, theCodePageBecomesUtf8WithTheUndefinedBytesAsReplacementCharacters)
{
    const struct
    {
        const char* what;
        std::string text;
        std::string expected;
    } cases[] = {
        {"ASCII stays", "ENI S.p.A. 1,5%", "ENI S.p.A. 1,5%"},
        {"Latin-1 letter", "Societ\xE0", "Societ\xC3\xA0"},
        {"euro sign from the 0x80 row", "\x80 5", "\xE2\x82\xAC 5"},
        {"last byte of the 0x80 row and of the page", "\x9F\xFF", "\xC5\xB8\xC3\xBF"},
        {"the five undefined bytes", "\x81\x8D\x8F\x90\x9D",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(utf8FromWindows1252(c.text), c.expected);
    }
}

TEST(Windows1252, everyDefinedByteComesBackFromUtf8AndAnUndefinedOneAsAQuestionMark)
{
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const bool undefined =
            value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
        SCOPED_TRACE(value);
        EXPECT_EQ(windows1252FromUtf8(utf8FromWindows1252(byte)), undefined ? "?" : byte);
    }
}

} // namespace
} // namespace listorix
