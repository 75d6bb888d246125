#include "SettingsTestSupport.h"
#include "base/AtomicFile.h"
#include "settings/WebSymbolsSection.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace listorix {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

TEST(WebSymbolsSection, entriesGoToTheirOwnSectionAndEveryOtherLineStays)
{
    ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    const std::string original =
        "[SERVIZIO]\r\nSORGENTE=web\r\n; a comment\r\n[Portafoglio]\r\n1=ENI.MI;ENI;TA\r\n";
    writeBytes(file, original);

    writeWebSymbol(file, "LU0211445258", {"0P0000ABCD", 1736928300});
    writeWebSymbol(file, "IT0001589370", {"", 1736928301});
    EXPECT_EQ(readBytes(file), original + "[SIMBOLI WEB]\r\nLU0211445258=0P0000ABCD;1736928300\r\n"
                                          "IT0001589370=;1736928301\r\n");
    EXPECT_EQ(readWebSymbol(file, "LU0211445258"), (StoredWebSymbol{"0P0000ABCD", 1736928300}));
    EXPECT_EQ(readWebSymbol(file, "it0001589370"), (StoredWebSymbol{"", 1736928301})) << "keys ignore case";
    EXPECT_FALSE(readWebSymbol(file, "IT0000000000"));

    // A search made again rewrites its own line, in place.
    writeWebSymbol(file, "IT0001589370", {"0P0000WXYZ", 1736999999});
    EXPECT_EQ(readBytes(file), original + "[SIMBOLI WEB]\r\nLU0211445258=0P0000ABCD;1736928300\r\n"
                                          "IT0001589370=0P0000WXYZ;1736999999\r\n");
}

TEST(WebSymbolsSection, entriesThatDoNotReadAreNone)
{
    ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    writeBytes(file, "[SIMBOLI WEB]\r\nA00000000001=0P0000ABCD\r\nA00000000002=0P0000ABCD;soon\r\n"
                     "A00000000003=0P 0000;1\r\nA00000000004=;\r\nA00000000005=0P0000ABCD;-5\r\n");
    for (const char* isin : {"A00000000001", "A00000000002", "A00000000003", "A00000000004"})
        EXPECT_FALSE(readWebSymbol(file, isin)) << isin;
    EXPECT_EQ(readWebSymbol(file, "A00000000005"), (StoredWebSymbol{"0P0000ABCD", -5}));
    EXPECT_FALSE(readWebSymbol(dir.file("MISSING.INI"), "A00000000001"));

    EXPECT_THROW(writeWebSymbol(file, "A0000000000;", {"X", 1}), std::invalid_argument);
    EXPECT_THROW(writeWebSymbol(file, "A00000000001", {"0P;1", 1}), std::invalid_argument);
}

TEST(WebSymbolsSection, aSettingsFileThatCannotBeReadIsNeverWritten)
{
    ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    std::filesystem::create_directory(file);
    EXPECT_THROW(writeWebSymbol(file, "LU0211445258", {"0P0000ABCD", 1}), FileWriteError);
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_FALSE(readWebSymbol(file, "LU0211445258"));
}

} // namespace
} // namespace listorix
