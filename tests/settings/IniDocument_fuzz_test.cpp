#include "ChangedLines.h"
#include "settings/IniDocument.h"

#include <array>
#include <cstddef>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {
namespace {

using test::changedLines;

// Random files and random edits: the text survives reading byte for byte, every
// write reads back what was written and leaves the other lines alone.
TEST(IniDocumentFuzz, editsTouchOnlyTheirLinesAndReadBack)
{
    constexpr unsigned kSeed = 20030314;
    std::mt19937 random(kSeed);
    const std::array<std::string_view, 26> pieces = {"\r",  "\n",      "\r\n",    std::string_view("\0", 1),
                                                     "[",   "]",       "=",       ";",
                                                     "\"",  "'",       " ",       "\t",
                                                     "a",   "B",       "k",       "S",
                                                     "s",   "\xe9",    "\xc9",    "\xff",
                                                     "1",   "[S]\r\n", "k=v\r\n", "K = \"q\"\n",
                                                     "[s]", "\x80"};
    // Names without line breaks, "=", "[", "]", ";" or outer blanks, so that they
    // name one key or section; letters differ in case to meet the same key.
    const std::array<std::string_view, 7> names = {"S", "s", "k", "K", "\xe9", "\xc9x", "a b"};
    const std::array<std::string_view, 14> valuePieces = {
        "v",    " ",   "\t",  "\"",   "'", ";", "=", "[", "]", std::string_view("\0", 1),
        "\xff", "x y", "'q'", "\"q\""};
    auto pick = [&](const auto& from) { return from[random() % from.size()]; };

    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", iteration " << i);
        std::string text;
        for (int n = static_cast<int>(random() % 24); n > 0; --n)
            text += pick(pieces);
        IniDocument document(text);
        ASSERT_EQ(document.text(), text);
        for (const auto section : names) {
            document.hasSection(section);
            document.sectionEntries(section);
            for (const auto key : names)
                document.value(section, key);
        }

        const std::string section(pick(names));
        const std::string key(pick(names));
        std::string value;
        for (int n = static_cast<int>(random() % 5); n > 0; --n)
            value += pick(valuePieces);
        SCOPED_TRACE(testing::Message()
                     << "text \"" << text << "\", [" << section << "] " << key << "=" << value);

        const std::string before = document.text();
        document.setValue(section, key, value);
        const std::string after = document.text();
        EXPECT_EQ(document.value(section, key), value);
        EXPECT_EQ(IniDocument(after).value(section, key), value);
        // One key rewritten or added; at most a header before it and a line end
        // given to an unterminated last line.
        const auto [removed, added] = changedLines(before, after);
        EXPECT_LE(removed, 1u) << after;
        EXPECT_LE(added, 3u) << after;

        document.eraseSection(pick(names));
        document.eraseSection(section);
        EXPECT_FALSE(document.hasSection(section));
        EXPECT_FALSE(IniDocument(document.text()).hasSection(section));
    }
}

} // namespace
} // namespace listorix
